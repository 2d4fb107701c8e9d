// SPDX-License-Identifier: MIT
// Menu elements: the strip built from the tree (labels, command keys, flags, separators,
// sub-items, the entry limit), rebuilding on change, and the element lookups.
#include "toolkit/controls/MenuBar.h"

#include "ElementTestSupport.h"
#include "platform/gadtools/GadTools.h"
#include "platform/testing/InputTesting.h"
#include "platform/intuition/Intuition.h"
#include "platform/intuition/Menus.h"
#include "platform/testing/Testing.h"
#include "toolkit/controls/KesaMenu.h"
#include "toolkit/controls/SubMenu.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/KesaScreen.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace amiga;

namespace {

std::string LabelOf(const MenuItem* item)
{
    if (item == nullptr || (item->Flags & ITEMTEXT) == 0)
        return "<bar>";
    return static_cast<const IntuiText*>(item->ItemFill)->IText;
}

class MenuBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(workingDirectory.Ready());
        ResetIntuition();
        ResetPlatform();
        GUIElement::GlobalScreen = nullptr;
        GUIElement::GlobalVisualInfo = nullptr;
        screen = std::make_unique<KesaScreen>("Menu");
        form = std::make_unique<Form>(0);
        form->SetScreen(screen.get());
        form->Show();
        ASSERT_NE(form->GetHandle(), nullptr);
    }
    void TearDown() override
    {
        elements.clear();
        form.reset();
        EXPECT_EQ(Application::menu, nullptr);
        EXPECT_EQ(Application::menuBar, nullptr);
        if (GUIElement::GlobalVisualInfo)
            FreeVisualInfo(GUIElement::GlobalVisualInfo);
        GUIElement::GlobalScreen = nullptr;
        GUIElement::GlobalVisualInfo = nullptr;
        screen.reset();
        ResetIntuition();
        ResetPlatform();
    }
    template <typename T, typename... Args>
    T* Add(Args&&... args)
    {
        elements.push_back(std::make_unique<T>(std::forward<Args>(args)...));
        return static_cast<T*>(elements.back().get());
    }

    ScopedWorkingDirectory workingDirectory;
    std::unique_ptr<KesaScreen> screen;
    std::unique_ptr<Form> form;
    // Destroyed in reverse: items, then menus, then the bar.
    struct Reverse {
        std::vector<std::unique_ptr<Child>> items;
        void push_back(std::unique_ptr<Child> c) { items.push_back(std::move(c)); }
        std::unique_ptr<Child>& back() { return items.back(); }
        void clear()
        {
            while (!items.empty())
                items.pop_back();
        }
        ~Reverse() { clear(); }
    } elements;
};

} // namespace

TEST_F(MenuBarTest, CaptionsGiveLabelsWithoutAmpersandAndTheirKeys)
{
    auto* bar = Add<MenuBar>(form.get());
    auto* file = Add<KesaMenu>(bar, "&File");
    Add<SubMenu>(file, "&Nuovo");
    Add<SubMenu>(file, "Esci");
    Add<SubMenu>(file, "Copia && incolla");
    Add<SubMenu>(file, "Fine&");
    Add<SubMenu>(file);
    bar->Load();
    Menu* strip = Application::menu;
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(form->GetHandle()->MenuStrip, strip);
    EXPECT_EQ(Application::menuBar, bar);
    EXPECT_STREQ(strip->MenuName, "File"); // a title loses its "&" and has no key
    EXPECT_EQ(strip->NextMenu, nullptr);

    const MenuItem* nuovo = ItemAddress(strip, FULLMENUNUM(0, 0, 0));
    EXPECT_EQ(LabelOf(nuovo), "Nuovo");
    EXPECT_NE(nuovo->Flags & COMMSEQ, 0);
    EXPECT_EQ(nuovo->Command, 'N');
    const MenuItem* esci = ItemAddress(strip, FULLMENUNUM(0, 1, 0));
    EXPECT_EQ(LabelOf(esci), "Esci");
    EXPECT_EQ(esci->Flags & COMMSEQ, 0);
    const MenuItem* copia = ItemAddress(strip, FULLMENUNUM(0, 2, 0));
    EXPECT_EQ(LabelOf(copia), "Copia  incolla");
    EXPECT_EQ(copia->Command, '&');
    const MenuItem* fine = ItemAddress(strip, FULLMENUNUM(0, 3, 0));
    EXPECT_EQ(LabelOf(fine), "Fine");
    EXPECT_EQ(fine->Flags & COMMSEQ, 0);
    const MenuItem* separator = ItemAddress(strip, FULLMENUNUM(0, 4, 0));
    ASSERT_NE(separator, nullptr);
    EXPECT_EQ(LabelOf(separator), "<bar>");
    EXPECT_NE(separator->Flags & ITEMENABLED, 0); // still pickable
    EXPECT_EQ(file->at(4)->GetItemKind(), SubMenu::SeparatorItem);
    EXPECT_TRUE(file->IsLoad());
    EXPECT_TRUE(file->at(0)->IsLoad());
}

