// SPDX-License-Identifier: MIT
// KesaMenu: a menu of a MenuBar.
#include "toolkit/controls/KesaMenu.h"

#include "toolkit/controls/MenuBar.h"

KesaMenu::KesaMenu(MenuBar* bar, std::string caption) : MenuItemList(bar)
{
    className = "menu";
    width = 0;
    height = 0;
    Init(bar, std::move(caption));
}

KesaMenu::~KesaMenu()
{
    bool removed = false;
    if (parent != nullptr && parent->GetKesaClassName() == "menubar")
        removed = std::erase(static_cast<MenuBar*>(parent)->menus, this) > 0;
    // A strip still showing the menu would send its picks to the menus after it.
    if (removed)
        RebuildStrip();
}

void KesaMenu::Init(MenuBar* bar, std::string caption)
{
    text = std::move(caption);
    parent = bar;
    if (id == 0)
        LoadElementBase();
    if (bar != nullptr)
        bar->AddMenu(this);
}
