// SPDX-License-Identifier: MIT
// MyDateTime: a monotonic clock, so that a change of the wall clock never fakes or hides a
// double click.
#include "toolkit/core/MyDateTime.h"

#include <chrono>

namespace {

int64_t SteadyMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

MyDateTime::ClockFunction& CurrentClock()
{
    static MyDateTime::ClockFunction clock = &SteadyMilliseconds;
    return clock;
}

} // namespace

MyDateTime MyDateTime::Now()
{
    return MyDateTime(CurrentClock()());
}

void MyDateTime::SetClock(ClockFunction clock)
{
    CurrentClock() = clock != nullptr ? clock : &SteadyMilliseconds;
}
