// SPDX-License-Identifier: MIT
// DisplayAlert: its text format, its look, the button that answers it, the screen afterwards.
#include "platform/testing/InputTesting.h"
#include "platform/intuition/Intuition.h"
#include "platform/testing/RequesterTesting.h"
#include "platform/intuition/Requesters.h"
#include "platform/testing/Testing.h"

#include "BackdropFixture.h"
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace amiga;
using internal::HostEvent;

namespace {

// One line of an alert string: x (high byte first), y, text, NUL, continuation byte.
void AddLine(std::string& alert, int x, int y, const std::string& text, bool more)
{
    alert += static_cast<char>(x >> 8);
    alert += static_cast<char>(x & 0xFF);
    alert += static_cast<char>(y);
    alert += text;
    alert += '\0';
    alert += static_cast<char>(more ? 1 : 0);
}

constexpr UBYTE kAmber = 9;
constexpr UBYTE kRed = 10;

class AlertTest : public BackdropFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenBackdrop("Alerts", IDCMP_MOUSEBUTTONS));
        for (ULONG pen = 0; pen < 256; ++pen) // greys, none of them near the alert colours
            SetRGB32(&screen->ViewPort, pen, 0x40000000, 0x40000000, 0x40000000);
        SetRGB32(&screen->ViewPort, PenBlack, 0, 0, 0);
        SetRGB32(&screen->ViewPort, kAmber, 0xF0000000, 0xA0000000, 0x10000000);
        SetRGB32(&screen->ViewPort, kRed, 0xE0000000, 0x10000000, 0x10000000);
        SetAPen(window->RPort, 4);
        RectFill(window->RPort, 0, 0, 639, 479);
        AddLine(alert, 10, 20, "TITLE", true);
        AddLine(alert, 10, 42, "body %s %d", true);
        AddLine(alert, 10, 64, ".. PREMI IL PULSANTE DEL MOUSE", false);
    }

    // How many pixels of the alert's rows top..top+7 from x = 10 are in `pen`.
    static int PensInRows(const RequesterRecord& shown, int top, UBYTE pen)
    {
        int count = 0;
        for (int y = top; y < top + 8; ++y)
            for (int x = 10; x < 300; ++x)
                count += shown.At(x, y) == pen;
        return count;
    }

    std::string alert;
};

} // namespace

TEST_F(AlertTest, LeftButtonGoesOnRightButtonDoesNot)
{
    AnswerNextAlert(HostEvent::LeftButton);
    EXPECT_EQ(DisplayAlert(RECOVERY_ALERT, alert.c_str(), 80), TRUE);
    AnswerNextAlert(HostEvent::RightButton);
    EXPECT_EQ(DisplayAlert(RECOVERY_ALERT, alert.c_str(), 80), FALSE);
    // Neither the clicks nor their releases reached the window underneath.
    EXPECT_TRUE(DrainMessages(window).empty());
}

TEST_F(AlertTest, DrawsABlackBandWithAnAmberFrameAndItsLines)
{
    const ComposedScreen before = ComposeScreen(screen);
    AnswerNextAlert(HostEvent::LeftButton);
    DisplayAlert(RECOVERY_ALERT, alert.c_str(), 80);
    const RequesterRecord shown = LastAlert();
    // It takes the whole screen, which shows below the band what it showed before.
    ASSERT_EQ(shown.width, 640);
    ASSERT_EQ(shown.height, 480);
    EXPECT_EQ(shown.left, 0);
    EXPECT_EQ(shown.top, 0);
    for (int y = 80; y < 480; y += 50)
        EXPECT_EQ(shown.At(320, y), before.At(320, y)) << y;
    EXPECT_EQ(shown.At(639, 479), before.At(639, 479));
    EXPECT_EQ(shown.At(0, 0), PenBlack);
    EXPECT_EQ(shown.At(3, 40), kAmber);     // left side of the frame
    EXPECT_EQ(shown.At(636, 40), kAmber);   // right side
    EXPECT_EQ(shown.At(320, 3), kAmber);    // top
    EXPECT_EQ(shown.At(320, 76), kAmber);   // bottom
    EXPECT_EQ(shown.At(320, 30), PenBlack); // inside, between the lines
    // Each line sits on its baseline: glyph pixels in the rows above y, none in the row gaps.
    EXPECT_GT(PensInRows(shown, 20 - 6, kAmber), 10);
    EXPECT_GT(PensInRows(shown, 42 - 6, kAmber), 10);
    EXPECT_GT(PensInRows(shown, 64 - 6, kAmber), 10);
    EXPECT_EQ(PensInRows(shown, 24, kAmber), 0);
    // The screen shows its old content once the alert is answered.
    EXPECT_EQ(ComposeScreen(screen).pixels, before.pixels);
}

TEST_F(AlertTest, DeadEndAlertsAreRedAndNeverGoOn)
{
    AnswerNextAlert(HostEvent::LeftButton);
    EXPECT_EQ(DisplayAlert(DEADEND_ALERT, alert.c_str(), 60), FALSE);
    EXPECT_EQ(LastAlert().At(3, 30), kRed);
    EXPECT_EQ(LastAlert().At(320, 57), kRed); // the band is 60 rows high
    EXPECT_EQ(LastAlert().At(320, 60), 4);
}

TEST_F(AlertTest, AStringWithoutItsEndIsReadOnlyUpToTheBound)
{
    // Every line says another follows, up to the end of a 512-byte buffer: the lines are
    // drawn and nothing past the buffer is read (the sanitizer build sees any such read).
    std::string lines;
    while (lines.size() < 512)
        AddLine(lines, 10, 20, "ABCDEFG", true);
    const std::vector<char> endless(lines.begin(), lines.begin() + 512);
    AnswerNextAlert(HostEvent::LeftButton);
    EXPECT_EQ(DisplayAlert(RECOVERY_ALERT, endless.data(), 80), TRUE);
    EXPECT_GT(PensInRows(LastAlert(), 20 - 6, kAmber), 10);
    // A text without its NUL: the line cut short is not drawn.
    std::vector<char> unterminated(512, 'A');
    unterminated[0] = 0;
    unterminated[1] = 10;
    unterminated[2] = 20;
    AnswerNextAlert(HostEvent::LeftButton);
    EXPECT_EQ(DisplayAlert(RECOVERY_ALERT, unterminated.data(), 80), TRUE);
    EXPECT_EQ(PensInRows(LastAlert(), 20 - 6, kAmber), 0);
    // Lines placed below the band are not drawn over the screen.
    std::string low;
    AddLine(low, 10, 120, "LOW", false);
    AnswerNextAlert(HostEvent::LeftButton);
    DisplayAlert(RECOVERY_ALERT, low.c_str(), 80);
    EXPECT_EQ(PensInRows(LastAlert(), 120 - 6, kAmber), 0);
    EXPECT_EQ(PensInRows(LastAlert(), 120 - 6, 4), 8 * 290);
}

TEST_F(AlertTest, WithoutTextOrScreenNothingBreaks)
{
    AnswerNextAlert(HostEvent::LeftButton);
    EXPECT_EQ(DisplayAlert(RECOVERY_ALERT, nullptr, 40), TRUE);
    EXPECT_EQ(PensInRows(LastAlert(), 10, kAmber), 0);
    ClearRequesterAnswers();
    ResetIntuition();
    EXPECT_EQ(DisplayAlert(RECOVERY_ALERT, alert.c_str(), 80), FALSE);
}
