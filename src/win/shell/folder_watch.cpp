#include "shell/folder_watch.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <utility>

#include "base/handles.h"
#include "base/win_text.h"

namespace {

// A burst (a synchronising tool writing several files, a copy in pieces)
// gives one message once the folder has been quiet this long...
constexpr DWORD QuietMs = 300;
// ...or, for changes that go on, one this often.
constexpr DWORD LongestMs = 2000;
// How long Stop waits for the worker to end. Only a folder that does not
// answer takes longer.
constexpr DWORD StopWaitMs = 1000;

constexpr DWORD WatchedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;

struct TChangeTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { FindCloseChangeNotification(h); }
};
using TChangeHandle = TUniqueHandle<HANDLE, TChangeTraits>;

// Sets the event when the scope ends, however it ends.
class TSignalOnExit {
public:
    explicit TSignalOnExit(HANDLE event) : FEvent(event) {}
    ~TSignalOnExit() { SetEvent(FEvent); }
    TSignalOnExit(const TSignalOnExit&) = delete;
    TSignalOnExit& operator=(const TSignalOnExit&) = delete;

private:
    HANDLE FEvent;
};

}  // namespace

// What the worker and the owner share; the worker keeps its own reference, so
// one left to end on its own never touches freed memory.
struct TFolderWatch::TShared {
    std::wstring Folder;
    HWND Target = nullptr;
    UINT Message = 0;
    TKernelHandle StopEvent{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    TKernelHandle SetUp{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    TKernelHandle Done{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<bool> Watching{false};
};

namespace {

enum class TWaitResult { Changed, Quiet, Ended };

// Waits for the stop event or a change; a failed wait ends the watch.
TWaitResult WaitForChange(HANDLE stop, HANDLE change, DWORD timeoutMs) {
    const HANDLE handles[] = {stop, change};
    switch (WaitForMultipleObjects(2, handles, FALSE, timeoutMs)) {
        case WAIT_OBJECT_0 + 1:
            return FindNextChangeNotification(change) ? TWaitResult::Changed : TWaitResult::Ended;
        case WAIT_TIMEOUT:
            return TWaitResult::Quiet;
        default:
            return TWaitResult::Ended;
    }
}

// After a first change: waits for the burst to end; false when the watch ends.
bool WaitForBurstEnd(HANDLE stop, HANDLE change) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= LongestMs) return true;
        switch (WaitForChange(stop, change, std::min(QuietMs, LongestMs - elapsed))) {
            case TWaitResult::Changed:
                continue;
            case TWaitResult::Quiet:
                return true;
            case TWaitResult::Ended:
                return false;
        }
    }
}

}  // namespace

void TFolderWatch::Run(std::shared_ptr<TShared> shared) {
    TSignalOnExit done(shared->Done.Get());
    TChangeHandle change(FindFirstChangeNotificationW(shared->Folder.c_str(), FALSE, WatchedChanges));
    shared->Watching = static_cast<bool>(change);
    SetEvent(shared->SetUp.Get());
    const HANDLE stop = shared->StopEvent.Get();
    while (change && WaitForSingleObject(stop, 0) == WAIT_TIMEOUT) {
        if (WaitForChange(stop, change.Get(), INFINITE) != TWaitResult::Changed) break;
        if (!WaitForBurstEnd(stop, change.Get())) break;
        PostMessageW(shared->Target, shared->Message, 0, 0);
    }
    shared->Watching = false;
}

bool TFolderWatch::Start(const std::string& folder, HWND target, UINT message) {
    Stop();
    auto shared = std::make_shared<TShared>();
    if (!shared->StopEvent || !shared->SetUp || !shared->Done || folder.empty()) return false;
    shared->Folder = Widen(folder);
    shared->Target = target;
    shared->Message = message;
    try {
        FWorker = std::thread(Run, shared);
    } catch (const std::system_error&) {
        return false;
    }
    FShared = std::move(shared);
    return true;
}

bool TFolderWatch::WaitUntilSetUp(DWORD timeoutMs) const {
    return FShared && WaitForSingleObject(FShared->SetUp.Get(), timeoutMs) == WAIT_OBJECT_0 && FShared->Watching;
}

void TFolderWatch::Stop() {
    if (!FShared) return;
    SetEvent(FShared->StopEvent.Get());
    if (FWorker.joinable()) {
        // A worker still waiting for a folder that does not answer ends on
        // its own later and posts nothing then.
        if (WaitForSingleObject(FShared->Done.Get(), StopWaitMs) == WAIT_OBJECT_0)
            FWorker.join();
        else
            FWorker.detach();
    }
    FShared.reset();
}

bool TFolderWatch::Watching() const { return FShared && FShared->Watching; }
