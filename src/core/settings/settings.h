// Every persistent setting of the main page set, with its default and its
// clamping setter. TVantorManager derives from this class, so the settings are
// fields of the manager as the rest of the program expects.
#pragma once

#include <string>
#include <vector>

#include "platform.h"

class TVantorSettings {
public:
    explicit TVantorSettings(TPlatform& platform);
    virtual ~TVantorSettings() = default;

    // "name=value" lines: action name = key text, event name = sound.
    std::vector<std::string> ShortCuts;
    std::vector<std::string> Sounds;
    void SetDefaultShortCuts();
    void SetDefaultSounds();

protected:
    TPlatform& Platform;
};
