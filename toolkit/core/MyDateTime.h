// SPDX-License-Identifier: MIT
// MyDateTime: an instant on a monotonic millisecond clock, as much of a date-time as the
// element model needs (double-click timing).
#pragma once

#include <cstdint>

class MyDateTime {
public:
    // The epoch of the clock; only differences between instants mean anything.
    MyDateTime() = default;
    explicit MyDateTime(int64_t milliseconds) : ms(milliseconds) {}

    static MyDateTime Now();

    // Milliseconds from `earlier` to this instant (negative when `earlier` is later).
    int64_t MillisecondsSince(const MyDateTime& earlier) const { return ms - earlier.ms; }
    int64_t Milliseconds() const { return ms; }

    // Replaces the clock Now() reads (milliseconds); null restores the steady system clock.
    // Tests use it to place events at exact distances in time.
    using ClockFunction = int64_t (*)();
    static void SetClock(ClockFunction clock);

private:
    int64_t ms = 0;
};
