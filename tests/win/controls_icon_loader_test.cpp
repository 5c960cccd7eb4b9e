// Icons checked and extracted on the cache's worker: what a button shows
// before, while and after its answer arrives, and a clean end.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h.
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "base/handles.h"
#include "base/win_text.h"
#include "controls/icon_loader.h"
#include "controls/launcher_button.h"
#include "controls/paint_panel.h"
#include "controls_test_support.h"
#include "win_test_util.h"

namespace {

const std::string Notepad = "C:\\windows\\system32\\notepad.exe";
const std::string Shell32 = "C:\\windows\\system32\\shell32.dll";
const std::string Missing = "C:\\no\\such\\folder\\gone.exe";

// What the button shows now, without waiting for an answer.
HICON Shown(const TLauncherButton& b) { return static_cast<const TCustomIconButton&>(b).IconHandle(); }

// Runs the thread's messages (the worker's wake-ups among them) until no
// button waits any more, for at most `ms`; calls `each` after every message.
template <class F>
bool PumpUntilAnswered(const TLauncherButtonCache& cache, DWORD ms, F&& each) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (cache.Waiting() > 0) {
        if (GetTickCount() - start > ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
            each();
        }
    }
    return true;
}
bool PumpUntilAnswered(const TLauncherButtonCache& cache, DWORD ms = 20000) {
    return PumpUntilAnswered(cache, ms, [] {});
}

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < ms) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
}

// Pixels of the button's icon area that differ from the background.
int PaintedPixels(TLauncherButton& b) {
    TTestCanvas canvas(40, 40, RGB(1, 2, 3));
    b.Paint(canvas.DC());
    int painted = 0;
    for (int y = 4; y < 36; ++y) {
        for (int x = 4; x < 36; ++x) painted += canvas.Pixel(x, y) != RGB(1, 2, 3) ? 1 : 0;
    }
    return painted;
}

// The button's paint equals the icon drawn alone at the same place.
bool PaintsIcon(TLauncherButton& b, HICON icon) {
    TTestCanvas shown(40, 40, RGB(1, 2, 3));
    b.Paint(shown.DC());
    TTestCanvas direct(40, 40, RGB(1, 2, 3));
    DrawIconEx(direct.DC(), 4, 4, icon, 32, 32, 0, nullptr, DI_NORMAL);
    for (int y = 4; y < 36; y += 2) {
        for (int x = 4; x < 36; x += 2) {
            if (shown.Pixel(x, y) != direct.Pixel(x, y)) return false;
        }
    }
    return true;
}

// A flat, transparent 40 x 40 button on the cache: nothing but its icon is painted.
std::unique_ptr<TLauncherButton> MakeButton(TLauncherButtonCache& cache) {
    auto b = std::make_unique<TLauncherButton>();
    b->SetCache(&cache);
    b->ApplyButtonStyleSetting(1);
    b->SetBounds(0, 0, 40, 40);
    return b;
}

int ThreadsOfThisProcess() {
    TKernelHandle snap(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 e{};
    e.dwSize = sizeof(e);
    int n = 0;
    for (BOOL ok = Thread32First(snap.Get(), &e); ok; ok = Thread32Next(snap.Get(), &e)) {
        n += e.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
    }
    return n;
}

}  // namespace

