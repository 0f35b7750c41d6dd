#pragma once

#include <vector>

#include "toolbar_icons.h"

class TFGlowna;

// What the main window's menus, pop-up menu and tool bar hold, in display order, and which
// handler each entry runs. Several entries share one handler.

using MainWindowHandler = void (TFGlowna::*)();

// What a pop-up entry needs selected in the tree to be enabled.
enum class SelectionNeed { Nothing, Pupil, Document };

// Texts mark their menu mnemonic with "&", unique within their menu.
struct MenuEntry {
    const char* text;  // nullptr: a separator
    MainWindowHandler handler;
    SelectionNeed needs;
    const char* shortcut;  // portable key sequence text ("Ctrl+N"); nullptr for none
};

struct MenuDefinition {
    const char* title;
    std::vector<MenuEntry> entries;
};

struct ToolButtonDefinition {
    const char* objectName;
    const char* hint;
    ToolIcon icon;
    MainWindowHandler handler;
};

struct CheckBoxDefinition {
    const char* objectName;
    const char* caption;
    bool checked;  // as laid out, before the settings are read
    MainWindowHandler handler;
};

const std::vector<MenuDefinition>& mainMenus();
const std::vector<MenuEntry>& treePopupEntries();
const std::vector<ToolButtonDefinition>& toolButtons();
const std::vector<CheckBoxDefinition>& toolBarCheckBoxes();
