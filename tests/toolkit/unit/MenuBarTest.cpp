// SPDX-License-Identifier: MIT
// Menu elements: the strip built from the tree (labels, command keys, flags, separators,
// sub-items, the entry limit), rebuilding on change, and the element lookups.
#include "toolkit/controls/MenuBar.h"

#include "ElementTestSupport.h"
#include "tests/support/ToolkitFixture.h"
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

#include <cstdio>
#include <memory>
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

class MenuBarTest : public ToolkitFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ToolkitFixture::SetUp());
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
        ToolkitFixture::TearDown();
    }
    template <typename T, typename... Args> T* Add(Args&&... args)
    {
        elements.push_back(std::make_unique<T>(std::forward<Args>(args)...));
        return static_cast<T*>(elements.back().get());
    }
    // Destroys one element now, as its owner would.
    void Destroy(Child* element)
    {
        for (auto& owned : elements.items)
            if (owned.get() == element)
                owned.reset();
    }

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
    EXPECT_EQ(bar->GetID(), 0u); // the bar when loaded
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
    EXPECT_EQ(ReadLog(), "Menu troppo grande: voci ignorate 23\n");
}

TEST_F(MenuBarTest, TreeBeyondWhatAStripHoldsIsTrimmedAsTheStripIsAndLogged)
{
    // Each case fits the entry array but not the strip: a menu holds 63 items, an item 31
    // sub-items, a strip 31 menus.
    struct Case {
        const char* name;
        int menus, items, subs;
        int titlesShown, itemsShown, subsShown;
        const char* log;
    };
    const Case cases[] = {
        {"70 items", 1, 70, 0, 1, 63, 0, "Menu troppo grande: voci ignorate 7\n"},
        {"35 sub-items", 1, 1, 35, 1, 1, 31, "Menu troppo grande: voci ignorate 4\n"},
        {"33 menus", 33, 1, 0, 31, 31, 0, "Menu troppo grande: voci ignorate 4\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::remove("log.txt");
        auto* bar = Add<MenuBar>(form.get());
        std::vector<KesaMenu*> menus;
        std::vector<SubMenu*> items;
        std::vector<SubMenu*> subs;
        for (int m = 0; m < c.menus; ++m) {
            menus.push_back(Add<KesaMenu>(bar, "M" + std::to_string(m)));
            for (int i = 0; i < c.items; ++i) {
                items.push_back(Add<SubMenu>(menus.back(), "I" + std::to_string(i)));
                for (int s = 0; s < c.subs; ++s)
                    subs.push_back(Add<SubMenu>(items.back(), "S" + std::to_string(s)));
            }
        }
        bar->Load();
        int titles = 0, shownItems = 0, shownSubs = 0;
        for (Menu* m = Application::menu; m != nullptr; m = m->NextMenu, ++titles)
            for (MenuItem* i = m->FirstItem; i != nullptr; i = i->NextItem, ++shownItems)
                for (MenuItem* s = i->SubItem; s != nullptr; s = s->NextItem)
                    ++shownSubs;
        EXPECT_EQ(titles, c.titlesShown);
        EXPECT_EQ(shownItems, c.itemsShown);
        EXPECT_EQ(shownSubs, c.subsShown);
        // Exactly what the strip shows is loaded.
        auto loadedCount = [](const auto& list) {
            int n = 0;
            for (auto* e : list)
                n += e->IsLoad() ? 1 : 0;
            return n;
        };
        EXPECT_EQ(loadedCount(menus), c.titlesShown);
        EXPECT_EQ(loadedCount(items), c.itemsShown);
        EXPECT_EQ(loadedCount(subs), c.subsShown);
        EXPECT_EQ(ReadLog(), c.log);
        elements.clear();
    }
}

TEST_F(MenuBarTest, DestroyedItemsAndMenusLeaveTheTreeAndTheStrip)
{
    static GUIElement* picked = nullptr;
    auto* bar = Add<MenuBar>(form.get());
    auto* file = Add<KesaMenu>(bar, "File");
    auto* gone = Add<SubMenu>(file, "Via");
    auto* kept = Add<SubMenu>(file, "Resta");
    auto* nested = Add<SubMenu>(kept, "Sotto");
    auto* help = Add<KesaMenu>(bar, "Aiuto");
    auto* about = Add<SubMenu>(help, "Info");
    auto* last = Add<KesaMenu>(bar, "Ultimo");
    Add<SubMenu>(last, "Fine");
    bar->Load();
    kept->SetCommand([](GUIElement* e) { picked = e; });

    Destroy(gone);
    ASSERT_EQ(file->Count(), 1);
    EXPECT_EQ(file->at(0), kept);
    EXPECT_EQ(LabelOf(Application::menu->FirstItem), "Resta"); // rebuilt without it
    EXPECT_EQ(Application::menu->FirstItem->NextItem, nullptr);
    ASSERT_NE(Application::menuPickHandler, nullptr);
    Application::menuPickHandler(FULLMENUNUM(0, 0, NOSUB)); // the first item is "Resta" now
    EXPECT_EQ(picked, kept);

    Destroy(nested);
    EXPECT_EQ(kept->Count(), 0);
    EXPECT_EQ(Application::menu->FirstItem->SubItem, nullptr);
    kept->SetEnabled(0); // a rebuild walks only living elements

    Destroy(help); // before its item
    ASSERT_EQ(bar->Count(), 2);
    EXPECT_EQ(bar->at(1), last);
    ASSERT_NE(Application::menu->NextMenu, nullptr);
    EXPECT_STREQ(Application::menu->NextMenu->MenuName, "Ultimo");
    EXPECT_EQ(about->GetParent(), nullptr);
    Destroy(about);
    kept->SetChecked(1);
    EXPECT_EQ(Application::menuBar, bar);

    Destroy(bar); // before its menus
    EXPECT_EQ(file->GetParent(), nullptr);
    EXPECT_EQ(Application::menu, nullptr);
    Destroy(file);
    kept->SetEnabled(1); // no strip: nothing to rebuild
    EXPECT_EQ(Application::menu, nullptr);
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
