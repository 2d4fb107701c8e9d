// SPDX-License-Identifier: MIT
// exec memory and libraries, and tag lists.
#include "platform/exec/Exec.h"
#include "platform/testing/Testing.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace amiga;

namespace {

class ExecResources : public ::testing::Test {
protected:
    void SetUp() override { ResetPlatform(); }
    void TearDown() override { ResetPlatform(); }
};

bool AllZero(const void* block, size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(block);
    for (size_t i = 0; i < size; ++i) {
        if (bytes[i] != 0) {
            return false;
        }
    }
    return true;
}

TEST_F(ExecResources, ClearedMemoryIsZeroAndChipMemoryIsUsable)
{
    // Dirty the heap so that cleared memory cannot be zero by chance.
    for (int i = 0; i < 8; ++i) {
        APTR dirty = AllocMem(4096, MEMF_ANY);
        ASSERT_NE(dirty, nullptr);
        std::memset(dirty, 0xA5, 4096);
        FreeMem(dirty, 4096);
    }
    APTR mem = AllocMem(4096, MEMF_CHIP | MEMF_CLEAR);
    ASSERT_NE(mem, nullptr);
    EXPECT_TRUE(AllZero(mem, 4096));
    std::memset(mem, 0x5A, 4096);
    FreeMem(mem, 4096);

    APTR vec = AllocVec(1000, MEMF_PUBLIC | MEMF_CLEAR);
    ASSERT_NE(vec, nullptr);
    EXPECT_TRUE(AllZero(vec, 1000));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(vec) % alignof(std::max_align_t), 0u);
    FreeVec(vec);
    FreeVec(nullptr);

    EXPECT_EQ(AllocMem(0, MEMF_ANY), nullptr);
    EXPECT_EQ(AllocVec(0, MEMF_ANY), nullptr);
}

TEST_F(ExecResources, AllocationFailsOnceWhenAsked)
{
    FailNextAllocation();
    EXPECT_EQ(AllocMem(16, MEMF_CHIP), nullptr);
    APTR mem = AllocMem(16, MEMF_CHIP);
    EXPECT_NE(mem, nullptr);
    FreeMem(mem, 16);

    FailNextAllocation();
    EXPECT_EQ(AllocVec(16, MEMF_ANY), nullptr);
    APTR vec = AllocVec(16, MEMF_ANY);
    EXPECT_NE(vec, nullptr);
    FreeVec(vec);
}

TEST_F(ExecResources, AvailableMemoryIsPlausible)
{
    const IPTR total = AvailMem(MEMF_TOTAL);
    const IPTR free = AvailMem(MEMF_ANY);
    EXPECT_GT(total, IPTR{16} * 1024 * 1024);
    EXPECT_GT(free, 0u);
    EXPECT_LE(free, total);
    EXPECT_GT(AvailMem(MEMF_CHIP | MEMF_LARGEST), 0u);
}

TEST_F(ExecResources, LibrariesAnswerWithTheirVersionAndCountOpenings)
{
    for (const char* name : {"intuition.library", "graphics.library", "gadtools.library", "locale.library",
                             "keymap.library", "diskfont.library", "asl.library", "iffparse.library",
                             "workbench.library", "dos.library", "exec.library", "utility.library"}) {
        Library* library = OpenLibrary(name, 0);
        ASSERT_NE(library, nullptr) << name;
        EXPECT_GE(library->lib_Version, 40) << name;
        EXPECT_STREQ(library->lib_Node.ln_Name, name);
        CloseLibrary(library);
    }
    EXPECT_EQ(OpenLibrary("nonexistent.library", 0), nullptr);
    EXPECT_EQ(OpenLibrary(nullptr, 0), nullptr);

    Library* first = OpenLibrary("iffparse.library", 37);
    Library* second = OpenLibrary("iffparse.library", 0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->lib_OpenCnt, 2);
    CloseLibrary(second);
    EXPECT_EQ(first->lib_OpenCnt, 1);
    EXPECT_EQ(OpenLibrary("iffparse.library", first->lib_Version + 1u), nullptr) << "newer than we have";
    CloseLibrary(first);
    CloseLibrary(nullptr);
}

TEST_F(ExecResources, MissingLibraryFailsUntilRestored)
{
    SetLibraryMissing("workbench.library", true);
    EXPECT_EQ(OpenLibrary("workbench.library", 0), nullptr);
    EXPECT_NE(OpenLibrary("intuition.library", 0), nullptr) << "only the named one is missing";
    SetLibraryMissing("workbench.library", false);
    EXPECT_NE(OpenLibrary("workbench.library", 0), nullptr);

    SetLibraryMissing("asl.library", true);
    ResetPlatform();
    EXPECT_NE(OpenLibrary("asl.library", 0), nullptr) << "reset clears the switches";
}

TEST_F(ExecResources, TagListsFollowMoreSkipAndIgnore)
{
    constexpr Tag A = TAG_USER + 1, B = TAG_USER + 2, C = TAG_USER + 3, D = TAG_USER + 4;
    const TagItem tail[] = {{C, 30}, {TAG_DONE, 0}};
    const TagItem list[] = {
        {TAG_IGNORE, 0}, {A, 10}, {TAG_SKIP, 1}, {D, 99}, {B, 20}, {TAG_MORE, reinterpret_cast<IPTR>(tail)}, {D, 77}};
    EXPECT_EQ(GetTagData(A, 0, list), 10u);
    EXPECT_EQ(GetTagData(B, 0, list), 20u);
    EXPECT_EQ(GetTagData(C, 0, list), 30u);
    EXPECT_EQ(GetTagData(D, 5, list), 5u) << "skipped and after TAG_MORE are not in the list";
    EXPECT_EQ(FindTagItem(C, list), &tail[0]);
    EXPECT_EQ(FindTagItem(A, nullptr), nullptr);
    EXPECT_EQ(GetTagData(A, 42, nullptr), 42u);
}

} // namespace
