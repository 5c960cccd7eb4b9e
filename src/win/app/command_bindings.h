// The main window's commands, bound to the 40 actions in one place.
#pragma once

class TVantor;

void BindMainCommands(TVantor& vantor);
