// The ten launcher events that can play a sound, the sound values the
// settings dialog offers, and how a sound value is played.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr int32_t SoundEventCount = 10;
constexpr int32_t SoundChoiceCount = 10;

struct TSoundEventInfo {
    const char* Name;  // also the name of its "name=value" line
    const char* Caption;
    const char* DefaultSound;
};

// Values offered by the settings dialog. The entry with a null value stands
// for "a wave file the user picks".
struct TSoundChoice {
    const char* Value;
    const char* Caption;
};

const std::array<TSoundEventInfo, SoundEventCount>& SoundEventTable();
const std::array<TSoundChoice, SoundChoiceCount>& SoundChoiceTable();

// Clears the list and fills it with the ten default "event=sound" lines.
void SetDefaultSounds(std::vector<std::string>& list);

// What PlaySoundA is called with for one sound value.
struct TSoundRequest {
    bool Play = false;  // false: nothing is played
    std::string Name;   // alias (without the "*") or wave file path
    uint32_t Flags = 0;
};
constexpr uint32_t SoundAliasFlags = 0x10003;  // SND_ALIAS | SND_ASYNC | SND_NODEFAULT
constexpr uint32_t SoundFileFlags = 0x20001;   // SND_FILENAME | SND_ASYNC

// Empty value: nothing. "*alias": the system sound alias. Otherwise a file.
TSoundRequest SoundRequestFor(std::string_view value);
