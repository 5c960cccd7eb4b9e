// Checks launcher targets and extracts their icons on a worker thread, so a
// page can be shown at once and a far-away or slow target never holds up the
// window. Answers come back on the thread that made the loader, through a
// hidden message-only window of its own.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>

#include "base/handles.h"
#include "base/window.h"

// What to find out about one icon source.
struct TIconRequest {
    std::string Path;
    bool Large = true;
    int Index = -1;
    bool WantIcon = true;     // extract the 16- or 32-pixel icon
    bool WantIcon64 = false;  // and an image at the size drawn (64 pixels, or any size at another DPI)
    int Icon64Size = 64;      // that size
};

struct TIconAnswer {
    bool Exists = false;  // an existing file or folder, or a web address
    TIcon Icon;           // only asked for and found
    TIcon Icon64;
    bool StandIn = false;  // its kind's icons, the file not opened: not worth keeping
};

// The work itself, on whatever thread calls it (that thread needs COM).
TIconAnswer LoadIconAnswer(const TIconRequest& request);

class TIconLoader {
public:
    using TJobId = uint64_t;
    // Runs on the loader's thread for every answer not cancelled, in the
    // order the jobs were posted.
    using TAnswered = std::function<void(TJobId job, TIconAnswer& answer)>;

    // What the worker does with a request; tests stand in their own.
    using TWork = std::function<TIconAnswer(const TIconRequest&)>;

    explicit TIconLoader(TAnswered answered, TWork work = LoadIconAnswer);
    // Stops the worker before the window goes, so nothing is ever posted to a
    // window that is gone; answers not delivered are freed. A worker stuck on
    // a far-away target is waited for a moment, then left to end on its own.
    ~TIconLoader();
    TIconLoader(const TIconLoader&) = delete;
    TIconLoader& operator=(const TIconLoader&) = delete;

    TJobId Post(TIconRequest request);
    // The job's answer is never delivered; a job not yet started is skipped.
    void Cancel(TJobId job);
    // Delivers the job's answer now: done here when the worker has not
    // started it, else waited for. Delivers the answers finished before it too.
    void Finish(TJobId job);
    // Delivers every answer the worker has finished.
    void DeliverFinished();
    // Jobs posted and neither delivered nor cancelled.
    size_t Outstanding() const { return FJobs.size(); }

    // The message that wakes the loader's window.
    static constexpr UINT WM_ANSWERS = WM_APP + 0x151;

private:
    enum class TState { Queued, Running, Done };
    struct TJob {
        TJobId Id = 0;
        TIconRequest Request;
        TIconAnswer Answer;
        TState State = TState::Queued;
    };
    using TJobPtr = std::shared_ptr<TJob>;

    class TAnswerWindow : public TWindow {
    public:
        explicit TAnswerWindow(TIconLoader& owner) : FOwner(owner) {}
        ~TAnswerWindow() override { DestroyHandle(); }
        bool Create();

    protected:
        LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    private:
        TIconLoader& FOwner;
    };

    // What the worker shares with the loader. The worker holds it too, so a
    // worker stuck on a far-away target can be left behind at the end.
    struct TShared {
        TWork Work;
        std::mutex Lock;
        std::condition_variable Queued;  // a job was queued, or stop
        std::condition_variable Done;    // a job finished, or the worker ended
        std::deque<TJobPtr> Queue;
        std::deque<TJobPtr> Finished;
        HWND Window = nullptr;  // cleared, under the lock, before the window goes
        bool Stop = false;
        bool Ended = false;
    };

    void StartWorker();
    static void WorkerLoop(const std::shared_ptr<TShared>& shared);
    // Under the lock: a finished job joins the list of answers to deliver.
    static void Finished(TShared& shared, const TJobPtr& job);

    TAnswered FAnswered;
    TAnswerWindow FWindow{*this};
    TJobId FNextId = 1;
    // The UI thread's own record of the jobs it waits for.
    std::unordered_map<TJobId, TJobPtr> FJobs;
    std::shared_ptr<TShared> FShared = std::make_shared<TShared>();
    std::thread FWorker;
};
