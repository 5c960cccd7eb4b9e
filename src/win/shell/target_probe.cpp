#include "shell/target_probe.h"

#include <algorithm>
#include <chrono>
#include <system_error>
#include <thread>

#include "base/handles.h"
#include "base/log.h"
#include "base/modal_gate.h"
#include "base/win_text.h"
#include "shell/id_list.h"
#include "shell/native_system_folder.h"
#include "text/text.h"

namespace {

// Workers for looks in the background; a question someone waits for may add
// more while these are held up by a drive that does not answer.
constexpr int kBackgroundWorkers = 4;
constexpr int kMostWorkers = 16;
// A worker with nothing to do for this long ends (its stack and COM state go
// with it); the next question starts one again.
constexpr auto kIdleWorkerEnds = std::chrono::seconds(20);

TTargetKind LookUp(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(NativePath(path)).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? TTargetKind::Folder : TTargetKind::File;
    switch (GetLastError()) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_DRIVE:
            return TTargetKind::Missing;
        default:
            // Not ready, no access, no network: nobody can say it is gone.
            return TTargetKind::Unknown;
    }
}

std::mutex& FileSystemLock() {
    static std::mutex lock;
    return lock;
}

TTargetFileSystem& FileSystemInUse() {
    static TTargetFileSystem fs = SystemTargetFileSystem();
    return fs;
}

}  // namespace

TTargetFileSystem SystemTargetFileSystem() {
    TTargetFileSystem fs;
    fs.Look = LookUp;
    fs.Parse = [](const std::string& path) { return ShareIDList(PathToIDList(NativeStartPath(path))); };
    fs.Describe = [](const TSharedIDList& item) { return DescribeShellObject(item); };
    return fs;
}

TTargetFileSystem CurrentTargetFileSystem() {
    std::lock_guard<std::mutex> lock(FileSystemLock());
    return FileSystemInUse();
}

void SetTargetFileSystem(TTargetFileSystem fs) {
    std::lock_guard<std::mutex> lock(FileSystemLock());
    FileSystemInUse() = std::move(fs);
}

TSlowPlaces& SlowPlaces() {
    static TSlowPlaces places;
    return places;
}

TTargetLook NotedLook(const TTargetFileSystem& fs) {
    return NotingLook(fs.Look, SlowPlaces(), [] { return static_cast<uint32_t>(GetTickCount()); });
}

TTargetAnswer AnswerTarget(const std::string& path, unsigned questions, const TTargetFileSystem& fs) {
    TTargetAnswer answer;
    const bool all = (questions & (tqFacts | tqFolderItem)) != 0;
    // The help and read-me lookups beside a target are left to a place that
    // answers promptly: on a slow one they would queue ahead of what the
    // user does next.
    auto prompt = [&path] { return !SlowPlaces().IsSlow(path, GetTickCount()); };
    answer.Facts = LookAtTarget(path, all, NotedLook(fs), prompt);
    if ((questions & tqItem) && TargetExists(answer.Facts.Kind)) answer.Item = fs.Parse(path);
    if ((questions & tqFolderItem) && !answer.Facts.Folder.empty()) {
        if (TSharedIDList folder = fs.Parse(answer.Facts.Folder))
            answer.FolderItem = std::make_shared<TShellObject>(fs.Describe(folder));
    }
    return answer;
}

// --- TTargetProbe ---

TTargetProbe::TTargetProbe() = default;

TTargetProbe::~TTargetProbe() {
    ModalGate().CancelDeferred(this);
    // Workers held up by a drive end on their own; their answers are dropped.
    std::lock_guard<std::mutex> lock(FShared->Lock);
    FShared->Stop = true;
    FShared->Window = nullptr;
    FShared->Queue.clear();
    FShared->Queued.notify_all();
}

const TTargetAnswer* TTargetProbe::Known(const std::string& path, unsigned questions, uint32_t maxAge) {
    return FCache.Find(TargetKey(path), questions, GetTickCount(), maxAge);
}

