// SPDX-License-Identifier: MIT
// The program's screen with a main window and a dialog full of self-painting elements, on
// the dummy driver: the screenshot written as PNG shows what the elements painted.
#include "platform/gadtools/GadTools.h"
#include "platform/testing/InputTesting.h"
#include "platform/intuition/Intuition.h"
#include "tests/support/PngFile.h"
#include "platform/testing/Testing.h"
#include "toolkit/controls/Drawing.h"
#include "toolkit/core/Application.h"
#include "toolkit/core/Child.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/KesaScreen.h"

#include "tests/support/ToolkitFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace amiga;

namespace {

// Pens of the test palette.
constexpr ULONG Black = 0;
constexpr ULONG Sky = 1;
constexpr ULONG Red = 2;
constexpr ULONG Yellow = 3;
constexpr ULONG White = 4;
constexpr ULONG Green = 5;

constexpr ULONG Colours[] = {0x000000, 0x3060C0, 0xE02020, 0xF0E040, 0xFFFFFF, 0x20A040};

// A filled, outlined box that paints itself into its window, the way the toolkit's
// controls do: one Drawing on the window's RastPort per paint, nothing while suspended.
class Swatch : public Child {
public:
    Swatch(Form* owner, int left, int top, int w, int h, long fill, long border, std::string caption)
        : Child(owner), fillPen(fill), borderPen(border)
    {
        className = "swatch";
        isRenderControl = 1;
        x = left;
        y = top;
        width = w;
        height = h;
        text = std::move(caption);
    }
    void Load() override
    {
        LoadElementBase();
        loaded = true;
        visible = true;
        OnPaint();
    }
    void OnPaint() override
    {
        if (Application::SospendiRefresh)
            return;
        Window* window = static_cast<Form*>(parent)->GetHandle();
        if (!window)
            return;
        ++paints;
        Drawing painter(window->RPort);
        painter.DrawFillRectangle(x, y, width, height, 2, borderPen, fillPen);
        if (!text.empty())
            painter.PrintText(x + 4, y + 4, width - 8, height - 8, text, White, fillPen, GetFonts(), 2);
    }

    long fillPen;
    long borderPen;
    int paints = 0;
};

struct Scene {
    static inline std::vector<Swatch*> made;
    static void MainChildren(GUIElement* owner, unsigned long)
    {
        auto* form = static_cast<Form*>(owner);
        made.push_back(new Swatch(form, 40, 60, 200, 120, Red, Yellow, "KESA"));
        made.push_back(new Swatch(form, 300, 300, 100, 50, Green, White, ""));
        for (Swatch* s : made)
            s->Show();
    }
};

class ScreenPaintTest : public ToolkitFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ToolkitFixture::SetUp());
        Scene::made.clear();
    }
    void TearDown() override
    {
        for (Swatch* s : Scene::made)
            delete s;
        Scene::made.clear();
        ToolkitFixture::TearDown();
    }
};

int CountPen(const testsupport::PngImage& png, int x0, int y0, int x1, int y1, int pen)
{
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            n += png.indices[static_cast<size_t>(y * png.width + x)] == pen ? 1 : 0;
    return n;
}

} // namespace

