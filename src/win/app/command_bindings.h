// The main window's commands, bound to the 40 actions in one place.
#pragma once

class TVantor;

void BindMainCommands(TVantor& vantor);
// The main menu's items for the actions there are, with their keys.
void BuildMainMenu(TVantor& vantor);
