// SPDX-License-Identifier: MIT
// Fuzz target: the input is a sound file, read through dos and iffparse the way Sound reads
// it (VHDR a property, BODY a stop), then parsed on to the end so that every chunk is visited.
// Every chunk the parser stops on must be one the input's own layout declares, met in file
// order, and ReadChunkBytes must give exactly that chunk's next bytes.
#include "fuzz/FuzzSupport.h"
#include "platform/dos/Dos.h"
#include "platform/iffparse/IffParse.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace amiga;

namespace {

constexpr LONG ID_8SVX = MAKE_ID('8', 'S', 'V', 'X');
constexpr LONG ID_VHDR = MAKE_ID('V', 'H', 'D', 'R');
constexpr LONG ID_BODY = MAKE_ID('B', 'O', 'D', 'Y');

// The input as a file dos can open by name, without touching the disk.
std::string InputFile(const uint8_t* data, size_t size)
{
    static const int memory = memfd_create("kesa-iff-fuzz", 0);
    if (memory < 0 || ftruncate(memory, 0) != 0 || pwrite(memory, data, size, 0) != static_cast<ssize_t>(size)) {
        return {};
    }
    return "/proc/self/fd/" + std::to_string(memory);
}

struct Declared {
    LONG id;
    uint64_t size;
};

uint32_t BigEndian(const uint8_t* bytes)
{
    return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

bool IsGroup(LONG id)
{
    return id == ID_FORM || id == ID_LIST || id == ID_CAT || id == ID_PROP;
}

// Every chunk header where the IFF layout puts one, by the offset of the chunk's data: read
// from the bytes alone, without the parser, whether or not the parser would accept them.
std::map<uint64_t, Declared> DeclaredChunks(const uint8_t* data, size_t size)
{
    std::map<uint64_t, Declared> chunks;
    std::vector<std::pair<uint64_t, uint64_t>> ranges{{0, size}};
    while (!ranges.empty()) {
        auto [begin, end] = ranges.back();
        ranges.pop_back();
        while (begin + 8 <= end) {
            const auto id = static_cast<LONG>(BigEndian(data + begin));
            const uint64_t length = BigEndian(data + begin + 4);
            const uint64_t start = begin + 8;
            chunks[start] = {id, length};
            if (IsGroup(id) && length >= 4) {
                ranges.emplace_back(start + 4, std::min(start + length, end));
            }
            begin = start + length + (length & 1);
        }
    }
    return chunks;
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
        // The last byte picks the mode, so STEP's bookkeeping is exercised too, and whether
        // groups are read from as well as data chunks.
        const UBYTE last = size > 0 ? data[size - 1] : 0;
        const LONG control = (last & 1) != 0 ? IFFPARSE_STEP : IFFPARSE_SCAN;
        const bool readGroups = (last & 2) != 0;
        const std::map<uint64_t, Declared> declared = DeclaredChunks(data, size);
        // Reading from a group makes the parser take what follows for chunk headers, where the
        // layout has none: from then on only the reads are held to the input.
        bool inLayout = true;
        uint64_t lastStart = 0;
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
            ContextNode* current = CurrentChunk(iff);
            FUZZ_REQUIRE(current != nullptr);
            const LONG scan = current->cn_Scan;
            FUZZ_REQUIRE(scan >= 0 && scan <= current->cn_Size);
            const uint64_t position = static_cast<uint64_t>(Seek(file, 0, OFFSET_CURRENT));
            const uint64_t start = position - static_cast<uint64_t>(scan);
            if (inLayout) {
                const auto chunk = declared.find(start);
                FUZZ_REQUIRE(chunk != declared.end() && start > lastStart);
                FUZZ_REQUIRE(chunk->second.id == current->cn_ID &&
                             chunk->second.size == static_cast<uint64_t>(current->cn_Size));
                lastStart = start;
            }
            if (IsGroup(current->cn_ID) && !readGroups) {
                continue;
            }
            UBYTE buffer[64];
            const LONG got = ReadChunkBytes(iff, buffer, sizeof buffer);
            FUZZ_REQUIRE(got == std::min<LONG>(sizeof buffer, current->cn_Size - scan));
            FUZZ_REQUIRE(position + static_cast<uint64_t>(got) <= size);
            FUZZ_REQUIRE(std::memcmp(buffer, data + position, static_cast<size_t>(got)) == 0);
            FUZZ_REQUIRE(current->cn_Scan == scan + got);
            inLayout = inLayout && !(IsGroup(current->cn_ID) && got > 0);
            sink = sink + static_cast<unsigned>(ParentChunk(current) != nullptr);
        }
        CloseIFF(iff);
    }
    FreeIFF(iff);
    Close(file);
    return 0;
}