TEST_F(MenuBarTest, CheckAndDisabledFlagsAndEveryChangeRebuildsTheStrip)
{
    auto* bar = Add<MenuBar>(form.get());
    auto* menu = Add<KesaMenu>(bar, "Opzioni");
    auto* sound = Add<SubMenu>(menu, "Suoni");
    auto* plain = Add<SubMenu>(menu, "Altro");
    sound->SetTypeCheck(1);
    sound->SetChecked(1);
    plain->SetEnabled(0);
    bar->Load();
    const MenuItem* shown = ItemAddress(Application::menu, FULLMENUNUM(0, 0, 0));
    EXPECT_EQ(shown->Flags & (CHECKIT | MENUTOGGLE | CHECKED), CHECKIT | MENUTOGGLE | CHECKED);
    EXPECT_NE(shown->Flags & ITEMENABLED, 0);
    EXPECT_EQ(ItemAddress(Application::menu, FULLMENUNUM(0, 1, 0))->Flags & (ITEMENABLED | CHECKIT), 0);

    sound->SetChecked(0);
    EXPECT_EQ(ItemAddress(Application::menu, FULLMENUNUM(0, 0, 0))->Flags & CHECKED, 0);
    plain->SetEnabled(1);
    EXPECT_NE(ItemAddress(Application::menu, FULLMENUNUM(0, 1, 0))->Flags & ITEMENABLED, 0);
    sound->SetTypeCheck(0);
    EXPECT_EQ(ItemAddress(Application::menu, FULLMENUNUM(0, 0, 0))->Flags & CHECKIT, 0);
    auto* added = Add<SubMenu>(menu, "&Aggiunta");
    ASSERT_NE(ItemAddress(Application::menu, FULLMENUNUM(0, 2, 0)), nullptr);
    EXPECT_EQ(LabelOf(ItemAddress(Application::menu, FULLMENUNUM(0, 2, 0))), "Aggiunta");
    EXPECT_TRUE(added->IsLoad());
    EXPECT_EQ(form->GetHandle()->MenuStrip, Application::menu);
    EXPECT_EQ(Application::menuBar, bar);
}

TEST_F(MenuBarTest, LookupsAndIdsOfTheTree)
{
    auto* bar = Add<MenuBar>(form.get());
    auto* menu = Add<KesaMenu>(bar, "M");
    auto* item = Add<SubMenu>(menu, "I");
    auto* nested = Add<SubMenu>(item, "N");
    EXPECT_NE(menu->GetID(), 0u); // menus and items are numbered when made
    EXPECT_NE(item->GetID(), 0u);
    EXPECT_EQ(bar->GetID(), 0u);  // the bar when loaded
    EXPECT_EQ(bar->at(0), menu);
    EXPECT_EQ(bar->at(1), nullptr);
    EXPECT_EQ(bar->at(-1), nullptr);
    EXPECT_EQ(menu->at(0), item);
    EXPECT_EQ(menu->at(1), nullptr);
    EXPECT_EQ(item->at(0), nested);
    EXPECT_EQ(item->at(1), nullptr);
    EXPECT_EQ(nested->at(0), nullptr);
    // A nested item is a sub-item of its item in the strip, found by the sub-item number.
    bar->Load();
    EXPECT_NE(bar->GetID(), 0u);
    const MenuItem* first = Application::menu->FirstItem;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(LabelOf(first), "I");
    EXPECT_EQ(first->NextItem, nullptr);
    EXPECT_EQ(LabelOf(first->SubItem), "N");
    EXPECT_EQ(ItemAddress(Application::menu, FULLMENUNUM(0, 0, 0)), first->SubItem);
    EXPECT_TRUE(nested->IsLoad());
    // A click at the bar's corner is never taken as a click on the bar.
    EXPECT_FALSE(bar->Hit(tagPOINT{100, 100}));
    EXPECT_EQ(Application::GetChildrenHit(form->GetID(), tagPOINT{100, 100}), nullptr);
}

TEST_F(MenuBarTest, TreeBeyondTheEntryLimitIsTruncatedAndLogged)
{
    auto* bar = Add<MenuBar>(form.get());
    std::vector<SubMenu*> items;
    for (int m = 0; m < 2; ++m) {
        auto* menu = Add<KesaMenu>(bar, "Menu " + std::to_string(m));
        for (int i = 0; i < 60; ++i)
            items.push_back(Add<SubMenu>(menu, "Voce " + std::to_string(i)));
    }
    bar->Load();
    // 2 titles and 120 items need 122 entries and the end: 99 fit, 23 are left out.
    int shown = 0;
    for (Menu* m = Application::menu; m != nullptr; m = m->NextMenu)
        for (MenuItem* i = m->FirstItem; i != nullptr; i = i->NextItem)
            ++shown;
    EXPECT_EQ(shown, 97);
    EXPECT_TRUE(items[96]->IsLoad());
    EXPECT_FALSE(items[97]->IsLoad());
    std::ifstream in("log.txt");
    std::stringstream log;
    log << in.rdbuf();
    EXPECT_EQ(log.str(), "Menu troppo grande: voci ignorate 23\n");
}

TEST_F(MenuBarTest, DestroyingTheBarTakesItsStripOffTheWindow)
{
    auto* bar = Add<MenuBar>(form.get());
    Add<SubMenu>(Add<KesaMenu>(bar, "M"), "I");
    bar->Load();
    ASSERT_NE(form->GetHandle()->MenuStrip, nullptr);
    elements.clear();
    EXPECT_EQ(form->GetHandle()->MenuStrip, nullptr);
    EXPECT_EQ(Application::menu, nullptr);
    EXPECT_EQ(Application::menuBar, nullptr);
}
