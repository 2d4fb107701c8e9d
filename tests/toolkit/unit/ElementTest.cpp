// SPDX-License-Identifier: MIT
// The element model: defaults, IDs, hit test, double click, focus and text change, callback
// defaults, retained state and the slot order of the virtual operations.
#include "ElementTestSupport.h"

#include "toolkit/controls/PanelChildren.h"
#include "toolkit/core/CommandElement.h"

#include <cstddef>
#include <cstring>

namespace {

std::vector<std::string> calls;

void RecordLeftUp(GUIElement*, unsigned long handle, tagPOINT p)
{
    calls.push_back("up " + std::to_string(handle) + " " + std::to_string(p.x) + "," + std::to_string(p.y));
}
void RecordDoubleClick(GUIElement*, unsigned long, tagPOINT)
{
    calls.push_back("double");
}
void RecordFocus(GUIElement* e)
{
    calls.push_back("focus " + e->GetText());
}
void RecordLeave(GUIElement* e)
{
    calls.push_back("leave " + e->GetText());
}
void RecordTextChange(GUIElement* e)
{
    calls.push_back("change " + e->GetText());
}
bool RefuseKey(GUIElement*, int key)
{
    return key != 13;
}
bool RefuseClosing(GUIElement*)
{
    return false;
}
void RecordClose(GUIElement* e)
{
    calls.push_back(e->IsClosed() ? "close after" : "close before");
}
void RecordCreate(GUIElement*, unsigned long handle)
{
    calls.push_back("create " + std::to_string(handle));
}
void RecordCommand(GUIElement* sender)
{
    calls.push_back("command " + sender->GetKesaClassName());
}
void RecordResize(GUIElement*)
{
    calls.push_back("resize");
}

class ElementTest : public ElementFixture {
protected:
    void SetUp() override
    {
        ElementFixture::SetUp();
        calls.clear();
    }
};

TEST_F(ElementTest, FreshElementHasDocumentedDefaults)
{
    TestControl e(nullptr, "");
    EXPECT_EQ(e.GetPosition(), (tagPOINT{100, 100}));
    EXPECT_EQ(e.GetSize(), (tagPOINT{100, 50}));
    EXPECT_EQ(e.GetBackgroundColor(), static_cast<unsigned long>(-1));
    EXPECT_TRUE(e.GetEnabled());
    EXPECT_FALSE(e.IsVisible());
    EXPECT_FALSE(e.IsLoad());
    EXPECT_EQ(e.GetID(), 0u);
    EXPECT_EQ(e.GetKesaClassName(), "");
    EXPECT_EQ(e.IsTabStop(), 1);
    EXPECT_EQ(e.IsRenderControl(), 0);
    EXPECT_EQ(e.IsChildren(), 1);
    EXPECT_EQ(e.GetInstance(), 0u);
    EXPECT_EQ(e.GetFonts()->GetNome(), "topaz.font");
    EXPECT_EQ(e.GetFonts()->GetSize(), 8);
    // A plain element's handle is the address of its handle value.
    e.Load();
    ASSERT_NE(e.GetHWND(), nullptr);
    EXPECT_EQ(*static_cast<unsigned long*>(e.GetHWND()), e.GetID());
}

TEST_F(ElementTest, IdsAreHandedOutOnceAndKeptAcrossReloads)
{
    TestControl first(nullptr);
    TestControl second(nullptr);
    const unsigned int before = GUIElement::countForm;

    first.Show();
    EXPECT_EQ(first.GetID(), before + 1);
    EXPECT_EQ(first.HandleValue(), before + 1);
    second.Load();
    EXPECT_EQ(second.GetID(), before + 2);

    first.Load();
    first.Unload();
    first.Show();
    EXPECT_EQ(first.GetID(), before + 1);
    EXPECT_EQ(GUIElement::countForm, before + 2);
}

TEST_F(ElementTest, LoadKeepsAHandleValueThatWasAlreadyGivenOnlyWhenTheIdExists)
{
    TestControl e(nullptr);
    e.SetHandleValue(77);
    e.Load();
    // The first load overwrites the handle value with the new ID...
    EXPECT_EQ(e.HandleValue(), e.GetID());
    e.SetHandleValue(77);
    e.Load();
    // ...later loads leave it alone.
    EXPECT_EQ(e.HandleValue(), 77u);
    EXPECT_EQ(e.fontsSet, 1); // the second load found the element loaded
}

TEST_F(ElementTest, HitIncludesRightAndBottomEdgesAndNeedsALoadedVisibleElement)
{
    TestControl e(nullptr);
    e.SetLocation(10, 20);
    e.SetSize(30, 40);
    EXPECT_FALSE(e.Hit(tagPOINT{15, 25})); // not loaded
    e.Show();
    EXPECT_TRUE(e.Hit(tagPOINT{10, 20}));
    EXPECT_TRUE(e.Hit(tagPOINT{40, 60}));
    EXPECT_FALSE(e.Hit(tagPOINT{41, 20}));
    EXPECT_FALSE(e.Hit(tagPOINT{10, 61}));
    EXPECT_FALSE(e.Hit(tagPOINT{9, 20}));
    EXPECT_FALSE(e.Hit(tagPOINT{10, 19}));
    e.Hide();
    EXPECT_FALSE(e.Hit(tagPOINT{15, 25}));
    EXPECT_TRUE(e.IsLoad()); // hiding keeps the counterpart and the ID
}

TEST_F(ElementTest, DoubleClickAtMost999MillisecondsAfterThePreviousRelease)
{
    ManualClock::now = 50000;
    TestControl e(nullptr);
    e.SetOnLeftMouseUP(RecordLeftUp);
    e.SetOnLeftMouseDBLCLK(RecordDoubleClick);
    e.Load();

    ManualClock::now += 1000; // 1000 ms after construction: no double click
    e.OnLeftMouseUP(tagPOINT{3, 4});
    EXPECT_EQ(e.doubleClicks, 0);
    ManualClock::now += 999;
    e.OnLeftMouseUP(tagPOINT{3, 4});
    EXPECT_EQ(e.doubleClicks, 1);
    ManualClock::now += 999; // three quick releases give two double clicks
    e.OnLeftMouseUP(tagPOINT{3, 4});
    EXPECT_EQ(e.doubleClicks, 2);
    ManualClock::now += 1000;
    e.OnLeftMouseUP(tagPOINT{3, 4});
    EXPECT_EQ(e.doubleClicks, 2);

    const std::string up = "up " + std::to_string(e.GetID()) + " 3,4";
    EXPECT_EQ(calls, (std::vector<std::string>{up, up, "double", up, "double", up}));
}

TEST_F(ElementTest, FirstReleaseSoonAfterConstructionIsADoubleClick)
{
    ManualClock::now = 9000;
    TestControl e(nullptr);
    ManualClock::now += 999;
    e.OnLeftMouseUP(tagPOINT{0, 0});
    EXPECT_EQ(e.doubleClicks, 1);
}

TEST_F(ElementTest, LeaveReportsATextChangeOnlyWhenTheTextDiffers)
{
    TestControl e(nullptr);
    e.SetOnFocus(RecordFocus);
    e.SetOnLeave(RecordLeave);
    e.SetOnTextChange(RecordTextChange);
    e.SetText("abc");

    e.OnFocus();
    EXPECT_EQ(e.Focused(), 1);
    e.OnLeave();
    EXPECT_EQ(e.Focused(), 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"focus abc", "leave abc"}));

    calls.clear();
    e.OnFocus();
    e.SetText("abcd"); // longer
    e.OnLeave();
    e.OnFocus();
    e.SetText("abce"); // same length, other bytes
    e.OnLeave();
    EXPECT_EQ(calls, (std::vector<std::string>{"focus abc", "leave abcd", "change abcd", "focus abcd", "leave abce",
                                               "change abce"}));
}

