// Saving and loading a full page set (32 pages of 128 entries) in memory, the
// work behind every start-up and every save.
#include <benchmark/benchmark.h>

#include "fake_platform.h"
#include "model/vantor_classes.h"

static constexpr int64_t EntriesPerSet = int64_t{MaxPagesPerSet} * MaxButtonsPerPage;

// Entries as a user collects them: programs under Program Files with Japanese
// titles, a few Windows programs, documents with arguments, web addresses and
// separators.
static void AddRealisticEntry(TVantorPage& page, int pageIndex, int i) {
    if (i % 16 == 15) {
        page.Add(SeparatorLink, "", "", "", "", ShowNormal, false, "", 0);
    } else if (i % 16 == 7) {
        page.Add(Format("http://www.example.co.jp/page%d/index.html", i), Format("ウェブサイト %d", i), "website", "",
                 "", ShowNormal, false, "", 0);
    } else if (i % 16 == 3) {
        page.Add("C:\\WINDOWS\\notepad.exe", Format("メモ帳で開く設定 %d", i), "memo",
                 Format("\"D:\\文書\\設定ファイル\\config%d.ini\"", i), "D:\\文書", ShowMaximized, false, "", 0);
    } else {
        page.Add(Format("C:\\Program Files\\Vendor%d\\アプリケーション%d\\app%d.exe", pageIndex, i, i),
                 Format("アプリケーション %d-%d", pageIndex, i), Format("app%d", i),
                 i % 4 == 0 ? Format("/open /profile:%d", i) : std::string(), "", i % 5 == 0 ? 6 : 5, false,
                 i % 6 == 0 ? Format("C:\\Program Files\\Vendor%d\\icons.dll", pageIndex) : std::string(), i % 6);
    }
}

static std::string FullSetBytes(TFakePlatform& fake) {
    fake.AddFile("C:\\WINDOWS\\notepad.exe");
    TVantorManager set(fake);
    for (int p = 1; p < MaxPagesPerSet; ++p) set.AddPage("", static_cast<uint8_t>(p % ViewStyleCount));
    for (int p = 0; p < set.Count(); ++p) {
        set.Pages(p)->Caption = Format("ページ %d の道具", p + 1);
        for (int i = 0; i < MaxButtonsPerPage; ++i) AddRealisticEntry(*set.Pages(p), p, i);
    }
    return set.SaveToBytes();
}

static void BM_SaveFullPageSet(benchmark::State& state) {
    TFakePlatform fake;
    TVantorManager set(fake);
    set.LoadFromBytes(FullSetBytes(fake));
    size_t size = 0;
    for (auto _ : state) {
        std::string bytes = set.SaveToBytes();
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * EntriesPerSet);
    state.counters["file_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_SaveFullPageSet)->Unit(benchmark::kMicrosecond);

static void BM_LoadFullPageSet(benchmark::State& state) {
    TFakePlatform fake;
    std::string bytes = FullSetBytes(fake);
    TVantorManager set(fake);
    for (auto _ : state) {
        set.LoadFromBytes(bytes);
        benchmark::DoNotOptimize(set.Count());
    }
    if (set.Count() != MaxPagesPerSet || set.Pages(31)->Count() != MaxButtonsPerPage)
        state.SkipWithError("the full set did not load whole");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * EntriesPerSet);
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_LoadFullPageSet)->Unit(benchmark::kMicrosecond);
