#include "shell/link_checker.h"

#include <system_error>

#include "base/log.h"
#include "base/win_text.h"
#include "shell/folder_listing.h"
#include "shell/native_system_folder.h"

namespace {

constexpr UINT kCheckDone = WM_APP + 1;

TLinkState LookAt(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return TLinkState::Present;
    switch (GetLastError()) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
            return TLinkState::Missing;
        default:
            // Not ready, no access, no network: nobody can say it is gone.
            return TLinkState::Unknown;
    }
}

// Drives that may take long to answer, or not at all.
bool MayBeSlow(const std::string& target) {
    if (IsNetworkPath(target)) return true;
    if (target.size() < 2 || target[1] != ':') return false;
    const wchar_t root[] = {static_cast<wchar_t>(target[0]), L':', L'\\', 0};
    switch (GetDriveTypeW(root)) {
        case DRIVE_FIXED:
        case DRIVE_RAMDISK:
            return false;
        default:
            return true;
    }
}

}  // namespace

TLinkState ProbeTarget(const std::string& target, DWORD timeoutMs) {
    const std::wstring path = Widen(NativePath(target));
    if (!MayBeSlow(target)) return LookAt(path);
    auto state = std::make_shared<std::atomic<TLinkState>>(TLinkState::Unknown);
    if (!RunBounded([path, state] { state->store(LookAt(path)); }, timeoutMs)) return TLinkState::Unknown;
    return state->load();
}

TLinkChecker::TLinkChecker() = default;

TLinkChecker::~TLinkChecker() {
    if (FCancel) FCancel->store(true);
    // Each look is bounded, so the worker ends within one wait.
    if (FWorker.joinable()) FWorker.join();
}

bool TLinkChecker::Start(std::vector<TLinkCheck> checks, TDone done) {
    if (Running()) return false;
    if (!FReply.Handle() && !FReply.Create()) return false;
    FDone = std::move(done);
    FCancel = std::make_shared<std::atomic<bool>>(false);
    FResult = std::make_shared<std::vector<TLinkCheck>>();
    HWND reply = FReply.Handle();
    try {
        FWorker = std::thread([checks = std::move(checks), cancel = FCancel, result = FResult, reply] {
            // A drive without its disk must not ask the user for one.
            SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, nullptr);
            try {
                *result = FindBrokenLinks(checks, [&cancel](const std::string& target) {
                    return cancel->load() ? TLinkState::Unknown : ProbeTarget(target);
                });
            } catch (const std::exception& error) {
                LogSwallowed("looking for broken entries", error);
            }
            PostMessageW(reply, kCheckDone, 0, 0);
        });
    } catch (const std::system_error& error) {
        LogSwallowed("starting the look for broken entries", error);
        return false;
    }
    return true;
}

void TLinkChecker::Finished() {
    if (FWorker.joinable()) FWorker.join();
    std::vector<TLinkCheck> broken = FResult ? std::move(*FResult) : std::vector<TLinkCheck>();
    TDone done = std::move(FDone);
    FDone = nullptr;
    if (done) done(std::move(broken));
}

LRESULT TLinkChecker::TReplyWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != kCheckDone) return TWindow::HandleMessage(msg, wParam, lParam);
    FOwner.Finished();
    return 0;
}
