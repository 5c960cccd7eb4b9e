// The portable share of a page switch in the main window: the page's entries
// as the layout takes them, every entry's icon source looked up in a warm
// icon cache (the binding of 128 pooled buttons), and the page layout.
#include <benchmark/benchmark.h>

#include <string>

#include "fake_platform.h"
#include "layout/icon_cache.h"
#include "layout/page_binding.h"
#include "text/text.h"

namespace {

void FillPage(TVantorPage& page) {
    for (int i = 0; i < MaxButtonsPerPage; ++i) {
        if (i % 16 == 15) {
            page.Add(SeparatorLink, SeparatorTitle, "", "", "", 5, false, "", 0);
        } else {
            page.Add(Format("C:\\Program Files\\ツール%d\\prog%d.exe", i % 40, i), Format("ボタン%d", i + 1), "", "",
                     "", 5, false, i % 5 == 0 ? "C:\\icons\\set.dll" : "", i % 7);
        }
    }
}

void BM_PageSwitchBinding(benchmark::State& state) {
    TFakePlatform platform;
    TVantorPage page(platform);
    page.ViewStyle = static_cast<uint8_t>(state.range(0));
    FillPage(page);
    const bool large = ComputeCellMetrics(GeometryOf(page), 320).LargeIcon;
    TLauncherButtonCachePolicy<int> cache;
    cache.SetCacheSize(256);
    for (int i = 0; i < page.Count(); ++i) {
        const TIconSource s = IconSourceOf(*page.Buttons(i));
        cache.GetIcon(s.Path, large, s.Index, [i] { return i; });
    }
    TPageLayoutInput in;
    in.ClientWidth = 320;
    in.ClientHeight = 480;
    in.ScrollBarWidth = 16;
    in.TextWidth = [](std::string_view s) { return static_cast<int>(s.size()) * 6; };
    for (auto _ : state) {
        const std::vector<TLayoutEntry> entries = LayoutEntriesOf(page);
        int hits = 0;
        for (int i = 0; i < page.Count(); ++i) {
            if (entries[i].IsSeparator) continue;
            const TIconSource s = IconSourceOf(*page.Buttons(i));
            hits += cache.Find(s.Path, large, s.Index) != nullptr;
        }
        in.Page = GeometryOf(page);
        in.Entries = &entries;
        TPageLayout layout = LayoutPage(in);
        benchmark::DoNotOptimize(layout);
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(state.iterations() * page.Count());
}

}  // namespace

BENCHMARK(BM_PageSwitchBinding)->Arg(0)->Arg(3)->Arg(5)->Arg(7)->ArgName("style");
