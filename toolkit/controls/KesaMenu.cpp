// SPDX-License-Identifier: MIT
// KesaMenu: a menu of a MenuBar.
#include "toolkit/controls/KesaMenu.h"

#include "toolkit/controls/MenuBar.h"
#include "toolkit/controls/SubMenu.h"
#include "toolkit/core/Application.h"

KesaMenu::KesaMenu(MenuBar* bar, std::string caption) : Child(bar)
{
    className = "menu";
    width = 0;
    height = 0;
    Init(bar, std::move(caption));
}

KesaMenu::~KesaMenu()
{
    for (SubMenu* item : items)
        if (item->parent == this)
            item->parent = nullptr;
    bool removed = false;
    if (parent != nullptr && parent->GetKesaClassName() == "menubar")
        removed = std::erase(static_cast<MenuBar*>(parent)->menus, this) > 0;
    // A strip still showing the menu would send its picks to the menus after it.
    if (removed && loaded && Application::menu != nullptr && Application::menuBar != nullptr)
        Application::menuBar->Load();
}

bool KesaMenu::RemoveMenu(const SubMenu* item)
{
    return std::erase(items, item) > 0;
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

void KesaMenu::AddMenu(SubMenu* item)
{
    if (item == nullptr)
        return;
    items.push_back(item);
    if (loaded && Application::menu != nullptr && Application::menuBar != nullptr)
        Application::menuBar->Load();
}

SubMenu* KesaMenu::at(int i) const
{
    if (i < 0 || i >= Count())
        return nullptr;
    return items[static_cast<size_t>(i)];
}

void KesaMenu::Load()
{
    loaded = true;
    visible = true;
}
