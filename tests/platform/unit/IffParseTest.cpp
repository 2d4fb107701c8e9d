// SPDX-License-Identifier: MIT
// iffparse: scanning to a stop chunk, property scoping, pads, and broken files refused.
#include "platform/dos/Dos.h"
#include "platform/iffparse/IffParse.h"
#include "platform/testing/Testing.h"
#include "tests/support/IffBuilder.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

using namespace amiga;
using iff::Chunk;
using iff::ChunkClaiming;
using iff::Group;

namespace {

constexpr LONG ID_8SVX = MAKE_ID('8', 'S', 'V', 'X');
constexpr LONG ID_VHDR = MAKE_ID('V', 'H', 'D', 'R');
constexpr LONG ID_BODY = MAKE_ID('B', 'O', 'D', 'Y');

class IffParse : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetPlatform();
        ASSERT_TRUE(dir.Ok());
    }
    void TearDown() override
    {
        Release();
        ResetPlatform();
    }

    // Opens the bytes as Sound does, with VHDR a property and BODY a stop; OpenIFF's result.
    LONG Open(const std::string& bytes)
    {
        Release();
        const std::string path = dir.Path("f.iff");
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        handle = AllocIFF();
        file = amiga::Open(path.c_str(), MODE_OLDFILE);
        handle->iff_Stream = file;
        InitIFFasDOS(handle);
        const LONG error = OpenIFF(handle, IFFF_READ);
        EXPECT_EQ(PropChunk(handle, ID_8SVX, ID_VHDR), 0);
        EXPECT_EQ(StopChunk(handle, ID_8SVX, ID_BODY), 0);
        return error;
    }
    void Release()
    {
        if (handle != nullptr) {
            CloseIFF(handle);
            FreeIFF(handle);
            handle = nullptr;
        }
        if (file != 0)
            Close(file);
        file = 0;
    }
    // The first byte of the VHDR property in scope, -1 when there is none.
    int PropertyTag()
    {
        const StoredProperty* property = FindProp(handle, ID_8SVX, ID_VHDR);
        return property == nullptr ? -1 : static_cast<const UBYTE*>(property->sp_Data)[0];
    }
    std::string ReadBody(LONG ask)
    {
        std::string bytes(static_cast<size_t>(ask), '\0');
        const LONG got = ReadChunkBytes(handle, bytes.data(), ask);
        bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
        return bytes;
    }

    TempDirectory dir;
    IFFHandle* handle = nullptr;
    BPTR file = 0;
};

TEST_F(IffParse, ScansToTheStopChunkAndReadsOnlyItsData)
{
    // An odd chunk before the header: its pad byte must be skipped for VHDR to be found.
    ASSERT_EQ(
        Open(Group("FORM", "8SVX",
                   Chunk("ANNO", "abc") + Chunk("VHDR", "\x07xyz") + Chunk("BODY", "hello") + Chunk("CHAN", "zz"))),
        0);
    ASSERT_EQ(ParseIFF(handle, IFFPARSE_SCAN), 0);
    ContextNode* body = CurrentChunk(handle);
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->cn_ID, ID_BODY);
    EXPECT_EQ(body->cn_Type, ID_8SVX);
    EXPECT_EQ(body->cn_Size, 5);
    EXPECT_EQ(ParentChunk(body)->cn_ID, ID_FORM);
    EXPECT_EQ(handle->iff_Depth, 2);
    EXPECT_EQ(FindProp(handle, ID_8SVX, ID_VHDR)->sp_Size, 4);
    EXPECT_EQ(PropertyTag(), 7);
    EXPECT_EQ(FindProp(handle, MAKE_ID('I', 'L', 'B', 'M'), ID_VHDR), nullptr);

    EXPECT_EQ(ReadBody(3), "hel");
    EXPECT_EQ(ReadBody(100), "lo"); // never past the chunk, though the file goes on
    EXPECT_EQ(ReadBody(100), "");
    EXPECT_EQ(ParseIFF(handle, IFFPARSE_SCAN), IFFERR_EOF);
}

TEST_F(IffParse, PropertiesAreScopedByTheirFormOrList)
{
    // A LIST's PROP serves every FORM in it unless a FORM has its own; a FORM's own goes with
    // it (also a nested FORM's); outside the LIST nothing is in scope.
    const std::string body = Chunk("BODY", "x");
    const std::string nested = Group("FORM", "8SVX", Chunk("VHDR", "\x05"));
    const std::string list =
        Group("LIST", "8SVX",
              Group("PROP", "8SVX", Chunk("VHDR", "\x01")) + Group("FORM", "8SVX", body) +
                  Group("FORM", "8SVX", Chunk("VHDR", "\x02") + nested + body) + Group("FORM", "8SVX", body) +
                  Group("CAT ", "    ", Group("FORM", "8SVX", body)));
    ASSERT_EQ(Open(Group("CAT ", "8SVX", list + Group("FORM", "8SVX", body))), 0);
    for (const int expected : {1, 2, 1, 1, -1}) {
        ASSERT_EQ(ParseIFF(handle, IFFPARSE_SCAN), 0) << "expecting " << expected;
        EXPECT_EQ(PropertyTag(), expected);
    }
    EXPECT_EQ(ParseIFF(handle, IFFPARSE_SCAN), IFFERR_EOF);
}

