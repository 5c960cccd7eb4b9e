#include "controls/icon_loader.h"

#include <algorithm>
#include <chrono>
#include <utility>
#include <vector>

#include "base/log.h"
#include "base/win_text.h"
#include "controls/launcher_button.h"
#include "launch/launch_rules.h"
#include "layout/button_geometry.h"
#include "layout/dpi.h"
#include "shell/target_probe.h"
#include "text/text.h"

namespace {

bool OnSlowPlace(const std::string& path) { return SlowPlaces().IsSlow(path, GetTickCount()); }

// A file on a slow drive or share is not opened for its own icon: the open
// would wait as long as the drive does (and under Wine hold up every window
// of the session). The icon of its kind stands in.
TIconAnswer KindIcons(const TIconRequest& request, bool folder) {
    TIconAnswer answer;
    answer.Exists = true;
    answer.StandIn = true;
    if (request.WantIcon) answer.Icon.Reset(KindLauncherIcon(request.Path, folder, NotFoundIconSize(request.Large)));
    if (request.WantIcon64)
        answer.Icon64.Reset(KindLauncherIcon(request.Path, folder, IconExtractSize(request.Icon64Size)));
    return answer;
}

}  // namespace

TIconAnswer LoadIconAnswer(const TIconRequest& request) {
    const bool web = IsWebAddress(request.Path);
    // Not even looked at: nobody can say it is gone, so no "not found" picture.
    if (!web && OnSlowPlace(request.Path)) return KindIcons(request, false);
    const TTargetKind kind = web ? TTargetKind::File : NotedLook(CurrentTargetFileSystem())(request.Path);
    if (TargetExists(kind) && !web && OnSlowPlace(request.Path))
        return KindIcons(request, kind == TTargetKind::Folder);
    TIconAnswer answer;
    answer.Exists = TargetExists(kind);
    if (!answer.Exists) return answer;
    if (request.WantIcon) answer.Icon.Reset(ExtractLauncherIcon(request.Path, request.Large, request.Index));
    if (request.WantIcon64) answer.Icon64.Reset(ExtractLauncherIcon64(request.Path, request.Index, request.Icon64Size));
    return answer;
}

// --- the window that receives the worker's wake-ups ---

bool TIconLoader::TAnswerWindow::Create() {
    return CreateHandle(L"VantorIconLoader", 0, 0, L"", 0, 0, 0, 0, HWND_MESSAGE);
}

LRESULT TIconLoader::TAnswerWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ANSWERS) {
        FOwner.DeliverFinished();
        return 0;
    }
    return DefaultHandler(msg, wParam, lParam);
}

// --- TIconLoader ---

namespace {

// How long the end of the program waits for a worker still busy with a target.
constexpr auto WorkerEndWait = std::chrono::seconds(2);

}  // namespace

TIconLoader::TIconLoader(TAnswered answered, TWork work) : FAnswered(std::move(answered)) {
    FShared->Work = std::move(work);
}

TIconLoader::~TIconLoader() {
    TShared& s = *FShared;
    bool ended = true;
    {
        std::unique_lock<std::mutex> lock(s.Lock);
        s.Stop = true;
        s.Window = nullptr;
        s.Queue.clear();
        s.Queued.notify_all();
        if (FWorker.joinable()) ended = s.Done.wait_for(lock, WorkerEndWait, [&] { return s.Ended; });
    }
    if (FWorker.joinable()) {
        if (ended)
            FWorker.join();
        else
            FWorker.detach();  // it frees what it holds when its target lets it go
    }
    std::lock_guard<std::mutex> lock(s.Lock);
    s.Finished.clear();
}

void TIconLoader::StartWorker() {
    if (FWorker.joinable()) return;
    if (!FWindow.Handle() && !FWindow.Create()) return;
    FShared->Window = FWindow.Handle();
    FWorker = std::thread(WorkerLoop, FShared);
}

TIconLoader::TJobId TIconLoader::Post(TIconRequest request) {
    auto job = std::make_shared<TJob>();
    job->Id = FNextId++;
    job->Request = std::move(request);
    FJobs.emplace(job->Id, job);
    StartWorker();
    {
        std::lock_guard<std::mutex> lock(FShared->Lock);
        FShared->Queue.push_back(job);
    }
    FShared->Queued.notify_one();
    return job->Id;
}

void TIconLoader::Cancel(TJobId id) {
    auto it = FJobs.find(id);
    if (it == FJobs.end()) return;
    const TJobPtr job = it->second;
    FJobs.erase(it);
    TShared& s = *FShared;
    std::lock_guard<std::mutex> lock(s.Lock);
    if (job->State == TState::Queued) s.Queue.erase(std::remove(s.Queue.begin(), s.Queue.end(), job), s.Queue.end());
    // A running job finishes; its answer is dropped on delivery.
}

void TIconLoader::Finish(TJobId id) {
    auto it = FJobs.find(id);
    if (it == FJobs.end()) return;
    const TJobPtr job = it->second;
    TShared& s = *FShared;
    bool here = false;
    {
        std::unique_lock<std::mutex> lock(s.Lock);
        if (job->State == TState::Queued) {
            s.Queue.erase(std::remove(s.Queue.begin(), s.Queue.end(), job), s.Queue.end());
            job->State = TState::Running;
            here = true;
        } else {
            s.Done.wait(lock, [&] { return job->State == TState::Done; });
        }
    }
    if (here) {
        TIconAnswer answer;
        try {
            answer = s.Work(job->Request);
        } catch (...) {
            LogCurrentException("icon loader");
        }
        std::lock_guard<std::mutex> lock(s.Lock);
        job->Answer = std::move(answer);
        Finished(s, job);
    }
    DeliverFinished();
}

void TIconLoader::DeliverFinished() {
    std::deque<TJobPtr> finished;
    {
        std::lock_guard<std::mutex> lock(FShared->Lock);
        finished.swap(FShared->Finished);
    }
    for (const TJobPtr& job : finished) {
        auto it = FJobs.find(job->Id);
        if (it == FJobs.end()) continue;  // cancelled meanwhile: its icons go with it
        FJobs.erase(it);
        FAnswered(job->Id, job->Answer);
    }
}

void TIconLoader::Finished(TShared& shared, const TJobPtr& job) {
    job->State = TState::Done;
    shared.Finished.push_back(job);
    shared.Done.notify_all();
}

void TIconLoader::WorkerLoop(const std::shared_ptr<TShared>& shared) {
    TShared& s = *shared;
    // A drive without a medium or a network path must never put up a box
    // over the launcher; the shell's icon functions need COM on this thread.
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, nullptr);
    {
        TComApartment com;
        std::unique_lock<std::mutex> lock(s.Lock);
        for (;;) {
            s.Queued.wait(lock, [&] { return s.Stop || !s.Queue.empty(); });
            if (s.Stop) break;
            TJobPtr job = s.Queue.front();
            s.Queue.pop_front();
            job->State = TState::Running;
            lock.unlock();
            TIconAnswer answer;
            try {
                answer = s.Work(job->Request);
            } catch (...) {
                LogCurrentException("icon loader");
            }
            lock.lock();
            job->Answer = std::move(answer);
            // One wake-up per batch: the window takes every answer finished by then.
            const bool wake = s.Finished.empty();
            Finished(s, job);
            if (wake && s.Window) PostMessageW(s.Window, WM_ANSWERS, 0, 0);
        }
    }
    std::lock_guard<std::mutex> lock(s.Lock);
    s.Ended = true;
    s.Done.notify_all();
}
