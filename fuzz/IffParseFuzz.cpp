// SPDX-License-Identifier: MIT
// Fuzz target: the input is a sound file, read through dos and iffparse the way Sound reads
// it (VHDR a property, BODY a stop), then parsed on to the end so that every chunk is visited.
#include "platform/dos/Dos.h"
#include "platform/iffparse/IffParse.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

using namespace amiga;

namespace {

constexpr LONG ID_8SVX = MAKE_ID('8', 'S', 'V', 'X');
constexpr LONG ID_VHDR = MAKE_ID('V', 'H', 'D', 'R');
constexpr LONG ID_BODY = MAKE_ID('B', 'O', 'D', 'Y');

// The input as a file dos can open by name, without touching the disk.
std::string InputFile(const uint8_t* data, size_t size)
{
    static const int memory = memfd_create("kesa-iff-fuzz", 0);
    if (memory < 0 || ftruncate(memory, 0) != 0 ||
        pwrite(memory, data, size, 0) != static_cast<ssize_t>(size)) {
        return {};
    }
    return "/proc/self/fd/" + std::to_string(memory);
}

// Reads every byte a property claims to hold, so a wrong size shows up under the sanitizers.
unsigned Touch(const StoredProperty* property)
{
    unsigned sum = 0;
    for (LONG i = 0; property != nullptr && i < property->sp_Size; ++i) {
        sum += static_cast<const UBYTE*>(property->sp_Data)[i];
    }
    return sum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string name = InputFile(data, size);
    const BPTR file = name.empty() ? 0 : Open(name.c_str(), MODE_OLDFILE);
    if (file == 0) {
        return 0;
    }
    IFFHandle* iff = AllocIFF();
    iff->iff_Stream = file;
    InitIFFasDOS(iff);
    if (OpenIFF(iff, IFFF_READ) == 0) {
        PropChunk(iff, ID_8SVX, ID_VHDR);
        StopChunk(iff, ID_8SVX, ID_BODY);
        // The last byte picks the mode, so STEP's bookkeeping is exercised too.
        const LONG control = size > 0 && (data[size - 1] & 1) != 0 ? IFFPARSE_STEP : IFFPARSE_SCAN;
        volatile unsigned sink = 0;
        for (;;) {
            const LONG result = ParseIFF(iff, control);
            if (result == IFFERR_EOC) {
                continue;
            }
            if (result != 0) {
                break;
            }
            sink = sink + Touch(FindProp(iff, ID_8SVX, ID_VHDR));
            UBYTE buffer[64];
            const LONG got = ReadChunkBytes(iff, buffer, sizeof buffer);
            for (LONG i = 0; i < got; ++i) {
                sink = sink + buffer[i];
            }
            const ContextNode* current = CurrentChunk(iff);
            sink = sink + static_cast<unsigned>(current != nullptr && ParentChunk(const_cast<ContextNode*>(current)) != nullptr);
        }
        CloseIFF(iff);
    }
    FreeIFF(iff);
    Close(file);
    return 0;
}
