// SPDX-License-Identifier: MIT
// The 16 × 16 down arrow a button shows in combo mode.
#pragma once

#include "tools/pictures/PenCanvas.h"

namespace pictures {

constexpr int ArrowSize = 16;

// The arrow in `pen` on pen 0: pen 1 for an enabled button, pen 15 for a disabled one.
PenCanvas DrawComboArrow(Pen pen);

} // namespace pictures
