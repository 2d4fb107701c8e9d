// SPDX-License-Identifier: MIT
// dos's own seam, private to dos and its tests.
#pragma once

#include <string>
#include <vector>

namespace amiga::internal {

// The argument vector Execute starts for a command line: {"xdg-open", address} for a web or
// mailto address (without the blanks around it), {"/bin/sh", "-c", line} otherwise.
std::vector<std::string> CommandArgv(const std::string& line);

} // namespace amiga::internal
