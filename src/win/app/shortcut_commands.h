// Shortcut files to entries on the desktop, in the Start menu's programs, the
// startup and the send-to folders, and the program's own start-up shortcut.
#pragma once

#include <string>

#include "model/vantor_classes.h"
#include "shell/id_list.h"

class TVantor;

// Writes `name`.lnk into `folder` through the shell's link object; every
// failure is shown to the user, and false returned.
bool MakeShortCut(TVantor& vantor, TSpecialFolder folder, const std::string& name, const TVantorButton& target);
// The program itself in the startup folder, with the arguments it was started with.
bool RegisterAtStartup(TVantor& vantor);
// Binds the four shortcut actions of the entry menu and the start-up registration.
void BindShortcutCommands(TVantor& vantor);
