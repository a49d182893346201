#pragma once
// A menu described as data: the command registry gives the menu bar for the
// active project in this form, and the main window builds its menus from it.

#include <string>
#include <vector>

struct CMenuItem {
    std::string Caption;  // with "&" before the mnemonic
    int Id = 0;           // command id; 0 for a popup or a separator
    bool Separator = false;
    bool Checked = false;          // check mark
    std::vector<CMenuItem> Items;  // a popup's items

    bool IsPopup() const { return !Items.empty(); }

    static CMenuItem Command(std::string caption, int id) {
        CMenuItem item;
        item.Caption = std::move(caption);
        item.Id = id;
        return item;
    }
    static CMenuItem Separate() {
        CMenuItem item;
        item.Separator = true;
        return item;
    }
    static CMenuItem Popup(std::string caption, std::vector<CMenuItem> items) {
        CMenuItem item;
        item.Caption = std::move(caption);
        item.Items = std::move(items);
        return item;
    }
};

// The top-level popups of a menu bar, left to right.
using CMenuBar = std::vector<CMenuItem>;

// A caption without its "&" markers ("Save Project &As..." gives
// "Save Project As..."; "&&" stays one "&").
std::string StripMnemonic(const std::string& caption);
