// SPDX-License-Identifier: MIT
// KesaMenu: one pull-down menu of a MenuBar, holding its items.
#pragma once

#include "toolkit/controls/MenuItemList.h"

#include <string>

class MenuBar;

class KesaMenu : public MenuItemList {
public:
    KesaMenu(MenuBar* bar, std::string caption);

    // Leaves its bar's list (rebuilding a strip it was in); its items keep no parent.
    ~KesaMenu() override;

    KesaMenu(const KesaMenu&) = delete;
    KesaMenu& operator=(const KesaMenu&) = delete;

    // Caption, parent and an ID; appended to the bar when there is one.
    void Init(MenuBar* bar, std::string caption);

private:
    // A bar being destroyed cuts its menus loose.
    friend class MenuBar;
};
