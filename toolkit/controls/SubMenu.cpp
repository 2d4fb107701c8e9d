// SPDX-License-Identifier: MIT
// SubMenu: a menu item; every change of a loaded item is carried into a rebuilt strip.
#include "toolkit/controls/SubMenu.h"

namespace {

// Only menus and items hold items; any other parent is a parent only.
bool HoldsItems(GUIElement* element)
{
    if (element == nullptr)
        return false;
    const std::string kind = element->GetKesaClassName();
    return kind == "menu" || kind == "submenu";
}

} // namespace

SubMenu::SubMenu(GUIElement* parentElement, std::string caption) : MenuItemList(parentElement)
{
    className = "submenu";
    width = 0;
    height = 0;
    Init(parentElement, CaptionItem, std::move(caption));
}

SubMenu::SubMenu(GUIElement* parentElement) : MenuItemList(parentElement)
{
    className = "submenu";
    width = 0;
    height = 0;
    Init(parentElement, SeparatorItem, std::string());
}

SubMenu::~SubMenu()
{
    // A strip still showing the item would send its picks to the items after it.
    if (HoldsItems(parent) && static_cast<MenuItemList*>(parent)->RemoveMenu(this))
        RebuildStrip();
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
    if (HoldsItems(parentElement))
        static_cast<MenuItemList*>(parentElement)->AddMenu(this);
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
