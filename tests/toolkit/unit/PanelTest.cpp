// SPDX-License-Identifier: MIT
// The panel: its painting in a real window, under the children that the window paints
// after it.
#include "toolkit/controls/PanelChildren.h"

#include "ElementTestSupport.h"
#include "tests/support/ToolkitFixture.h"
#include "platform/gadtools/GadTools.h"
#include "platform/graphics/Graphics.h"
#include "platform/testing/InputTesting.h"
#include "platform/testing/Testing.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/KesaScreen.h"

#include <gtest/gtest.h>

using namespace amiga;

namespace {

// A render control that fills its box in one pen, so that painting order shows in pixels.
class SolidControl : public TestControl {
public:
    SolidControl(GUIElement* parentElement, ULONG penNumber) : TestControl(parentElement), pen(penNumber)
    {
        isRenderControl = 1;
    }
    void OnPaint() override
    {
        Form* form = static_cast<Form*>(GetFormParent());
        const tagPOINT origin = GetPositionFromParent(x, y);
        SetAPen(form->GetHandle()->RPort, pen);
        RectFill(form->GetHandle()->RPort, origin.x, origin.y, origin.x + width - 1, origin.y + height - 1);
    }

private:
    ULONG pen;
};

class PanelTest : public ToolkitFixture {};

TEST_F(PanelTest, BorderedPanelPaintsBackgroundAndSunkenBevelUnderItsChildren)
{
    screen = std::make_unique<KesaScreen>("Panel");
    ASSERT_NE(screen->GetHandle(), nullptr);
    Form form(0);
    form.SetScreen(screen.get());
    form.SetBackgroundColor(3);
    form.Show();
    ASSERT_TRUE(form.IsLoad());
    RastPort* rp = form.GetHandle()->RPort;

    PanelChildren framed(&form);
    framed.SetLocation(10, 23);
    framed.SetSize(40, 30);
    framed.SetBorder(1);
    framed.Show();
    SolidControl inside(&framed, 7);
    inside.SetLocation(5, 5);
    inside.SetSize(4, 4);
    inside.Show();
    PanelChildren plain(&form); // no border, no background: paints nothing
    plain.SetLocation(100, 100);
    plain.Show();
    form.Refresh();

    EXPECT_EQ(ReadPixel(rp, 9, 23), 3);  // the window around it
    EXPECT_EQ(ReadPixel(rp, 10, 23), 1); // top-left corner
    EXPECT_EQ(ReadPixel(rp, 30, 23), 1); // top edge
    EXPECT_EQ(ReadPixel(rp, 10, 40), 1); // left edge
    EXPECT_EQ(ReadPixel(rp, 49, 23), 2); // top-right corner belongs to the right edge
    EXPECT_EQ(ReadPixel(rp, 49, 40), 2); // right edge
    EXPECT_EQ(ReadPixel(rp, 10, 52), 2); // bottom-left corner belongs to the bottom edge
    EXPECT_EQ(ReadPixel(rp, 30, 52), 2); // bottom edge
    EXPECT_EQ(ReadPixel(rp, 50, 40), 3);
    EXPECT_EQ(ReadPixel(rp, 30, 40), 0); // inside: pen 0 without a background colour
    EXPECT_EQ(ReadPixel(rp, 15, 28), 7); // the child, painted over the panel
    EXPECT_EQ(ReadPixel(rp, 18, 31), 7);
    EXPECT_EQ(ReadPixel(rp, 19, 32), 0);
    EXPECT_EQ(ReadPixel(rp, 120, 120), 3);

    framed.SetBackgroundColor(5);
    EXPECT_EQ(ReadPixel(rp, 30, 40), 5);
    EXPECT_EQ(ReadPixel(rp, 10, 23), 1);

    // Nothing is painted while a window builds its children.
    framed.SetBorder(0);
    framed.SetBackgroundColor(static_cast<unsigned long>(-1));
    Application::SospendiRefresh = 1;
    plain.SetBackgroundColor(6);
    plain.OnPaint();
    EXPECT_EQ(ReadPixel(rp, 120, 120), 3);
    Application::SospendiRefresh = 0;
    form.Refresh();
    EXPECT_EQ(ReadPixel(rp, 120, 120), 6); // a background colour alone is painted
    EXPECT_EQ(ReadPixel(rp, 10, 23), 3);   // the border is gone
}

} // namespace