TEST_F(ElementTest, MissingHandlersLetKeysThroughAndLetTheElementClose)
{
    TestControl e(nullptr);
    EXPECT_TRUE(e.OnKeyPress(13));
    EXPECT_TRUE(e.OnClosing());
    // Every other operation with an empty slot does nothing.
    e.OnLeftMouseDOWN(tagPOINT{1, 1});
    e.OnRightMouseUP(tagPOINT{1, 1});
    e.OnKeyDOWN(5);
    e.OnMouseMove(1, 2);
    e.OnActivate();
    e.OnClose();
    EXPECT_TRUE(e.IsClosed());

    e.SetOnKeyPress(RefuseKey);
    e.SetOnClosing(RefuseClosing);
    EXPECT_FALSE(e.OnKeyPress(13));
    EXPECT_TRUE(e.OnKeyPress(32));
    EXPECT_FALSE(e.OnClosing());
}

TEST_F(ElementTest, CloseCallsTheHandlerBeforeMarkingTheElementClosed)
{
    TestControl e(nullptr);
    e.SetOnClose(RecordClose);
    e.OnClose();
    EXPECT_EQ(calls, (std::vector<std::string>{"close before"}));
    EXPECT_TRUE(e.IsClosed());
}

TEST_F(ElementTest, ChildrenAreCreatedOnceWithTheHandleValue)
{
    TestControl e(nullptr);
    e.SetOnCreateChildren(RecordCreate);
    e.OnCreateChildren(42);
    e.OnCreateChildren(43);
    EXPECT_EQ(calls, (std::vector<std::string>{"create 42"}));
    EXPECT_EQ(e.HandleValue(), 42u);
}

