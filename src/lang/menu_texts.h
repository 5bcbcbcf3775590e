#pragma once

#include <span>
#include <string>
#include <string_view>

#include "lang/text_table.h"

// Which language text labels each menu. After a language is loaded the main window sets every
// top-level menu by position and every item by command id from these rows; an item with a keyboard
// shortcut gets a tab and the shortcut's text, which is the same in every language.

struct MenuItemText {
    int commandId;
    int textId;
    std::string_view shortcut;  // empty when the item has none
};

// The items, one row per command id.
std::span<const MenuItemText> menuItemTexts();

// The text ids of the top-level menus, in menu-bar order.
std::span<const int> topLevelMenuTextIds();

// The caption of the item with `commandId`: its text, and a tab and its shortcut when it has one.
// An empty text for a command without a row.
std::string menuItemCaption(const TextTable& texts, int commandId);