TTargetProbe::TTicket TTargetProbe::Ask(const std::string& path, unsigned questions, TDone done, TDelivery delivery) {
    if (const TTargetAnswer* known = Known(path, questions)) {
        const TTargetAnswer answer = *known;
        if (done) done(answer);
        return 0;
    }
    if (!FWindow.Handle() && !FWindow.Create()) {
        // No window for the answers: the question cannot be answered.
        if (done) done(TTargetAnswer{});
        return 0;
    }
    const uint64_t job = JobFor(path, questions, true);
    const TTicket ticket = FNextTicket++;
    FWaiters.emplace(ticket, TWaiter{job, std::move(done), delivery});
    SetTimer(FWindow.Handle(), static_cast<UINT_PTR>(ticket), TimeLimitMs, nullptr);
    return ticket;
}

void TTargetProbe::Cancel(TTicket ticket) {
    if (ticket == 0) return;
    if (FWindow.Handle()) KillTimer(FWindow.Handle(), static_cast<UINT_PTR>(ticket));
    FWaiters.erase(ticket);
}

void TTargetProbe::Prefetch(const void* owner, const std::vector<std::string>& paths, unsigned questions) {
    if (!FWindow.Handle() && !FWindow.Create()) return;
    DropBackgroundJobs(owner);
    for (const std::string& path : paths) {
        if (path.empty() || IsWebAddress(path) || Known(path, questions, RefreshMs)) continue;
        JobFor(path, questions, false, owner);
    }
}

void TTargetProbe::DropBackgroundJobs(const void* owner) {
    std::vector<uint64_t> dropped;
    {
        std::lock_guard<std::mutex> lock(FShared->Lock);
        auto& queue = FShared->Queue;
        auto mine = [owner](const TQueued& q) { return !q.Urgent && q.Owner == owner; };
        for (const TQueued& q : queue)
            if (mine(q)) dropped.push_back(q.Job);
        queue.erase(std::remove_if(queue.begin(), queue.end(), mine), queue.end());
    }
    for (uint64_t job : dropped) {
        auto it = FJobs.find(job);
        if (it == FJobs.end()) continue;
        FInFlight.erase({TargetKey(it->second.Path), it->second.Questions});
        FJobs.erase(it);
    }
}

uint64_t TTargetProbe::JobFor(const std::string& path, unsigned questions, bool urgent, const void* owner) {
    const std::string key = TargetKey(path);
    // A look on its way that answers these questions too is waited for.
    for (auto it = FInFlight.lower_bound({key, 0}); it != FInFlight.end() && it->first.first == key; ++it) {
        if ((it->first.second & questions) != questions) continue;
        TJob& job = FJobs.at(it->second);
        if (urgent && !job.Urgent) {
            job.Urgent = true;
            {
                std::lock_guard<std::mutex> lock(FShared->Lock);
                for (TQueued& q : FShared->Queue)
                    if (q.Job == it->second) q.Urgent = true;
            }
            StartWorkerIfNeeded(true);
        }
        return it->second;
    }
    const uint64_t id = FNextJob++;
    FJobs.emplace(id, TJob{path, questions, urgent});
    FInFlight[{key, questions}] = id;
    {
        std::lock_guard<std::mutex> lock(FShared->Lock);
        FShared->Window = FWindow.Handle();
        FShared->Queue.push_back(TQueued{id, path, questions, urgent, owner});
    }
    FShared->Queued.notify_one();
    StartWorkerIfNeeded(urgent);
    return id;
}

void TTargetProbe::StartWorkerIfNeeded(bool urgent) {
    TShared& s = *FShared;
    std::lock_guard<std::mutex> lock(s.Lock);
    if (s.IdleWorkers >= static_cast<int>(s.Queue.size())) return;
    if (s.Workers >= (urgent ? kMostWorkers : kBackgroundWorkers)) return;
    try {
        std::thread(WorkerLoop, FShared).detach();
    } catch (const std::system_error& error) {
        LogSwallowed("starting a look at targets", error);
        return;
    }
    // Counted idle from its start, so the next question does not start another.
    ++s.Workers;
    ++s.IdleWorkers;
}