TEST(IconLoading, AButtonReboundBeforeItsIconArrivedEndsWithTheSecondIconNeverTheFirst) {
    TLauncherButtonCache cache;
    cache.SetCacheSize(256);
    auto other = MakeButton(cache);
    auto b = MakeButton(cache);
    // `other` asks for the second source first, so its answer comes back
    // before the one `b` asked for first: a stale answer would land last.
    other->SetIconSource(Shell32, 10);
    b->SetIconSource(Shell32, 3);
    ASSERT_TRUE(b->Pending());
    EXPECT_EQ(Shown(*b), nullptr);
    EXPECT_EQ(PaintedPixels(*b), 0);  // the neutral placeholder: nothing over the background
    b->SetIconSource(Shell32, 10);
    std::set<HICON> seen;
    ASSERT_TRUE(PumpUntilAnswered(cache, 20000, [&] { seen.insert(Shown(*b)); }));
    PumpFor(200);  // any late answer would have arrived by now
    seen.insert(Shown(*b));

    const TSharedIcon second = cache.GetIcon(Shell32, true, 10);
    ASSERT_TRUE(second);
    EXPECT_EQ(Shown(*b), second->Get());
    EXPECT_EQ(Shown(*other), second->Get());  // one job, one extraction, shared
    for (HICON h : seen) EXPECT_TRUE(h == nullptr || h == second->Get());
    // The first source was dropped before the worker reached it, or its answer was.
    EXPECT_EQ(cache.Used(), 1);
    EXPECT_TRUE(PaintsIcon(*b, second->Get()));

    // The same again, with the first answer already finished on the worker
    // when the rebind comes.
    b->SetIconSource(Notepad, -1);
    Sleep(300);
    b->SetIconSource(Shell32, 3);
    seen.clear();
    ASSERT_TRUE(PumpUntilAnswered(cache, 20000, [&] { seen.insert(Shown(*b)); }));
    PumpFor(200);
    const TSharedIcon third = cache.GetIcon(Shell32, true, 3);
    EXPECT_EQ(Shown(*b), third->Get());
    for (HICON h : seen) EXPECT_TRUE(h == nullptr || h == third->Get());
}

TEST(IconLoading, AMissingTargetShowsNotFoundAndAnExistingOneItsIconOnceTheWorkerAnswered) {
    TTempFolder folder("icon-loader");
    const std::string target = folder / "target.exe";
    WriteTextFile(target, "MZ");
    TLauncherButtonCache cache;
    cache.SetCacheSize(256);
    auto missing = MakeButton(cache);
    auto found = MakeButton(cache);
    auto kept = MakeButton(cache);
    missing->SetIconSource(Missing, -1);
    found->SetIconSource(Notepad, -1);
    kept->SetIconSource(target, -1);
    // Before any answer: placeholders, not the "not found" picture.
    EXPECT_EQ(PaintedPixels(*missing), 0);
    EXPECT_EQ(PaintedPixels(*found), 0);
    ASSERT_TRUE(PumpUntilAnswered(cache));

    EXPECT_FALSE(missing->Pending());
    EXPECT_EQ(Shown(*missing), nullptr);
    EXPECT_TRUE(PaintsIcon(*missing, NotFoundIcon(true)));
    EXPECT_EQ(missing->FileName(), "");
    const TSharedIcon notepad = cache.GetIcon(Notepad, true, -1);
    EXPECT_EQ(Shown(*found), notepad->Get());
    EXPECT_TRUE(PaintsIcon(*found, notepad->Get()));
    EXPECT_EQ(found->FileName(), Notepad);

    // Bound again to what it shows: the icon stays while the target is
    // checked again, and gives way to "not found" once the check says so.
    const HICON targetIcon = Shown(*kept);
    ASSERT_NE(targetIcon, nullptr);
    ASSERT_TRUE(DeleteFileW(Widen(target).c_str()));
    kept->SetIconSource(target, -1);
    EXPECT_TRUE(kept->Pending());
    EXPECT_TRUE(PaintsIcon(*kept, targetIcon));
    ASSERT_TRUE(PumpUntilAnswered(cache));
    EXPECT_EQ(Shown(*kept), nullptr);
    EXPECT_TRUE(PaintsIcon(*kept, NotFoundIcon(true)));
    // And back: the file returns, the icon with it; "not found" stays up meanwhile.
    WriteTextFile(target, "MZ");
    kept->SetIconSource(target, -1);
    EXPECT_TRUE(PaintsIcon(*kept, NotFoundIcon(true)));
    ASSERT_TRUE(PumpUntilAnswered(cache));
    EXPECT_NE(Shown(*kept), nullptr);
    EXPECT_EQ(kept->FileName(), target);
}