TEST_F(ElementTest, SettersStoreAndALoadedElementAppliesAtOnce)
{
    TestControl e(nullptr);
    TestControl other(nullptr);
    e.SetLocation(5, 6);
    e.SetSize(7, 8);
    e.SetBackgroundColor(3);
    e.SetFonts(Font("times.font", 18));
    e.Refresh();
    e.SetZOrder(&other);
    EXPECT_EQ(e.GetPosition(), (tagPOINT{5, 6}));
    EXPECT_EQ(e.GetSize(), (tagPOINT{7, 8}));
    EXPECT_EQ(e.GetBackgroundColor(), 3u);
    EXPECT_EQ(e.GetFonts()->GetNome(), "times.font");
    EXPECT_EQ(e.moves + e.resizes + e.paints + e.fontsSet + e.refreshes, 0);
    EXPECT_EQ(e.movedOver, nullptr);

    e.Load();
    e.SetPosition(tagPOINT{9, 10});
    e.SetSize(11, 12);
    e.SetBackgroundColor(4);
    e.SetFonts(Font("helvetica.font", 24));
    e.Refresh();
    e.SetZOrder(&other);
    e.SetZOrder(nullptr);
    EXPECT_EQ(e.GetPosition(), (tagPOINT{9, 10}));
    EXPECT_EQ(e.moves, 1);
    EXPECT_EQ(e.resizes, 1);
    EXPECT_EQ(e.paints, 1);
    EXPECT_EQ(e.fontsSet, 1);
    EXPECT_EQ(e.refreshes, 1);
    EXPECT_EQ(e.movedOver, &other);
}

TEST_F(ElementTest, ResizeRepaintsALoadedElementThenCallsTheHandler)
{
    TestControl e(nullptr);
    e.SetOnResize(RecordResize);
    e.OnResize();
    EXPECT_EQ(e.paints, 0);
    e.Load();
    e.OnResize();
    EXPECT_EQ(e.paints, 1);
    EXPECT_EQ(calls, (std::vector<std::string>{"resize", "resize"}));
}

TEST_F(ElementTest, BusyAndHandPointersExcludeEachOther)
{
    TestControl e(nullptr);
    e.SetCursorHand(true);
    e.SetCursorWait(true);
    EXPECT_TRUE(e.CursorWait());
    EXPECT_FALSE(e.CursorHand());
    e.SetCursorHand(true);
    EXPECT_FALSE(e.CursorWait());
    e.SetCursorHand(false);
    EXPECT_FALSE(e.CursorWait());
    EXPECT_FALSE(e.CursorHand());
}

TEST_F(ElementTest, PositionFromParentAddsAncestorsBelowTheWindow)
{
    TestWindow window;
    window.SetLocation(300, 300); // the window's own position is not added
    TestControl direct(&window);
    PanelChildren panel(&window);
    panel.SetLocation(10, 20);
    PanelChildren inner(&panel);
    inner.SetLocation(1, 2);
    TestControl inPanel(&panel);
    TestControl deeper(&inner);

    EXPECT_EQ(direct.GetPositionFromParent(5, 5), (tagPOINT{5, 5}));
    EXPECT_EQ(inPanel.GetPositionFromParent(5, 5), (tagPOINT{15, 25}));
    EXPECT_EQ(deeper.GetPositionFromParent(5, 5), (tagPOINT{16, 27}));
    EXPECT_EQ(deeper.GetFormParent(), &window);
    EXPECT_EQ(direct.GetFormParent(), &window);

    TestControl orphan(nullptr);
    EXPECT_EQ(orphan.GetFormParent(), nullptr);
    EXPECT_EQ(orphan.GetPositionFromParent(5, 5), (tagPOINT{5, 5}));
}

TEST_F(ElementTest, CommandReachesItsCallbackWithTheSender)
{
    CommandElement command;
    TestControl sender(nullptr, "ButtonCustom");
    command.OnCommand(&sender); // nothing set: nothing happens
    command.SetCommand(RecordCommand);
    command.OnCommand(&sender);
    EXPECT_EQ(calls, (std::vector<std::string>{"command ButtonCustom"}));
}

TEST_F(ElementTest, DestroyingAnElementLeavesTheRegistry)
{
    {
        TestControl e(nullptr);
        EXPECT_EQ(Application::lst.size(), 1u);
        EXPECT_EQ(Application::lst[0], &e);
    }
    EXPECT_TRUE(Application::lst.empty());
}

