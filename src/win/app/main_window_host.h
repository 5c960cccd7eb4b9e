// The dialogs' host at the top: shown through the main window's RunModal,
// with its desktop services and the help file beside the program.
#pragma once

#include "dialogs/organise_host.h"

class TVantor;

TDialogHost MainWindowHost(TVantor& vantor);
