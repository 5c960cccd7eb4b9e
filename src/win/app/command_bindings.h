// The main window's commands, bound to the 40 actions in one place.
#pragma once

#include "commands/menu_rules.h"

class TVantor;

void BindMainCommands(TVantor& vantor);
// The main menu's items for the actions there are, with their keys.
void BuildMainMenu(TVantor& vantor);
// The window the main menu and the editing commands are for: the bar that
// holds the keyboard focus, else the main window.
TMenuOwner MainMenuOwner(TVantor& vantor);