TEST(IconLoading, ManyButtonsOnFewTargetsCostOneExtractionEachAndHitTheCacheLikeAskingInTurn) {
    TLauncherButtonCache cache;
    cache.SetCacheSize(256);
    std::vector<std::unique_ptr<TLauncherButton>> buttons;
    for (int i = 0; i < 40; ++i) {
        buttons.push_back(MakeButton(cache));
        buttons.back()->SetIconSource(Shell32, i % 4);
    }
    ASSERT_TRUE(PumpUntilAnswered(cache));
    EXPECT_EQ(cache.Used(), 4);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(Shown(*buttons[i]), cache.SlotIcon(i % 4)) << i;
}

TEST(IconLoading, AnExistingFileWithoutTheIconIsAskedForOnceAndDrawnAsNotFound) {
    TLauncherButtonCache cache;
    auto a = MakeButton(cache);
    auto b = MakeButton(cache);
    a->SetIconSource(Shell32, 5000);  // far past the icons the file holds
    ASSERT_TRUE(PumpUntilAnswered(cache, 5000));
    EXPECT_EQ(Shown(*a), nullptr);
    EXPECT_EQ(a->FileName(), Shell32);  // the file is there, only the icon is not
    EXPECT_TRUE(PaintsIcon(*a, NotFoundIcon(true)));
    EXPECT_EQ(cache.Used(), 1);  // kept as an empty entry: a hit next time
    b->SetIconSource(Shell32, 5000);
    ASSERT_TRUE(PumpUntilAnswered(cache, 5000));
    EXPECT_EQ(cache.Used(), 1);
    EXPECT_EQ(Shown(*b), nullptr);
}

TEST(IconLoading, AskingForTheFileNameWaitsForTheAnswer) {
    TLauncherButtonCache cache;
    auto b = MakeButton(cache);
    b->SetIconSource(Missing, -1);
    EXPECT_EQ(b->FileName(), "");
    EXPECT_FALSE(b->Pending());
    b->SetIconSource(Notepad, -1);
    EXPECT_NE(b->IconHandle(), nullptr);
    EXPECT_EQ(b->FileName(), Notepad);
    // A button destroyed while it waits leaves nothing behind in the cache.
    b->SetIconSource(Shell32, 7);
    b.reset();
    EXPECT_EQ(cache.Waiting(), 0u);
    PumpFor(200);
}

TEST(IconLoading, TheWorkerEndsWithTheCacheAndLeavesNoHandlesOrThreadsBehind) {
    // Warm up what the system keeps once per process (image lists, fonts, COM).
    {
        TLauncherButtonCache cache;
        auto b = MakeButton(cache);
        b->SetIconSource(Shell32, 1);
        ASSERT_TRUE(PumpUntilAnswered(cache));
    }
    PumpFor(100);
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD userBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const int threadsBefore = ThreadsOfThisProcess();
    for (int round = 0; round < 3; ++round) {
        TTestTopWindow top;
        ASSERT_TRUE(top.Create());
        TPaintPanel panel;
        ASSERT_TRUE(panel.Create(top.Handle(), TBounds{0, 0, 400, 300}));
        TLauncherButtonCache cache;
        cache.SetCacheSize(256);
        std::vector<std::unique_ptr<TLauncherButton>> buttons;
        for (int i = 0; i < 60; ++i) {
            buttons.push_back(MakeButton(cache));
            panel.Controls().Add(*buttons.back());
            buttons.back()->SetIconSource(Shell32, i + 20 * round);
        }
        // Part of the answers in, the rest on the way when everything goes.
        MSG msg;
        for (int i = 0; i < 3 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) DispatchMessageW(&msg);
        Sleep(20 * round);
        EXPECT_GT(cache.Waiting(), 0u);
    }
    // The wake-ups of workers that are gone reach no window of ours.
    PumpFor(300);
    EXPECT_EQ(ThreadsOfThisProcess(), threadsBefore);
    const DWORD gdiAfter = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD userAfter = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_EQ(userAfter, userBefore);
    std::printf("GDI objects %lu -> %lu, USER objects %lu -> %lu\n", gdiBefore, gdiAfter, userBefore, userAfter);
}

