// SPDX-License-Identifier: MIT
// KesaMenu: one pull-down menu of a MenuBar, holding its items.
#pragma once

#include "toolkit/core/Child.h"

#include <string>
#include <vector>

class MenuBar;
class SubMenu;

class KesaMenu : public Child {
public:
    KesaMenu(MenuBar* bar, std::string caption);

    // Leaves its bar's list (rebuilding a strip it was in); its items keep no parent.
    ~KesaMenu() override;

    KesaMenu(const KesaMenu&) = delete;
    KesaMenu& operator=(const KesaMenu&) = delete;

    // Caption, parent and an ID; appended to the bar when there is one.
    void Init(MenuBar* bar, std::string caption);
    // Appends; when this menu is loaded and a strip exists, the strip is rebuilt.
    void AddMenu(SubMenu* item);
    // The i-th item, or null when i is not below the count.
    SubMenu* at(int i) const;
    int Count() const { return static_cast<int>(items.size()); }
    // Marks the menu loaded and visible; the strip is built by its MenuBar.
    void Load() override;

private:
    // An item being destroyed leaves the list; a bar being destroyed cuts its menus loose.
    friend class SubMenu;
    friend class MenuBar;

    // Takes the item off the list; false when it was not there.
    bool RemoveMenu(const SubMenu* item);

    std::vector<SubMenu*> items; // not owned
};
