// SPDX-License-Identifier: MIT
// IFF bytes for tests: chunks with big-endian sizes and their pad bytes, and 8SVX sounds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace iff {

inline std::string Be32(uint32_t value)
{
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
            static_cast<char>(value)};
}

// A chunk whose header may claim another size than its data has (for broken files).
inline std::string ChunkClaiming(const std::string& id, uint32_t size, const std::string& data)
{
    return id + Be32(size) + data;
}

inline std::string Chunk(const std::string& id, const std::string& data)
{
    std::string bytes = ChunkClaiming(id, static_cast<uint32_t>(data.size()), data);
    if (data.size() % 2 != 0)
        bytes.push_back('\0');
    return bytes;
}

inline std::string Group(const std::string& id, const std::string& type, const std::string& contents)
{
    return Chunk(id, type + contents);
}

inline std::string VoiceHeader(uint32_t oneShot, uint32_t repeat, uint16_t rate, uint8_t octaves = 1,
                               uint8_t compression = 0)
{
    std::string bytes = Be32(oneShot) + Be32(repeat) + Be32(0);
    bytes += static_cast<char>(rate >> 8);
    bytes += static_cast<char>(rate);
    bytes += static_cast<char>(octaves);
    bytes += static_cast<char>(compression);
    return bytes + Be32(0x10000);
}

// Sample i of the test waveform: consecutive samples always differ, the first is not 0.
inline int8_t Ramp(size_t i)
{
    return static_cast<int8_t>(static_cast<uint8_t>(i * 37 + 1));
}

inline std::string RampBytes(size_t count)
{
    std::string bytes;
    for (size_t i = 0; i < count; ++i)
        bytes.push_back(static_cast<char>(Ramp(i)));
    return bytes;
}

inline std::string Sound8svx(const std::string& samples, uint16_t rate, uint8_t octaves = 1, uint8_t compression = 0)
{
    return Group("FORM", "8SVX",
                 Chunk("VHDR", VoiceHeader(static_cast<uint32_t>(samples.size()), 0, rate, octaves, compression)) +
                     Chunk("BODY", samples));
}

} // namespace iff
