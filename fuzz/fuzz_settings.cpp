// Arbitrary bytes as the settings file: reading must never fail, and what is
// read must survive writing it back into the same file and reading it again.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fake_platform.h"
#include "settings/settings.h"

static std::string WrittenAlone(const TVantorSettings& settings, int32_t currentButton, const TFolderHistory& history) {
    TProfile ini;
    settings.WriteSettings(ini, currentButton, history);
    return ini.SaveToBytes();
}

static void Check(bool condition) {
    if (!condition) std::abort();
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

    first.WriteSettings(ini, firstResult.CurrentButton, firstHistory);
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
    Check(WrittenAlone(second, secondResult.CurrentButton, secondHistory) ==
          WrittenAlone(first, firstResult.CurrentButton, firstHistory));
    return 0;
}