TEST(IconLoading, IconsNotYetDeliveredAreFreedWithTheLoaderAndAStuckTargetDoesNotHoldUpItsEnd) {
    std::mutex lock;
    std::vector<HICON> made;
    TKernelHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    // Stands in for the shell: a solid icon per request; "stuck" hangs like
    // an unreachable network path until released.
    auto work = [&](const TIconRequest& r) {
        if (r.Path == "stuck") WaitForSingleObject(release.Get(), 10000);
        TIconAnswer a;
        a.Exists = true;
        a.Icon.Reset(SolidIcon(32, RGB(0, 128, 255)));
        std::lock_guard<std::mutex> hold(lock);
        made.push_back(a.Icon.Get());
        return a;
    };
    std::vector<HICON> delivered;
    auto answered = [&](TIconLoader::TJobId, TIconAnswer& a) { delivered.push_back(a.Icon.Release()); };
    {
        TIconLoader loader(answered, work);
        std::vector<TIconLoader::TJobId> jobs;
        for (int i = 0; i < 20; ++i) {
            TIconRequest r;
            r.Path = "icon" + std::to_string(i);
            jobs.push_back(loader.Post(r));
        }
        loader.Finish(jobs[1]);
        loader.Cancel(jobs[19]);
        EXPECT_GE(delivered.size(), 1u);
        Sleep(100);  // the worker gets further; nothing more is delivered
    }
    {
        std::lock_guard<std::mutex> hold(lock);
        EXPECT_GE(made.size(), delivered.size());
        for (HICON h : made) {
            const bool kept = std::find(delivered.begin(), delivered.end(), h) != delivered.end();
            EXPECT_EQ(IconAlive(h), kept);
        }
        made.clear();
    }
    for (HICON h : delivered) DestroyIcon(h);
    delivered.clear();

    // Counted after the first loader: the system keeps a helper thread of its
    // own from then on.
    const int threadsBefore = ThreadsOfThisProcess();
    const DWORD start = GetTickCount();
    {
        TIconLoader loader(answered, work);
        TIconRequest stuck;
        stuck.Path = "stuck";
        loader.Post(stuck);
        loader.Post(TIconRequest{});
        Sleep(50);
    }
    const DWORD ended = GetTickCount() - start;
    PumpFor(100);
    SetEvent(release.Get());
    // Left behind, the worker ends once its target lets go, and frees its icon.
    const DWORD waitStart = GetTickCount();
    while (ThreadsOfThisProcess() > threadsBefore && GetTickCount() - waitStart < 5000) PumpFor(20);
    PumpFor(100);
    EXPECT_LT(ended, 8000u);  // not the 10 s the target hangs
    EXPECT_TRUE(delivered.empty());
    EXPECT_EQ(ThreadsOfThisProcess(), threadsBefore);
    std::lock_guard<std::mutex> hold(lock);
    ASSERT_EQ(made.size(), 1u);
    EXPECT_FALSE(IconAlive(made[0]));
}

// For the benchmark: the private bytes of a running program named in
// VANTOR_MEASURE_IMAGE (e.g. Vantor.exe).
TEST(ProcessMemory, DISABLED_PrivateBytes) {
    const char* image = std::getenv("VANTOR_MEASURE_IMAGE");
    ASSERT_NE(image, nullptr);
    const std::wstring name = Widen(image);
    TKernelHandle snap(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W e{};
    e.dwSize = sizeof(e);
    bool found = false;
    for (BOOL ok = Process32FirstW(snap.Get(), &e); ok; ok = Process32NextW(snap.Get(), &e)) {
        if (lstrcmpiW(e.szExeFile, name.c_str()) != 0) continue;
        TKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, e.th32ProcessID));
        ASSERT_TRUE(process);
        PROCESS_MEMORY_COUNTERS_EX counters{};
        counters.cb = sizeof(counters);
        ASSERT_TRUE(GetProcessMemoryInfo(process.Get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                         sizeof(counters)));
        std::printf("private bytes: %lu\n", static_cast<unsigned long>(counters.PrivateUsage));
        std::printf("working set: %lu\n", static_cast<unsigned long>(counters.WorkingSetSize));
        found = true;
    }
    EXPECT_TRUE(found);
}
