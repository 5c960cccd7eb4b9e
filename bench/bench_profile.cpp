// The settings file at its worst: a damaged Vantor.ini holding a hundred
// thousand copies of one section, read, written back by the whole save and
// turned into bytes. This once took minutes; it must stay well under a second.
#include <benchmark/benchmark.h>

#include "fake_platform.h"
#include "settings/profile.h"
#include "settings/settings.h"

static std::string RepeatedSections(int64_t copies) {
    std::string text = "[Settings]\r\nVersion=768\r\n";
    for (int64_t i = 0; i < copies; ++i) text += "[Exts]\r\nCustomExt0=.txt\r\n";
    return text;
}

static void BM_SaveSettingsWithRepeatedSections(benchmark::State& state) {
    const std::string text = RepeatedSections(state.range(0));
    TFakePlatform platform;
    TVantorSettings settings(platform);
    for (auto _ : state) {
        TProfile ini;
        ini.LoadFromBytes(text);
        settings.ReadSettings(ini, TSettingsReadOptions());
        settings.WriteSettings(ini, 0, TFolderHistory());
        benchmark::DoNotOptimize(ini.SaveToBytes());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SaveSettingsWithRepeatedSections)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The usual case: a settings file as the program writes it, saved again.
static void BM_SaveOrdinarySettings(benchmark::State& state) {
    TFakePlatform platform;
    TVantorSettings settings(platform);
    TProfile written;
    settings.WriteSettings(written, 0, TFolderHistory());
    const std::string text = written.SaveToBytes();
    for (auto _ : state) {
        TProfile ini;
        ini.LoadFromBytes(text);
        settings.ReadSettings(ini, TSettingsReadOptions());
        settings.WriteSettings(ini, 0, TFolderHistory());
        benchmark::DoNotOptimize(ini.SaveToBytes());
    }
}
BENCHMARK(BM_SaveOrdinarySettings)->Unit(benchmark::kMicrosecond);
