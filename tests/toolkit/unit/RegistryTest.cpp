// SPDX-License-Identifier: MIT
// The application registries: registration, lookup by ID, window, parent and point, the
// not-found log lines and the removal of whole subtrees.
#include "ElementTestSupport.h"
#include "tests/support/TempDirectory.h"

#include "toolkit/controls/PanelChildren.h"

#include <memory>

namespace {

class RegistryTest : public ElementFixture {
protected:
    void SetUp() override
    {
        ElementFixture::SetUp();
        ASSERT_TRUE(workingDirectory.Ok());
    }

    // What the log wrote to standard output while `action` ran.
    template <typename Action> std::string ConsoleOf(Action action)
    {
        testing::internal::CaptureStdout();
        action();
        return testing::internal::GetCapturedStdout();
    }

    ScopedWorkingDirectory workingDirectory; // the not-found lines also go to log.txt
};

TEST_F(RegistryTest, ElementsWindowsAndTimersAreRegisteredInConstructionOrder)
{
    TestWindow window;
    TestControl control(&window);
    TestTimer timer(&window);
    EXPECT_EQ(Application::lst, (std::vector<GUIElement*>{&window, &control, &timer}));
    EXPECT_EQ(Application::lstForm, (std::vector<GUIElement*>{&window}));
    EXPECT_EQ(Application::lstTimer, (std::vector<GUIElement*>{&timer}));

    // Only the right kind enters the window and timer registries.
    Application::AddWindow(&control);
    Application::AddTimer(&control);
    EXPECT_EQ(Application::lstForm.size(), 1u);
    EXPECT_EQ(Application::lstTimer.size(), 1u);
}

TEST_F(RegistryTest, RemovingAWindowOrTimerLeavesBothItsRegistries)
{
    auto window = std::make_unique<TestWindow>();
    auto timer = std::make_unique<TestTimer>(window.get());
    timer.reset();
    EXPECT_TRUE(Application::lstTimer.empty());
    EXPECT_EQ(Application::lst.size(), 1u);
    window.reset();
    EXPECT_TRUE(Application::lstForm.empty());
    EXPECT_TRUE(Application::lst.empty());
}

TEST_F(RegistryTest, RemovingAnUnregisteredElementWritesTheNotFoundLines)
{
    TestWindow window;
    window.Load();
    TestTimer timer(&window);
    timer.Load();
    TestControl control(nullptr, "label");
    const std::string windowId = std::to_string(window.GetID());
    const std::string timerId = std::to_string(timer.GetID());

    Application::RemoveWinForm(&window);
    Application::RemoveWinForm(&timer);
    ASSERT_EQ(Application::lst.size(), 1u);

    std::string console = ConsoleOf([&] { Application::RemoveWinForm(&window); });
    EXPECT_EQ(console, " NON TROVATO! Application::RemoveWindow = form lx 0 id " + windowId + "\n" +
                           " NON TROVATO! Application::RemoveWinForm = form size 1 id " + windowId + "\n");
    console = ConsoleOf([&] { Application::RemoveWinForm(&timer); });
    EXPECT_EQ(console, " NON TROVATO! Application::RemoveWindow = timer lx 0 id " + timerId + "\n" +
                           " NON TROVATO! Application::RemoveWinForm = timer size 1 id " + timerId + "\n");
    EXPECT_EQ(Application::lst, (std::vector<GUIElement*>{&control}));

    Application::RemoveWinForm(&control);
    console = ConsoleOf([&] { Application::RemoveWinForm(&control); });
    EXPECT_EQ(console, " NON TROVATO! Application::RemoveWinForm = label size 0 id 0\n");
    EXPECT_TRUE(Application::lst.empty());

    // Back in, so that their destructors leave quietly.
    for (GUIElement* e : std::vector<GUIElement*>{&window, &timer, &control})
        Application::AddWinForm(e);
    Application::AddWindow(&window);
    Application::AddTimer(&timer);
}

TEST_F(RegistryTest, ElementsAreFoundByIdAndUnloadedOnesByZero)
{
    TestWindow window;
    TestControl first(&window);
    TestControl second(&window);
    window.Load();
    second.Load();
    EXPECT_EQ(Application::GetElementByID(second.GetID()), &second);
    EXPECT_EQ(Application::GetElementByID(window.GetID()), &window);
    EXPECT_EQ(Application::GetElementByID(0), &first);
    EXPECT_EQ(Application::GetElementByID(GUIElement::countForm + 100), nullptr);
}

TEST_F(RegistryTest, TheWindowOfAnElementIsItsNearestFormAncestor)
{
    TestWindow window;
    PanelChildren panel(&window);
    TestControl inside(&panel);
    TestControl orphan(nullptr);
    EXPECT_EQ(Application::GetForm(&inside), &window);
    EXPECT_EQ(Application::GetForm(&panel), &window);
    EXPECT_EQ(Application::GetForm(&window), &window);
    EXPECT_EQ(Application::GetForm(&orphan), nullptr);
    EXPECT_EQ(Application::GetForm(nullptr), nullptr);
}

TEST_F(RegistryTest, ChildrenListsEachPanelFollowedByItsContents)
{
    TestWindow window;
    TestWindow otherWindow;
    window.Load();
    otherWindow.Load();
    PanelChildren panel(&window);
    panel.Load();
    TestControl a(&panel);
    TestControl stranger(&otherWindow);
    TestControl b(&panel);
    TestControl next(&window);
    PanelChildren unloadedPanel(&window); // ID 0: holds nothing the window can see yet
    TestControl c(&unloadedPanel);

    EXPECT_EQ(Application::GetChildren(window.GetID()),
              (std::vector<GUIElement*>{&panel, &a, &b, &next, &unloadedPanel}));
    EXPECT_EQ(Application::GetChildren(panel.GetID()), (std::vector<GUIElement*>{&a, &b}));
    a.Load();
    EXPECT_TRUE(Application::GetChildren(a.GetID()).empty());
}

TEST_F(RegistryTest, HitFindsTheFirstLoadedVisibleEnabledControlAndSearchesPanels)
{
    TestWindow window;
    window.Load();
    TestControl disabled(&window);
    disabled.SetLocation(0, 0);
    disabled.SetSize(50, 50);
    disabled.Show();
    disabled.SetEnabled(false);
    TestControl behind(&window);
    behind.SetLocation(0, 0);
    behind.SetSize(20, 20);
    behind.Show();
    PanelChildren panel(&window);
    panel.SetLocation(100, 100);
    panel.SetSize(50, 50);
    panel.Show();
    TestControl inPanel(&panel);
    inPanel.SetLocation(10, 10);
    inPanel.SetSize(5, 5);
    inPanel.Show();
    TestControl hidden(&window);
    hidden.SetLocation(200, 200);
    hidden.Show();
    hidden.Hide();
    TestControl unloaded(&window);
    unloaded.SetLocation(300, 300);

    const unsigned int id = window.GetID();
    EXPECT_EQ(Application::GetChildrenHit(id, tagPOINT{10, 10}), &behind); // disabled is transparent
    EXPECT_EQ(Application::GetChildrenHit(id, tagPOINT{40, 40}), nullptr);
    EXPECT_EQ(Application::GetChildrenHit(id, tagPOINT{115, 115}), &inPanel); // panel coordinates
    EXPECT_EQ(Application::GetChildrenHit(id, tagPOINT{101, 101}), nullptr);  // a panel is never hit
    EXPECT_EQ(Application::GetChildrenHit(id, tagPOINT{210, 210}), nullptr);
    EXPECT_EQ(Application::GetChildrenHit(id, tagPOINT{310, 310}), nullptr);
    disabled.SetEnabled(true);
    EXPECT_EQ(Application::GetChildrenHit(id, tagPOINT{10, 10}), &disabled); // the first wins
}

TEST_F(RegistryTest, RemovingChildrenUnregistersPanelsMenusAndTheirContents)
{
    TestWindow window;
    window.Load();
    auto panel = std::make_unique<PanelChildren>(&window);
    panel->Load();
    auto inPanel = std::make_unique<TestControl>(panel.get());
    auto bar = std::make_unique<TestControl>(&window, "menubar");
    bar->Load();
    auto menu = std::make_unique<TestControl>(bar.get(), "menu");
    menu->Load();
    auto item = std::make_unique<TestControl>(menu.get(), "submenu");
    auto plain = std::make_unique<TestControl>(&window);
    auto idleBar = std::make_unique<TestControl>(&window, "menubar"); // not loaded: ID 0
    TestControl elsewhere(nullptr);
    TestControl unloadedOwner(nullptr);
    TestControl stranger(&unloadedOwner); // its parent has ID 0 too, but is not the idle bar

    // The panel's contents come twice in the walk: the second removal finds nothing.
    const std::string console = ConsoleOf([&] { Application::RimuoviChildren(window.GetID()); });
    EXPECT_EQ(console, " NON TROVATO! Application::RemoveWinForm = testcontrol size 9 id 0\n");
    EXPECT_EQ(Application::lst, (std::vector<GUIElement*>{&window, &elsewhere, &unloadedOwner, &stranger}));

    // Their destructors now find nothing; put them back so they leave quietly.
    for (GUIElement* e : std::vector<GUIElement*>{panel.get(), inPanel.get(), bar.get(), menu.get(), item.get(),
                                                  plain.get(), idleBar.get()})
        Application::AddWinForm(e);
}

TEST_F(RegistryTest, ResetForgetsTheSelectionAndTheFocus)
{
    TestControl control(nullptr);
    Application::GadgetSel = &control;
    Application::CustomsGadgetSel = &control;
    Application::ResetRiferimenti();
    EXPECT_EQ(Application::GadgetSel, nullptr);
    EXPECT_EQ(Application::CustomsGadgetSel, nullptr);
}

TEST_F(RegistryTest, DestroyedElementIsNoLongerSelectedOrFocused)
{
    auto control = std::make_unique<TestControl>(nullptr);
    Application::GadgetSel = control.get();
    Application::CustomsGadgetSel = control.get();
    control.reset();
    EXPECT_EQ(Application::GadgetSel, nullptr);
    EXPECT_EQ(Application::CustomsGadgetSel, nullptr);
}

TEST_F(RegistryTest, KeyStateIsAllBitsWhileDownAndZeroOutsideTheTable)
{
    Application::keyState[0x20] = 1;
    EXPECT_EQ(Application::GetKeyState(0x20), -1);
    EXPECT_EQ(Application::GetKeyState(0x21), 0);
    EXPECT_EQ(Application::GetKeyState(300), 0);
    EXPECT_EQ(Application::GetKeyState(-1), 0);
    Application::keyState[0x20] = 0;
    EXPECT_EQ(Application::GetKeyState(0x20), 0);
}

TEST_F(RegistryTest, RandomizeIsTheRandomNumberServicesSeedingFlag)
{
    const short saved = Enviroment::RandomizeFlag;
    Application::Randomize = 1;
    EXPECT_EQ(Enviroment::RandomizeFlag, 1);
    Enviroment::RandomizeFlag = 0;
    EXPECT_EQ(Application::Randomize, 0);
    Enviroment::RandomizeFlag = saved;
}

} // namespace
