// SPDX-License-Identifier: MIT
// MenuBar: building the platform strip from the element tree.
#include "toolkit/controls/MenuBar.h"

#include "platform/intuition/Menus.h"
#include "services/StringUtils.h"
#include "toolkit/controls/KesaMenu.h"
#include "toolkit/controls/SubMenu.h"
#include "toolkit/core/Application.h"
#include "toolkit/core/Form.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

using namespace amiga;

namespace {

// The window a strip is attached to: the one of the bar it was built from.
amiga::Window* StripWindow(const MenuBar* fallback)
{
    const MenuBar* owner = Application::menuBar != nullptr ? Application::menuBar : fallback;
    return owner->GetFormWindow();
}

// Detaches the current strip from its window and frees it, with its label copies.
void FreeCurrentStrip(MenuBar* fallback)
{
    if (Application::menu == nullptr)
        return;
    MenuBar* owner = Application::menuBar != nullptr ? Application::menuBar : fallback;
    if (amiga::Window* window = StripWindow(fallback); window != nullptr && window->MenuStrip == Application::menu)
        ClearMenuStrip(window);
    FreeMenus(Application::menu);
    Application::menu = nullptr;
    Application::menuBar = nullptr;
    owner->ReleaseLabels();
}

// What one strip can hold: a menu number has 5 bits for the menu, 6 for the item and 5 for
// the sub-item, the highest value of each meaning none. The menu builder trims the rest.
constexpr int StripMenus = 31;
constexpr int StripItems = 63;
constexpr int StripSubItems = 31;

// The fixed-size entry array and the one place entries are added: the last slot is always
// kept for NM_END, and whatever does not fit is counted instead of written.
struct EntryArray {
    std::array<NewMenu, MenuBar::MaxEntries> entries{};
    int count = 0;
    int dropped = 0;

    bool Add(const NewMenu& entry)
    {
        if (count >= MenuBar::MaxEntries - 1) {
            ++dropped;
            return false;
        }
        entries[static_cast<size_t>(count++)] = entry;
        return true;
    }
};

UWORD ItemFlags(SubMenu* item)
{
    UWORD flags = 0;
    if (item->GetTypeCheck() != 0) {
        flags |= CHECKIT | MENUTOGGLE;
        if (item->IsChecked() != 0)
            flags |= CHECKED;
    }
    if (!item->GetEnabled())
        flags |= NM_ITEMDISABLED;
    return flags;
}

} // namespace

MenuBar::MenuBar(Form* parentForm) : Child(parentForm)
{
    className = "menubar";
    width = 0;
    height = 0;
}

MenuBar::~MenuBar()
{
    if (Application::menuBar == this) {
        FreeCurrentStrip(this);
        // A bar without menus builds no strip but is still the current bar.
        Application::menuBar = nullptr;
    }
    for (KesaMenu* menu : menus)
        if (menu->parent == this)
            menu->parent = nullptr;
}

void MenuBar::AddMenu(KesaMenu* menu)
{
    if (menu == nullptr)
        return;
    menus.push_back(menu);
    if (loaded)
        menu->Load();
}

KesaMenu* MenuBar::at(int i) const
{
    if (i < 0 || i >= Count())
        return nullptr;
    return menus[static_cast<size_t>(i)];
}

bool MenuBar::Hit(tagPOINT)
{
    return false;
}

char* MenuBar::CopyLabel(const std::string& caption)
{
    std::string label = caption;
    std::erase(label, '&');
    auto copy = std::make_unique<char[]>(label.size() + 1);
    std::memcpy(copy.get(), label.c_str(), label.size() + 1);
    labelCopies.push_back(std::move(copy));
    return labelCopies.back().get();
}

char* MenuBar::CopyKey(const std::string& caption)
{
    const size_t ampersand = caption.find('&');
    if (ampersand == std::string::npos || ampersand + 1 >= caption.size())
        return nullptr;
    const auto key = static_cast<unsigned char>(caption[ampersand + 1]);
    if (key < 1 || key > 127)
        return nullptr;
    auto copy = std::make_unique<char[]>(2);
    copy[0] = static_cast<char>(key);
    copy[1] = '\0';
    labelCopies.push_back(std::move(copy));
    return labelCopies.back().get();
}

void MenuBar::ReleaseLabels()
{
    labelCopies.clear();
}

