// Looking for entries whose target is gone, off the user-interface thread:
// every target is looked at once, a drive that may be slow (network,
// removable, optical) only within a bounded wait, and never with a "no disk"
// prompt. The result comes back on the user-interface thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "base/window.h"
#include "launch/broken_links.h"

// What a look at one target finds; Unknown when the drive did not answer
// within `timeoutMs` or is not ready.
TLinkState ProbeTarget(const std::string& target, DWORD timeoutMs = 2000);

class TLinkChecker {
public:
    using TDone = std::function<void(std::vector<TLinkCheck> broken)>;

    TLinkChecker();
    ~TLinkChecker();
    TLinkChecker(const TLinkChecker&) = delete;
    TLinkChecker& operator=(const TLinkChecker&) = delete;

    // Looks at the checks on a worker; `done` runs on this thread once it is
    // through. False while a look is already running.
    bool Start(std::vector<TLinkCheck> checks, TDone done);
    bool Running() const { return FWorker.joinable(); }

private:
    class TReplyWindow : public TWindow {
    public:
        explicit TReplyWindow(TLinkChecker& owner) : FOwner(owner) {}
        bool Create() { return CreateHandle(L"TLinkCheckerReply", 0, 0, L"", 0, 0, 0, 0, HWND_MESSAGE); }

    protected:
        LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    private:
        TLinkChecker& FOwner;
    };

    void Finished();

    TReplyWindow FReply{*this};
    std::thread FWorker;
    std::shared_ptr<std::atomic<bool>> FCancel;
    std::shared_ptr<std::vector<TLinkCheck>> FResult;
    TDone FDone;
};
