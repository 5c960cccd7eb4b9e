// Questions about entries' targets, off the user-interface thread. A target
// may sit on a share or a drive that takes seconds to answer, or none at all:
// every look at one runs on a worker, the window goes on with what it knows
// and hears the answer later as a message. Each waiting question is answered
// within a time limit (Unknown when the drive has not answered by then); a
// late answer still goes into the cache, so nothing is asked twice in a row.
// Answers that open windows or change data wait for the modal gate.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/window.h"
#include "launch/target_facts.h"
#include "shell/folder_listing.h"

// What was learnt of one path.
struct TTargetAnswer {
    TTargetFacts Facts;                        // the kind always; the rest with tqFacts
    TSharedIDList Item;                        // with tqItem, when the target exists
    std::shared_ptr<TShellObject> FolderItem;  // with tqFolderItem, when its folder exists
};

// The calls that reach a target's drive. Tests put in a stand-in.
struct TTargetFileSystem {
    std::function<TTargetKind(const std::string& path)> Look;
    std::function<TSharedIDList(const std::string& path)> Parse;
    std::function<TShellObject(const TSharedIDList& item)> Describe;
};
TTargetFileSystem SystemTargetFileSystem();
// The one the workers use now (the probe's and the icon worker's); a copy is
// taken for each look.
TTargetFileSystem CurrentTargetFileSystem();
void SetTargetFileSystem(TTargetFileSystem fs);

// The drives and shares this program has found slow (every worker notes its
// looks here).
TSlowPlaces& SlowPlaces();
// A look through `fs` that notes how long it took in SlowPlaces().
TTargetLook NotedLook(const TTargetFileSystem& fs);

// The work of one question, on whatever thread calls it (it needs COM for
// the shell items).
TTargetAnswer AnswerTarget(const std::string& path, unsigned questions, const TTargetFileSystem& fs);

class TTargetProbe {
public:
    using TDone = std::function<void(const TTargetAnswer& answer)>;
    using TTicket = uint64_t;
    using TCache = TTargetCache<TTargetAnswer>;
    // A completion that may open a box or change the data waits until the
    // modal gate is free; a dialog waiting for its own answer takes it now.
    enum class TDelivery { WhenGateFree, Now };

    TTargetProbe();
    ~TTargetProbe();
    TTargetProbe(const TTargetProbe&) = delete;
    TTargetProbe& operator=(const TTargetProbe&) = delete;

    // The answer to `questions` learnt at most `maxAge` ms ago; null when none.
    const TTargetAnswer* Known(const std::string& path, unsigned questions, uint32_t maxAge = TCache::FreshMs);
    // A fresh answer known now runs `done` before Ask returns (and gives 0);
    // otherwise `done` runs later on this thread, with the worker's answer or,
    // once TimeLimitMs have passed without one, with the kind Unknown.
    TTicket Ask(const std::string& path, unsigned questions, TDone done, TDelivery delivery = TDelivery::WhenGateFree);
    // The ticket's `done` never runs.
    void Cancel(TTicket ticket);
    // What is known of the path goes: the next question looks again.
    void Forget(const std::string& path) { FCache.Forget(TargetKey(path)); }
    // Looks at the paths in the background, after what the user asked for,
    // unless they were answered in the last RefreshMs; what the same
    // `owner` (a window) queued before and no worker has begun is dropped:
    // the page it was for is no longer shown.
    void Prefetch(const void* owner, const std::vector<std::string>& paths, unsigned questions);
    static constexpr uint32_t RefreshMs = 60000;

    // How long a question waits for its answer.
    DWORD TimeLimitMs = 2000;

    // Questions asked and not yet answered, or waiting for the gate.
    size_t Waiting() const { return FWaiters.size(); }
    // For the tests: waits until the workers have nothing left to do (no
    // longer than `boundMs`) and delivers what they answered.
    bool FinishAll(DWORD boundMs = 10000);

    static constexpr UINT WM_ANSWERS = WM_APP + 0x152;

private:
    struct TQueued {
        uint64_t Job;
        std::string Path;
        unsigned Questions;
        bool Urgent;
        const void* Owner;  // who asked in the background
    };
    struct TFinished {
        uint64_t Job;
        std::string Path;
        unsigned Questions;
        TTargetAnswer Answer;
    };
    // Shared with the workers, which may outlive the probe when a drive holds
    // them: they drop their answers then.
    struct TShared {
        std::mutex Lock;
        std::condition_variable Queued;
        std::condition_variable Idle;
        std::deque<TQueued> Queue;
        std::deque<TFinished> Finished;
        HWND Window = nullptr;
        bool Stop = false;
        int Workers = 0;
        int IdleWorkers = 0;
        int Busy = 0;
    };
    struct TJob {
        std::string Path;
        unsigned Questions;
        bool Urgent = false;  // someone waits for it: never dropped, taken first
    };
    struct TWaiter {
        uint64_t Job;
        TDone Done;
        TDelivery Delivery;
        bool Answered = false;  // waiting for the gate
    };

    class TReplyWindow : public TWindow {
    public:
        explicit TReplyWindow(TTargetProbe& owner) : FOwner(owner) {}
        ~TReplyWindow() override { DestroyHandle(); }
        bool Create() { return CreateHandle(L"VantorTargetProbe", 0, 0, L"", 0, 0, 0, 0, HWND_MESSAGE); }

    protected:
        LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    private:
        TTargetProbe& FOwner;
    };

    uint64_t JobFor(const std::string& path, unsigned questions, bool urgent, const void* owner = nullptr);
    void Enqueue(uint64_t job, bool urgent);
    void StartWorkerIfNeeded(bool urgent);
    void DropBackgroundJobs(const void* owner);
    static void WorkerLoop(std::shared_ptr<TShared> shared);
    void DeliverFinished();
    void TimeLimitPassed(TTicket ticket);
    void Deliver(TTicket ticket, const TTargetAnswer& answer);
    void Complete(TTicket ticket, const TTargetAnswer& answer);

    TReplyWindow FWindow{*this};
    std::shared_ptr<TShared> FShared = std::make_shared<TShared>();
    TCache FCache;
    uint64_t FNextJob = 1;
    TTicket FNextTicket = 1;
    std::unordered_map<uint64_t, TJob> FJobs;
    std::map<std::pair<std::string, unsigned>, uint64_t> FInFlight;  // by key and questions
    std::unordered_map<TTicket, TWaiter> FWaiters;
};
