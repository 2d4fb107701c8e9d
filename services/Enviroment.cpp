// SPDX-License-Identifier: MIT
// The window onto the operating system.
#include "services/Enviroment.h"

#include <cstdlib>
#include <ctime>

short Enviroment::RandomizeFlag = 0;

int32_t Enviroment::Random(int32_t a, int32_t b) {
    if (RandomizeFlag == 0) {
        std::srand(static_cast<unsigned>(std::time(nullptr)));
        RandomizeFlag = 1;
    }
    // Counted in 64 bits so that the widest ranges neither overflow nor divide by zero; for
    // every range that fits in 32 bits the result is the plain 32-bit one.
    const int64_t span = static_cast<int64_t>(b) - a + 1;
    if (span <= 0)
        return a;
    return static_cast<int32_t>(a + std::rand() % span);
}
