// Arbitrary bytes as the settings file: reading must never fail, and what is
// read must survive writing it back into the same file and reading it again.
// The key definitions are completed and parsed as at start-up, the sounds
// looked up as when played, and the placements of the main window and the
// bars read and written as the windows do.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fake_platform.h"
#include "settings/keys.h"
#include "settings/placement.h"
#include "settings/settings.h"
#include "settings/sounds.h"

static const char* const PlacementSections[] = {"DockLocations", "SmartBarLocations", "KeywordBarLocations",
                                                "HistoryBarLocations", "ResourceBarLocations"};

static std::string WrittenAlone(const TVantorSettings& settings, int32_t currentButton, const TFolderHistory& history) {
    TProfile ini;
    settings.WriteSettings(ini, currentButton, history);
    return ini.SaveToBytes();
}

static void Check(bool condition) {
    if (!condition) std::abort();
}

static bool SamePlacement(const TPlacement& a, const TPlacement& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height &&
           a.Maximized == b.Maximized && a.CurrentDir == b.CurrentDir;
}

// Every key that has a text reads back from it as itself.
static void CheckKeyDefinitions(std::vector<std::string> shortCuts) {
    for (uint16_t key : MergeKeyDefinitions(shortCuts)) {
        const std::string text = ShortCutToText(key);
        if (key != 0 && !text.empty()) Check(TextToShortCut(text) == key);
    }
}

static void LookUpSounds(const std::vector<std::string>& sounds) {
    for (const std::string& line : sounds) {
        const size_t equals = line.find('=');
        const TSoundRequest request = SoundRequestFor(equals == std::string::npos ? "" : line.substr(equals + 1));
        // "*" alone is an empty alias, which plays nothing; a file has a name.
        Check(!request.Play || request.Flags == SoundAliasFlags || !request.Name.empty());
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TFakePlatform platform;
    platform.Fonts = {"MS UI Gothic", "Arial"};
    TSettingsReadOptions options;
    options.DataFolder = "C:\\Data\\";
    options.ResourceMeterAvailable = size > 0 && (data[0] & 1) != 0;

    TProfile ini;
    ini.LoadFromBytes(bytes);
    TVantorSettings first(platform);
    TSettingsReadResult firstResult = first.ReadSettings(ini, options);
    TFolderHistory firstHistory;
    firstHistory.Read(ini, platform, options.DataFolder);
    std::array<TPlacement, std::size(PlacementSections)> placements;
    for (size_t i = 0; i < placements.size(); ++i)
        placements[i] = LoadPlacement(ini, PlacementSections[i], KeepAll, TPlacement{});
    CheckKeyDefinitions(first.ShortCuts);
    LookUpSounds(first.Sounds);

    first.WriteSettings(ini, firstResult.CurrentButton, firstHistory);
    for (size_t i = 0; i < placements.size(); ++i) SavePlacement(ini, PlacementSections[i], KeepAll, placements[i]);
    std::string saved = ini.SaveToBytes();
    TProfile reloaded;
    reloaded.LoadFromBytes(saved);
    Check(reloaded.SaveToBytes() == saved);

    TVantorSettings second(platform);
    TSettingsReadResult secondResult = second.ReadSettings(reloaded, options);
    TFolderHistory secondHistory;
    secondHistory.Read(reloaded, platform, options.DataFolder);

    Check(secondResult.CurrentButton == firstResult.CurrentButton);
    Check(secondHistory.Items == firstHistory.Items);
    for (size_t i = 0; i < placements.size(); ++i)
        Check(SamePlacement(LoadPlacement(reloaded, PlacementSections[i], KeepAll, TPlacement{}), placements[i]));
    Check(WrittenAlone(second, secondResult.CurrentButton, secondHistory) ==
          WrittenAlone(first, firstResult.CurrentButton, firstHistory));
    return 0;
}