void TTargetProbe::WorkerLoop(std::shared_ptr<TShared> shared) {
    TShared& s = *shared;
    // A drive without its disk must not ask the user for one.
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, nullptr);
    TComApartment com;
    std::unique_lock<std::mutex> lock(s.Lock);
    for (;;) {
        if (!s.Queued.wait_for(lock, kIdleWorkerEnds, [&] { return s.Stop || !s.Queue.empty(); })) break;
        if (s.Stop) break;
        auto next = std::find_if(s.Queue.begin(), s.Queue.end(), [](const TQueued& q) { return q.Urgent; });
        if (next == s.Queue.end()) next = s.Queue.begin();
        TQueued work = std::move(*next);
        s.Queue.erase(next);
        --s.IdleWorkers;
        ++s.Busy;
        lock.unlock();
        TTargetAnswer answer;
        try {
            answer = AnswerTarget(work.Path, work.Questions, CurrentTargetFileSystem());
        } catch (const std::exception& error) {
            LogSwallowed("looking at a target", error);
        }
        lock.lock();
        --s.Busy;
        ++s.IdleWorkers;
        // One wake-up per batch: the window takes every answer finished by then.
        const bool wake = s.Finished.empty();
        s.Finished.push_back(TFinished{work.Job, std::move(work.Path), work.Questions, std::move(answer)});
        if (wake && s.Window) PostMessageW(s.Window, WM_ANSWERS, 0, 0);
        if (s.Queue.empty() && s.Busy == 0) s.Idle.notify_all();
    }
    --s.IdleWorkers;
    --s.Workers;
}

void TTargetProbe::DeliverFinished() {
    std::deque<TFinished> finished;
    {
        std::lock_guard<std::mutex> lock(FShared->Lock);
        finished.swap(FShared->Finished);
    }
    const uint32_t now = GetTickCount();
    for (TFinished& f : finished) {
        const std::string key = TargetKey(f.Path);
        FCache.Store(key, f.Questions, f.Answer, now);
        auto inFlight = FInFlight.find({key, f.Questions});
        if (inFlight != FInFlight.end() && inFlight->second == f.Job) FInFlight.erase(inFlight);
        FJobs.erase(f.Job);
        std::vector<TTicket> tickets;
        for (const auto& w : FWaiters)
            if (w.second.Job == f.Job && !w.second.Answered) tickets.push_back(w.first);
        std::sort(tickets.begin(), tickets.end());
        for (TTicket ticket : tickets) Deliver(ticket, f.Answer);
    }
}

void TTargetProbe::TimeLimitPassed(TTicket ticket) {
    KillTimer(FWindow.Handle(), static_cast<UINT_PTR>(ticket));
    auto it = FWaiters.find(ticket);
    if (it == FWaiters.end() || it->second.Answered) return;
    // The look goes on: its answer still comes into the cache.
    Deliver(ticket, TTargetAnswer{});
}

void TTargetProbe::Deliver(TTicket ticket, const TTargetAnswer& answer) {
    auto it = FWaiters.find(ticket);
    if (it == FWaiters.end()) return;
    KillTimer(FWindow.Handle(), static_cast<UINT_PTR>(ticket));
    it->second.Answered = true;
    if (it->second.Delivery == TDelivery::Now) {
        Complete(ticket, answer);
        return;
    }
    // Under a box, a dialog or a menu the completion waits until it is closed.
    ModalGate().Defer(this, [this, ticket, answer] { Complete(ticket, answer); });
}

void TTargetProbe::Complete(TTicket ticket, const TTargetAnswer& answer) {
    auto it = FWaiters.find(ticket);
    if (it == FWaiters.end()) return;
    TDone done = std::move(it->second.Done);
    FWaiters.erase(it);
    if (done) done(answer);
}

bool TTargetProbe::FinishAll(DWORD boundMs) {
    // An answer may ask the next question (a folder's filer): a few rounds.
    for (int round = 0; round < 8; ++round) {
        {
            std::unique_lock<std::mutex> lock(FShared->Lock);
            if (!FShared->Idle.wait_for(lock, std::chrono::milliseconds(boundMs),
                                        [&] { return FShared->Queue.empty() && FShared->Busy == 0; }))
                return false;
        }
        DeliverFinished();
        const bool waiting =
            std::any_of(FWaiters.begin(), FWaiters.end(), [](const auto& w) { return !w.second.Answered; });
        if (!waiting) return true;
    }
    return false;
}

LRESULT TTargetProbe::TReplyWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ANSWERS:
            FOwner.DeliverFinished();
            return 0;
        case WM_TIMER:
            FOwner.TimeLimitPassed(static_cast<TTicket>(wParam));
            return 0;
        default:
            return TWindow::HandleMessage(msg, wParam, lParam);
    }
}