TEST_F(IffParse, StepReportsEveryEntryAndExit)
{
    ASSERT_EQ(Open(Group("FORM", "8SVX", Chunk("VHDR", "v") + Chunk("NAME", "n"))), 0);
    std::string trace;
    for (int step = 0; step < 20; ++step) {
        const LONG result = ParseIFF(handle, IFFPARSE_STEP);
        if (result == IFFERR_EOF)
            break;
        ASSERT_TRUE(result == 0 || result == IFFERR_EOC) << result;
        trace += result == 0 ? '+' : '-';
        trace += static_cast<char>(CurrentChunk(handle)->cn_ID >> 24);
    }
    EXPECT_EQ(trace, "+F+V-V+N-N-F");
}

struct Broken {
    const char* what;
    std::string bytes;
    LONG openResult;
    LONG parseResult;
};

TEST_F(IffParse, BrokenFilesAreRefusedWithoutReadingPastTheirEnd)
{
    const std::string vhdr = Chunk("VHDR", iff::VoiceHeader(4, 0, 8000));
    const std::string full = Group("FORM", "8SVX", vhdr + Chunk("BODY", "abcd"));
    const Broken cases[] = {
        {"empty file", "", IFFERR_NOTIFF, 0},
        {"not IFF", "RIFF\0\0\0\4WAVE", IFFERR_NOTIFF, 0},
        {"a PROP is no file", Group("PROP", "8SVX", vhdr), IFFERR_NOTIFF, 0},
        {"FORM claims more than the file", ChunkClaiming("FORM", 1000, "8SVX" + vhdr), 0, IFFERR_MANGLED},
        {"file cut inside BODY", full.substr(0, full.size() - 2), 0, IFFERR_MANGLED},
        {"file cut inside a header", full.substr(0, 14), 0, IFFERR_MANGLED},
        {"BODY larger than its FORM",
         ChunkClaiming("FORM", 12 + 28 + 8, "8SVX" + vhdr + ChunkClaiming("BODY", 40, "abcd")), 0, IFFERR_MANGLED},
        {"size beyond 31 bits", ChunkClaiming("FORM", 0xFFFFFFF0u, "8SVX" + vhdr), 0, IFFERR_MANGLED},
        {"FORM too short for its type", ChunkClaiming("FORM", 2, "8S"), 0, IFFERR_MANGLED},
        {"stray bytes after the last chunk", ChunkClaiming("FORM", 4 + 28 + 3, "8SVX" + vhdr + "abc"), 0,
         IFFERR_MANGLED},
        {"PROP inside a FORM", Group("FORM", "8SVX", Group("PROP", "8SVX", vhdr)), 0, IFFERR_SYNTAX},
        {"data chunk inside a CAT", Group("CAT ", "8SVX", vhdr), 0, IFFERR_SYNTAX},
        {"group inside a PROP", Group("LIST", "8SVX", Group("PROP", "8SVX", Group("FORM", "8SVX", ""))), 0,
         IFFERR_SYNTAX},
        {"unprintable chunk id", Group("FORM", "8SVX", Chunk(std::string("V\1DR"), "x")), 0, IFFERR_SYNTAX},
        {"FORM of type FORM", Group("FORM", "FORM", vhdr), 0, IFFERR_SYNTAX},
        {"no BODY", Group("FORM", "8SVX", vhdr), 0, IFFERR_EOF},
    };
    for (const Broken& broken : cases) {
        SCOPED_TRACE(broken.what);
        ASSERT_EQ(Open(broken.bytes), broken.openResult);
        if (broken.openResult != 0)
            continue;
        EXPECT_EQ(ParseIFF(handle, IFFPARSE_SCAN), broken.parseResult);
        // Errors stick: the stream no longer matches the chunks.
        EXPECT_EQ(ParseIFF(handle, IFFPARSE_SCAN), broken.parseResult);
    }
}

TEST_F(IffParse, AMissingFinalPadIsForgiven)
{
    ASSERT_EQ(Open(ChunkClaiming("FORM", 4 + 8 + 3, "8SVX" + ChunkClaiming("BODY", 3, "abc"))), 0);
    ASSERT_EQ(ParseIFF(handle, IFFPARSE_SCAN), 0);
    EXPECT_EQ(ReadBody(10), "abc");
    EXPECT_EQ(ParseIFF(handle, IFFPARSE_SCAN), IFFERR_EOF);
}

} // namespace
