// ActionOption: the settings dialog over the main window's settings; on OK
// the settings take the copy and the program applies them as start-up does,
// then writes Vantor.ini.
#pragma once

class TVantor;

void RunSettingsDialog(TVantor& vantor);
// Every window takes the settings the main set now holds.
void ApplySettings(TVantor& vantor);
