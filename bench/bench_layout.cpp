// Laying out a full page (128 entries, every eighth a separator) in each view
// style: the arithmetic part of a page switch.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "layout/page_layout.h"

namespace {

std::vector<std::string> MakeTitles() {
    std::vector<std::string> titles;
    for (int i = 0; i < 128; ++i) titles.push_back("Entry title " + std::to_string(i));
    return titles;
}

void BM_LayoutPage(benchmark::State& state) {
    static const std::vector<std::string> titles = MakeTitles();
    std::vector<TLayoutEntry> entries;
    for (int i = 0; i < 128; ++i) entries.push_back({i % 8 == 7, titles[i]});
    TPageLayoutInput in;
    in.Page.ViewStyle = static_cast<int>(state.range(0));
    in.Entries = &entries;
    in.ClientWidth = 320;
    in.ClientHeight = 480;
    in.ScrollBarWidth = 16;
    in.TextWidth = [](std::string_view s) { return static_cast<int>(s.size()) * 6; };
    for (auto _ : state) {
        TPageLayout layout = LayoutPage(in);
        benchmark::DoNotOptimize(layout);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(entries.size()));
}

}  // namespace

BENCHMARK(BM_LayoutPage)->DenseRange(0, 7)->ArgName("style");
