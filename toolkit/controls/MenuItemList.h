// SPDX-License-Identifier: MIT
// MenuItemList: what a menu (KesaMenu) and an item (SubMenu) share as holders of items: the
// ordered list, adding to it, indexing it and loading. It adds no operations.
#pragma once

#include "toolkit/core/Child.h"

#include <vector>

class SubMenu;

class MenuItemList : public Child {
public:
    // Its items keep no parent.
    ~MenuItemList() override;

    // Appends; when this holder is loaded and a strip exists, the strip is rebuilt.
    void AddMenu(SubMenu* item);
    // The i-th item, or null when i is not below the count.
    SubMenu* at(int i) const;
    int Count() const { return static_cast<int>(items.size()); }
    // Marks loaded and visible; the strip is built by the MenuBar.
    void Load() override;

protected:
    using Child::Child;

    // Rebuilds the strip when this holder is loaded and a strip exists.
    void RebuildStrip();

private:
    // An item being destroyed leaves its holder's list.
    friend class SubMenu;

    // Takes the item off the list; false when it was not there.
    bool RemoveMenu(const SubMenu* item);

    std::vector<SubMenu*> items; // not owned
};
