// SPDX-License-Identifier: MIT
// MenuItemList: the item list of menus and items.
#include "toolkit/controls/MenuItemList.h"

#include "toolkit/controls/MenuBar.h"
#include "toolkit/controls/SubMenu.h"
#include "toolkit/core/Application.h"

MenuItemList::~MenuItemList()
{
    for (SubMenu* item : items)
        if (item->parent == this)
            item->parent = nullptr;
}

void MenuItemList::AddMenu(SubMenu* item)
{
    if (item == nullptr)
        return;
    items.push_back(item);
    RebuildStrip();
}

SubMenu* MenuItemList::at(int i) const
{
    if (i < 0 || i >= Count())
        return nullptr;
    return items[static_cast<size_t>(i)];
}

void MenuItemList::Load()
{
    loaded = true;
    visible = true;
}

void MenuItemList::RebuildStrip()
{
    if (loaded && Application::menu != nullptr && Application::menuBar != nullptr)
        Application::menuBar->Load();
}

bool MenuItemList::RemoveMenu(const SubMenu* item)
{
    return std::erase(items, item) > 0;
}
