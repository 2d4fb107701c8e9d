// SPDX-License-Identifier: MIT
// SubMenu: a menu item (a caption, or a separator bar when the caption is empty) that raises
// its command when picked; it may be a check item. Changes to a loaded item rebuild the strip.
#pragma once

#include "toolkit/controls/MenuItemList.h"
#include "toolkit/core/CommandElement.h"

#include <string>

class SubMenu : public MenuItemList, public CommandElement {
public:
    static constexpr unsigned int CaptionItem = 1;
    static constexpr unsigned int SeparatorItem = 2;

    // A captioned item; "&" before a character makes that character its command key.
    SubMenu(GUIElement* parentElement, std::string caption);
    // A separator bar.
    explicit SubMenu(GUIElement* parentElement);

    // Leaves its parent's list (rebuilding a strip it was in); its own items keep no parent.
    ~SubMenu() override;

    SubMenu(const SubMenu&) = delete;
    SubMenu& operator=(const SubMenu&) = delete;

    // Parent, caption and kind; not a check item, no command, an ID; appended to a parent
    // menu ("menu") or item ("submenu").
    void Init(GUIElement* parentElement, unsigned int kind, std::string caption);

    // Each stores; on a loaded item with a strip present, the strip is rebuilt.
    void SetEnabled(short value);
    void SetTypeCheck(short value);
    void SetChecked(short value);
    short GetTypeCheck() const { return checkItem; }
    short IsChecked() const { return checked; }
    unsigned int GetItemKind() const { return itemKind; }

private:
    unsigned int itemKind = CaptionItem;
    short checkItem = 0;
    short checked = 0;
};