// The virtual operations keep their documented slots: derived elements and the event loop
// rely on the order. On the Itanium C++ ABI a pointer to a virtual member holds one plus
// the byte offset of its slot in the table.
template <typename Member> std::ptrdiff_t SlotOf(Member member)
{
    struct Representation {
        std::ptrdiff_t pointer;
        std::ptrdiff_t adjustment;
    };
    static_assert(sizeof(Member) == sizeof(Representation));
    Representation r{};
    std::memcpy(&r, &member, sizeof r);
    if ((r.pointer & 1) == 0)
        return -1; // not virtual
    return (r.pointer - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

struct SlotProbe : TestControl {
    static std::vector<std::ptrdiff_t> Protected()
    {
        return {SlotOf(&SlotProbe::_SpecializedMove),       SlotOf(&SlotProbe::_SpecializedResize),
                SlotOf(&SlotProbe::_SpecializedRefresh),    SlotOf(&SlotProbe::_SpecializedMoveFront),
                SlotOf(&SlotProbe::_SpecializedMoveBottom), SlotOf(&SlotProbe::_SpecializedMoveOver),
                SlotOf(&SlotProbe::_SpecializedSetFont)};
    }
};

TEST(ElementSlots, VirtualOperationsKeepTheirDocumentedOrder)
{
    using G = GUIElement;
    const std::vector<std::ptrdiff_t> slots = {SlotOf(&G::Width),
                                               SlotOf(&G::ClientWidth),
                                               SlotOf(&G::Height),
                                               SlotOf(&G::ClientHeight),
                                               SlotOf(&G::GetPosition),
                                               SlotOf(&G::GetSize),
                                               SlotOf(&G::GetClientSize),
                                               SlotOf(&G::SetSize),
                                               SlotOf(&G::SetLocation),
                                               SlotOf(static_cast<void (G::*)(int, int)>(&G::SetPosition)),
                                               SlotOf(static_cast<void (G::*)(tagPOINT)>(&G::SetPosition)),
                                               SlotOf(&G::SetBackgroundColor),
                                               SlotOf(&G::GetBackgroundColor),
                                               SlotOf(&G::Show),
                                               SlotOf(&G::ShowActivate),
                                               SlotOf(&G::Hide),
                                               SlotOf(&G::IsVisible),
                                               SlotOf(&G::IsLoad),
                                               SlotOf(&G::Flashing),
                                               SlotOf(&G::SetEnabled),
                                               SlotOf(&G::GetEnabled),
                                               SlotOf(&G::SetZOrder),
                                               SlotOf(&G::SetZOrder_Top),
                                               SlotOf(&G::SetZOrder_TopMost),
                                               SlotOf(&G::SetZOrder_Bottom),
                                               SlotOf(&G::SetToolTip),
                                               SlotOf(&G::GetToolTip),
                                               SlotOf(&G::SetFonts),
                                               SlotOf(&G::GetFonts),
                                               SlotOf(&G::IsTabStop),
                                               SlotOf(&G::IsRenderControl),
                                               SlotOf(&G::IsChildren),
                                               SlotOf(&G::Hit),
                                               SlotOf(&G::SetText),
                                               SlotOf(&G::GetText),
                                               SlotOf(&G::GetTextW),
                                               SlotOf(&G::OnLeftMouseUP),
                                               SlotOf(&G::OnLeftMouseDOWN),
                                               SlotOf(&G::OnLeftMouseDBLCLK),
                                               SlotOf(&G::OnRightMouseUP),
                                               SlotOf(&G::OnRightMouseDOWN),
                                               SlotOf(&G::OnRightMouseDBLCLK),
                                               SlotOf(&G::OnKeyUP),
                                               SlotOf(&G::OnKeyDOWN),
                                               SlotOf(&G::OnKeyPress),
                                               SlotOf(&G::OnMouseMove),
                                               SlotOf(&G::OnMouseHover),
                                               SlotOf(&G::OnMouseLeave),
                                               SlotOf(&G::Focus),
                                               SlotOf(&G::OnMove),
                                               SlotOf(&G::OnResize),
                                               SlotOf(&G::OnPaint),
                                               SlotOf(&G::OnClosing),
                                               SlotOf(&G::OnClose),
                                               SlotOf(&G::OnFocus),
                                               SlotOf(&G::OnLeave),
                                               SlotOf(&G::OnActivate),
                                               SlotOf(&G::OnDeactivate),
                                               SlotOf(&G::OnCreateChildren),
                                               SlotOf(&G::Refresh),
                                               SlotOf(&G::CursorWait),
                                               SlotOf(&G::CursorHand),
                                               SlotOf(&G::SetCursorWait),
                                               SlotOf(&G::SetCursorHand),
                                               SlotOf(&G::OnShow),
                                               SlotOf(&G::GetHWND),
                                               SlotOf(&G::Load)};
    std::vector<std::ptrdiff_t> all = slots;
    for (std::ptrdiff_t slot : SlotProbe::Protected())
        all.push_back(slot);

    ASSERT_EQ(all.size(), 74u);
    for (size_t i = 0; i < all.size(); ++i)
        EXPECT_EQ(all[i], static_cast<std::ptrdiff_t>(i)) << "operation number " << i;
}

} // namespace
