#include "settings/settings.h"

TVantorSettings::TVantorSettings(TPlatform& platform) : Platform(platform) {
    SetDefaultShortCuts();
    SetDefaultSounds();
}

void TVantorSettings::SetDefaultShortCuts() { ShortCuts.clear(); }

void TVantorSettings::SetDefaultSounds() { Sounds.clear(); }