void MenuBar::Load()
{
    if (!loaded)
        LoadElementBase();
    // A strip from an earlier build (of this bar or another) goes first, so that it is never
    // left attached to a window once freed.
    FreeCurrentStrip(this);
    // No strip is left to point at this bar's labels: copies kept from a strip the event loop
    // freed at its end go now.
    ReleaseLabels();

    EntryArray array;
    // An item left out of the strip (with no room for it, or beyond the strip's own limits)
    // is counted and stays unloaded.
    auto addItem = [&](SubMenu* item, UBYTE type, bool allowed) {
        if (!allowed) {
            ++array.dropped;
            return false;
        }
        NewMenu entry;
        entry.nm_Type = type;
        const std::string caption = item->GetText();
        if (caption.empty()) {
            entry.nm_Label = NM_BARLABEL;
        } else {
            entry.nm_Label = CopyLabel(caption);
            entry.nm_CommKey = CopyKey(caption);
        }
        entry.nm_Flags = ItemFlags(item);
        if (!array.Add(entry))
            return false;
        item->Load();
        return true;
    };
    int menusShown = 0;
    for (KesaMenu* menu : menus) {
        if (menu == nullptr)
            continue;
        bool titleShown = false;
        if (menusShown < StripMenus) {
            NewMenu title;
            title.nm_Type = NM_TITLE;
            title.nm_Label = CopyLabel(menu->GetText());
            titleShown = array.Add(title);
        } else {
            ++array.dropped;
        }
        int itemsShown = 0;
        for (int i = 0; i < menu->Count(); ++i) {
            SubMenu* item = menu->at(i);
            if (item == nullptr)
                continue;
            const bool itemShown = addItem(item, NM_ITEM, titleShown && itemsShown < StripItems);
            itemsShown += itemShown ? 1 : 0;
            // Items placed in an item become its sub-items; the platform has no deeper level.
            int subsShown = 0;
            for (int j = 0; j < item->Count(); ++j)
                if (SubMenu* sub = item->at(j))
                    subsShown += addItem(sub, NM_SUB, itemShown && subsShown < StripSubItems) ? 1 : 0;
        }
        if (titleShown) {
            ++menusShown;
            menu->Load();
        }
    }
    // FIXME: a tree beyond what a strip holds loses entries; the strip keeps what fits
    // (only the last menus, or the last items of a menu or of an item, are ever left out, so
    // menu numbers still match the tree).
    if (array.dropped > 0)
        Application::Log("Menu troppo grande: voci ignorate " + StringUtils::IntToStr(array.dropped));
    array.entries[static_cast<size_t>(array.count)] = NewMenu{}; // NM_END

    const TagItem createTags[] = {{GTMN_FrontPen, 1}, {TAG_DONE, 0}};
    Application::menu = CreateMenusA(array.entries.data(), createTags);
    if (Application::menu != nullptr) {
        LayoutMenusA(Application::menu, GUIElement::GlobalVisualInfo, nullptr);
        if (amiga::Window* window = GetFormWindow())
            SetMenuStrip(window, Application::menu);
    }
    loaded = true;
    visible = true;
    Application::menuBar = this;
    Application::menuPickHandler = &MenuBar::RaisePickedCommands;
}

void MenuBar::RaisePickedCommands(UWORD firstNumber)
{
    struct Pick {
        UWORD number;
        UWORD flags;
    };
    // The whole chain is read before any command runs: a check item's new state rebuilds the
    // strip, which frees the items the chain runs through, and a command may change the strip
    // too. A chain is as long as the strip has entries at most. A check item does not end the
    // chain: the picks after it are raised too, whatever menu they are in.
    std::vector<Pick> picks;
    UWORD number = firstNumber;
    while (number != MENUNULL && static_cast<int>(picks.size()) < MaxEntries) {
        const MenuItem* item = ItemAddress(Application::menu, number);
        if (item == nullptr)
            break;
        picks.push_back({number, item->Flags});
        number = item->NextSelect;
    }
    for (const Pick& pick : picks) {
        MenuBar* bar = Application::menuBar;
        if (bar == nullptr)
            continue;
        KesaMenu* menu = bar->at(pick.number & 0x1F);
        if (menu == nullptr)
            return;
        SubMenu* item = menu->at((pick.number >> 5) & 0x3F);
        if (item == nullptr)
            return;
        SubMenu* sub = item->at(pick.number >> 11);
        SubMenu* target = sub != nullptr ? sub : item;
        if ((pick.flags & CHECKIT) != 0)
            target->SetChecked((pick.flags & CHECKED) != 0 ? 1 : 0);
        target->OnCommand(target);
    }
}
