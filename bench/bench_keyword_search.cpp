// One keystroke in the keyword bar over full page sets (main, smart and
// history, 32 pages of 128 entries each), against a bare scan that only
// compares the same keywords' first bytes with memcmp, in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "search/keyword_search.h"

namespace {

const char* const Words[] = {"Notepad",  "notes",    "Calc",     "Paint",   "Explorer", "cmd",      "WinWord",
                             "Excel",    "PowerPnt", "Outlook",  "Mspaint", "Regedit",  "Taskm",    "Charmap",
                             "Sndrec",   "Telnet",   "Ftp",      "Ping",    "Winzip",   "Lhaca",    "メモ帳",
                             "電卓",     "ペイント", "表計算",   "ソフト",  "アプリ",   "ワープロ", "メール",
                             "辞書",     "時計",     "Ｗｉｄｅ", "ＡＢＣ",  "Delphi",   "Compiler", "Debugger",
                             "Profiler", "Browser",  "Netscape", "Mosaic",  "Gopher"};

struct TFullSets {
    TFakePlatform Platform;
    std::unique_ptr<TVantorManager> Sets[3];
    TFullSets() {
        const int wordCount = static_cast<int>(sizeof(Words) / sizeof(Words[0]));
        int n = 0;
        for (auto& set : Sets) {
            set = std::make_unique<TVantorManager>(Platform);
            while (set->Count() < MaxPagesPerSet) set->AddPage("", 1);
            for (int32_t p = 0; p < set->Count(); ++p) {
                TVantorPage& page = *set->Pages(p);
                while (!page.IsFull()) {
                    const std::string word = Words[n % wordCount];
                    const std::string number = std::to_string(n);
                    page.Add("C:\\Program Files\\" + word + "\\" + word + number + ".exe", word + " " + number,
                             word + number, "", "", ShowNormal, false, "", 0);
                    ++n;
                }
            }
        }
    }
};

const TFullSets& FullSets() {
    static const TFullSets sets;
    return sets;
}

const std::string& KeyOf(int64_t which) {
    // No match (the whole scan), a few Japanese ones, a few only found
    // ignoring case, and more than the list takes.
    static const std::string keys[] = {"zz", "ソフト1", "ｗｉｄｅ12", "no"};
    return keys[which];
}

void BM_KeywordKeystroke(benchmark::State& state) {
    const TFullSets& sets = FullSets();
    TFakePlatform platform;
    TVantorPage matches(platform);
    const std::string& key = KeyOf(state.range(0));
    const bool kanaBlind = state.range(1) != 0;
    for (auto _ : state) {
        FindKeywordMatches(key, {sets.Sets[0].get(), sets.Sets[1].get(), sets.Sets[2].get()}, matches, kanaBlind);
        benchmark::DoNotOptimize(matches.Count());
    }
    state.counters["matches"] = matches.Count();
}

// The floor: every keyword's first bytes compared as they are.
void BM_KeywordBareScan(benchmark::State& state) {
    const TFullSets& sets = FullSets();
    const std::string& key = KeyOf(state.range(0));
    int found = 0;
    for (auto _ : state) {
        found = 0;
        for (const auto& set : sets.Sets)
            for (int32_t p = 0; p < set->Count(); ++p) {
                const TVantorPage& page = *set->Pages(p);
                for (int32_t i = 0; i < page.Count(); ++i) {
                    const std::string& keyword = page.Buttons(i)->Keyword;
                    found += keyword.size() >= key.size() && std::memcmp(keyword.data(), key.data(), key.size()) == 0;
                }
            }
        benchmark::DoNotOptimize(found);
    }
    state.counters["matches"] = found;
}

}  // namespace

// The second argument: 1 searches kana-blind, as the program does by default.
BENCHMARK(BM_KeywordKeystroke)->ArgsProduct({{0, 1, 2, 3}, {0, 1}})->ArgNames({"key", "kanaBlind"});
BENCHMARK(BM_KeywordBareScan)->DenseRange(0, 3)->ArgName("key");
