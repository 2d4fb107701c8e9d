// SPDX-License-Identifier: MIT
// EasyRequestArgs answered through injected input: results, keys, literal "%", layout, and
// the windows under it left intact.
#include "platform/dos/Dos.h"
#include "platform/exec/Exec.h"
#include "platform/testing/InputTesting.h"
#include "platform/intuition/Intuition.h"
#include "platform/testing/RequesterTesting.h"
#include "platform/intuition/Requesters.h"
#include "platform/testing/Testing.h"

#include "BackdropFixture.h"
#include <gtest/gtest.h>

#include <cstring>

using namespace amiga;

namespace {

class RequesterTest : public BackdropFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenBackdrop("Requesters", IDCMP_MOUSEBUTTONS | IDCMP_RAWKEY));
        // Stripes the requester will cover.
        for (int i = 0; i < 48; ++i) {
            SetAPen(window->RPort, static_cast<ULONG>(5 + i % 7));
            RectFill(window->RPort, 0, i * 10, 639, i * 10 + 9);
        }
    }

    LONG Ask(CONST_STRPTR text, CONST_STRPTR gadgets, Window* on)
    {
        EasyStruct easy{sizeof(EasyStruct), 0, "Question", text, gadgets};
        return EasyRequestArgs(on, &easy, nullptr, nullptr);
    }
};

// Whether `text` in topaz 8, drawn in one pen, appears in the record's pixels in `pen` (every
// glyph pixel in the pen, every other pixel of its cells not).
bool ShowsText(const RequesterRecord& record, const char* text, UBYTE pen)
{
    RastPort rp;
    InitRastPort(&rp);
    const auto length = static_cast<ULONG>(std::strlen(text));
    const int width = TextLength(&rp, text, length);
    BitMap* stamp = AllocBitMap(static_cast<ULONG>(width), 8, 8, BMF_CLEAR, nullptr);
    rp.BitMap = stamp;
    SetAPen(&rp, 1);
    SetDrMd(&rp, JAM1);
    Move(&rp, 0, rp.TxBaseline);
    Text(&rp, text, length);
    bool found = false;
    for (int top = 0; top + 8 <= record.height && !found; ++top)
        for (int left = 0; left + width <= record.width && !found; ++left) {
            bool same = true;
            for (int y = 0; y < 8 && same; ++y)
                for (int x = 0; x < width && same; ++x)
                    same = (stamp->Pixels[y * stamp->BytesPerRow + x] == 1) == (record.At(left + x, top + y) == pen);
            found = same;
        }
    FreeBitMap(stamp);
    return found;
}

} // namespace

TEST_F(RequesterTest, ButtonsAreNumberedFromTheLeftWithTheRightmostZero)
{
    AnswerNextRequester(0);
    EXPECT_EQ(Ask("Quit?", "YES|NO", window), 1);
    AnswerNextRequester(1);
    EXPECT_EQ(Ask("Quit?", "YES|NO", window), 0);
    AnswerNextRequester(1);
    EXPECT_EQ(Ask("Which?", "One|Two|Three", window), 2);
    AnswerNextRequester(2);
    EXPECT_EQ(Ask("Which?", "One|Two|Three", window), 0);
    EXPECT_EQ(LastRequester().buttons, 3);
}

TEST_F(RequesterTest, ReturnChoosesTheLeftmostAndEscOrABreakTheRightmost)
{
    AnswerNextRequesterWithKey(RAWKEY_RETURN);
    EXPECT_EQ(Ask("Quit?", "YES | NO", window), 1);
    AnswerNextRequesterWithKey(RAWKEY_ESCAPE);
    EXPECT_EQ(Ask("Quit?", "YES | NO", window), 0);
    AnswerNextRequesterWithKey(RAWKEY_KP_ENTER);
    EXPECT_EQ(Ask("Done.", "OK", window), 0); // a lone button is the rightmost one too
    // The system asking the program to end answers at once and leaves the break for the
    // program's loop. (The Return is only heard if the break is not.)
    SetSignal(SIGBREAKF_CTRL_C, SIGBREAKF_CTRL_C);
    AnswerNextRequesterWithKey(RAWKEY_RETURN);
    EXPECT_EQ(Ask("Quit?", "YES | NO", window), 0);
    EXPECT_EQ(SetSignal(0, SIGBREAKF_CTRL_C) & SIGBREAKF_CTRL_C, SIGBREAKF_CTRL_C);
}

TEST_F(RequesterTest, TextIsShownLiterallyInCentredWindowOverIntactWindows)
{
    const ComposedScreen before = ComposeScreen(screen);
    AnswerNextRequester(0);
    EXPECT_EQ(Ask("%d%s%n\nsecond line %", "OK", window), 0);
    const RequesterRecord shown = LastRequester();
    EXPECT_EQ(shown.lines, 2);
    EXPECT_EQ(shown.buttons, 1);
    EXPECT_EQ(shown.left, (640 - shown.width) / 2);
    EXPECT_EQ(shown.top, (480 - shown.height) / 2);
    DrawInfo* info = GetScreenDrawInfo(screen);
    const auto textPen = static_cast<UBYTE>(info->dri_Pens[TEXTPEN]);
    FreeScreenDrawInfo(screen, info);
    EXPECT_TRUE(ShowsText(shown, "%d%s%n", textPen));
    EXPECT_TRUE(ShowsText(shown, "second line %", textPen));
    EXPECT_TRUE(ShowsText(shown, "OK", textPen));
    EXPECT_FALSE(ShowsText(shown, "%d%s%x", textPen)); // the search can fail
    // The requester window is gone and the stripes under it are as they were.
    const ComposedScreen after = ComposeScreen(screen);
    EXPECT_EQ(after.pixels, before.pixels);
    // The clicks went to the requester, none to the window underneath.
    EXPECT_TRUE(DrainMessages(window).empty());
}

TEST_F(RequesterTest, EmptyOrMissingGadgetTextStillShowsOneButton)
{
    AnswerNextRequester(0);
    EXPECT_EQ(Ask("Nothing to choose", "", window), 0);
    EXPECT_EQ(LastRequester().buttons, 1);
    AnswerNextRequester(0);
    EXPECT_EQ(Ask(nullptr, nullptr, window), 0);
    EXPECT_EQ(LastRequester().buttons, 1);
    EXPECT_EQ(LastRequester().lines, 1);
    // Without a description nothing opens: the cautious 0.
    EXPECT_EQ(EasyRequestArgs(window, nullptr, nullptr, nullptr), 0);
}

TEST_F(RequesterTest, WithoutAWindowItOpensOnTheDefaultPublicScreen)
{
    AnswerNextRequester(0);
    EXPECT_EQ(Ask("No window", "YES|NO", nullptr), 1);
    Screen* pub = LockPubScreen(nullptr);
    ASSERT_NE(pub, nullptr);
    EXPECT_EQ(LastRequester().left, (pub->Width - LastRequester().width) / 2);
    UnlockPubScreen(nullptr, pub);
}
