// SPDX-License-Identifier: MIT
// The log: each message goes to standard output and is appended as one line to "log.txt" in
// the current directory. The toolkit's Application::Log is this, for code above services.
#pragma once

class LogFile {
public:
    // A null message writes nothing; a log file that cannot be written is not reported.
    static void Write(const char* message);
};
