// SPDX-License-Identifier: MIT
// The window onto the operating system: random numbers, command execution, the beep, the
// settings store, well-known directories, memory figures and the system version.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Enviroment {
public:
    // The application's seeding flag, exposed to the toolkit as Application::Randomize:
    // 0 means the generator is seeded from the clock before the next draw, 1 that it has been.
    // The event dispatcher clears it before every input event.
    static short RandomizeFlag;

    // A number from a to b inclusive: a + rand() mod (b - a + 1), seeding with the calendar
    // clock's seconds first when RandomizeFlag is 0. Draws within one second after clearing
    // the flag repeat. b < a gives a.
    static int32_t Random(int32_t a, int32_t b);
};
