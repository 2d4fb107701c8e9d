// SPDX-License-Identifier: MIT
// SubMenu: a menu item; every change of a loaded item is carried into a rebuilt strip.
#include "toolkit/controls/SubMenu.h"

#include "toolkit/controls/KesaMenu.h"
#include "toolkit/controls/MenuBar.h"
#include "toolkit/core/Application.h"

SubMenu::SubMenu(GUIElement* parentElement, std::string caption) : Child(parentElement)
{
    className = "submenu";
    width = 0;
    height = 0;
    Init(parentElement, CaptionItem, std::move(caption));
}

SubMenu::SubMenu(GUIElement* parentElement) : Child(parentElement)
{
    className = "submenu";
    width = 0;
    height = 0;
    Init(parentElement, SeparatorItem, std::string());
}

SubMenu::~SubMenu()
{
    for (SubMenu* item : items)
        if (item->parent == this)
            item->parent = nullptr;
    bool removed = false;
    if (parent != nullptr) {
        const std::string parentKind = parent->GetKesaClassName();
        if (parentKind == "menu")
            removed = static_cast<KesaMenu*>(parent)->RemoveMenu(this);
        else if (parentKind == "submenu")
            removed = static_cast<SubMenu*>(parent)->RemoveMenu(this);
    }
    // A strip still showing the item would send its picks to the items after it.
    if (removed)
        RebuildStrip();
}

bool SubMenu::RemoveMenu(const SubMenu* item)
{
    return std::erase(items, item) > 0;
}

void SubMenu::Init(GUIElement* parentElement, unsigned int kind, std::string caption)
{
    parent = parentElement;
    text = std::move(caption);
    itemKind = kind;
    checkItem = 0;
    checked = 0;
    SetCommand(nullptr);
    if (id == 0)
        LoadElementBase();
    if (parentElement == nullptr)
        return;
    // Only menus and items hold items; any other parent is a parent only.
    const std::string parentKind = parentElement->GetKesaClassName();
    if (parentKind == "menu")
        static_cast<KesaMenu*>(parentElement)->AddMenu(this);
    else if (parentKind == "submenu")
        static_cast<SubMenu*>(parentElement)->AddMenu(this);
}

void SubMenu::RebuildStrip()
{
    if (loaded && Application::menu != nullptr && Application::menuBar != nullptr)
        Application::menuBar->Load();
}

void SubMenu::SetEnabled(short value)
{
    enabled = value != 0;
    RebuildStrip();
}

void SubMenu::SetTypeCheck(short value)
{
    checkItem = value != 0 ? 1 : 0;
    RebuildStrip();
}

void SubMenu::SetChecked(short value)
{
    checked = value != 0 ? 1 : 0;
    RebuildStrip();
}

void SubMenu::AddMenu(SubMenu* item)
{
    if (item == nullptr)
        return;
    items.push_back(item);
    if (loaded && Application::menu != nullptr && Application::menuBar != nullptr)
        Application::menuBar->Load();
}

SubMenu* SubMenu::at(int i) const
{
    if (i < 0 || i >= Count())
        return nullptr;
    return items[static_cast<size_t>(i)];
}

void SubMenu::Load()
{
    loaded = true;
    visible = true;
}
