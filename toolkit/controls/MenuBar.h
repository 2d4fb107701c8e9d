// SPDX-License-Identifier: MIT
// MenuBar: a window's pull-down menus as elements; loading it builds the platform menu strip
// from its menus and their items and attaches it to the window.
#pragma once

#include "platform/common/Types.h"
#include "toolkit/core/Child.h"

#include <memory>
#include <vector>

class Form;
class KesaMenu;

class MenuBar : public Child {
public:
    // The entries of one strip, titles, items and the closing entry together.
    static constexpr int MaxEntries = 100;

    explicit MenuBar(Form* parentForm);
    // Detaches and frees the strip when it was built from this bar.
    ~MenuBar();

    MenuBar(const MenuBar&) = delete;
    MenuBar& operator=(const MenuBar&) = delete;

    // Appends; a loaded bar marks the menu loaded but does not rebuild.
    void AddMenu(KesaMenu* menu);
    // The i-th menu, or null when i is not below the count.
    KesaMenu* at(int i) const;
    int Count() const { return static_cast<int>(menus.size()); }

    // Builds the strip from the element tree (replacing the current one) and attaches it to
    // the bar's window; the bar becomes Application::menuBar.
    void Load() override;
    // The bar has no place in the window's client area: clicks never hit it.
    bool Hit(tagPOINT p) override;

    // Frees the label copies of a strip that has been freed.
    void ReleaseLabels();

private:
    // A menu being destroyed leaves the list.
    friend class KesaMenu;

    // The event loop's menu-pick handler: raises the commands of the items picked, following
    // the chain of menu numbers from the message's code, with the current bar's elements.
    static void RaisePickedCommands(amiga::UWORD firstNumber);

    char* CopyLabel(const std::string& caption);
    char* CopyKey(const std::string& caption);

    std::vector<KesaMenu*> menus; // not owned
    // Labels and keys handed to the menu builder; they live as long as the strip.
    std::vector<std::unique_ptr<char[]>> labelCopies;
};