TEST_F(ScreenPaintTest, ScreenshotShowsWhatTheElementsPainted)
{
    screen = std::make_unique<KesaScreen>("Kesa Pegline");
    Screen* handle = screen->GetHandle();
    ASSERT_NE(handle, nullptr);
    for (ULONG pen = 0; pen < std::size(Colours); ++pen) {
        const ULONG c = Colours[pen];
        SetRGB32(&handle->ViewPort, pen, ((c >> 16) & 0xFF) * 0x01010101u, ((c >> 8) & 0xFF) * 0x01010101u,
                 (c & 0xFF) * 0x01010101u);
    }

    Form main(0);
    main.SetScreen(screen.get());
    main.SetBackgroundColor(Sky);
    main.SetOnCreateChildren(&Scene::MainChildren);
    main.Show();
    ASSERT_TRUE(main.IsLoad());
    ASSERT_EQ(Scene::made.size(), 2u);
    // Painting was held back while the children were built, then done once.
    EXPECT_EQ(Scene::made[0]->paints, 1);
    EXPECT_EQ(Scene::made[1]->paints, 1);

    Form dialog(0, true);
    dialog.SetScreen(screen.get());
    dialog.SetBackgroundColor(White);
    dialog.SetSize(120, 60);
    dialog.SetLocation(500, 400);
    dialog.SetText("Dialogo");
    dialog.Show();
    ASSERT_TRUE(dialog.IsLoad());
    Window* dw = dialog.GetHandle();
    ASSERT_NE(dw, nullptr);

    ASSERT_TRUE(SaveScreenPNG(handle, "screen.png"));
    testsupport::PngImage png;
    std::string error;
    ASSERT_TRUE(testsupport::LoadPNG("screen.png", png, &error)) << error;
    ASSERT_EQ(png.width, 800);
    ASSERT_EQ(png.height, 600);
    ASSERT_TRUE(png.paletted);
    ASSERT_GE(png.palette.size(), std::size(Colours));
    for (size_t pen = 0; pen < std::size(Colours); ++pen)
        EXPECT_EQ(png.palette[pen], Colours[pen]) << "pen " << pen;
    auto at = [&png](int px, int py) {
        return static_cast<int>(png.indices[static_cast<size_t>(py * png.width + px)]);
    };

    // The backdrop's background below the title bar.
    EXPECT_EQ(at(10, 590), static_cast<int>(Sky));
    EXPECT_EQ(at(790, 100), static_cast<int>(Sky));
    // The first swatch: filled 40..239 × 60..179, a two-pixel outline on 40..238 × 60..178
    // that thickens down and right, the last column and row in the fill.
    EXPECT_EQ(at(40, 60), static_cast<int>(Yellow));
    EXPECT_EQ(at(41, 61), static_cast<int>(Yellow));
    EXPECT_EQ(at(238, 120), static_cast<int>(Yellow));
    EXPECT_EQ(at(239, 120), static_cast<int>(Yellow)); // the right edge thickened into it
    EXPECT_EQ(at(120, 179), static_cast<int>(Yellow)); // and the bottom one
    EXPECT_EQ(at(43, 100), static_cast<int>(Red));
    EXPECT_EQ(at(240, 120), static_cast<int>(Sky));
    EXPECT_EQ(at(120, 180), static_cast<int>(Sky));
    // Its caption: white glyphs centred in the box, nothing of them outside it.
    EXPECT_GT(CountPen(png, 44, 64, 235, 175, static_cast<int>(White)), 20);
    EXPECT_EQ(CountPen(png, 44, 64, 110, 175, static_cast<int>(White)), 0);
    EXPECT_EQ(CountPen(png, 170, 64, 235, 175, static_cast<int>(White)), 0);
    // The second swatch.
    EXPECT_EQ(at(350, 325), static_cast<int>(Green));
    EXPECT_EQ(at(300, 300), static_cast<int>(White));
    // The dialog in front: its inner area in its own background.
    const int innerX = dw->LeftEdge + dw->BorderLeft;
    const int innerY = dw->TopEdge + dw->BorderTop;
    EXPECT_EQ(at(innerX + 60, innerY + 30), static_cast<int>(White));
    EXPECT_EQ(at(innerX + 119, innerY + 59), static_cast<int>(White));

    // What was saved is what the screen shows.
    ComposedScreen shown = ComposeScreen(handle);
    ASSERT_EQ(shown.pixels.size(), png.indices.size());
    EXPECT_TRUE(shown.pixels == png.indices);

    dialog.CloseForm();
    main.CloseForm();
    EXPECT_TRUE(screen->Close());
}
