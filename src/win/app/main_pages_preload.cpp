#include "app/main_pages_preload.h"

#include <system_error>
#include <utility>

#include "platform.h"

TMainPagesPreload::TMainPagesPreload(TPlatform& platform, const std::string& path)
    : FPages(std::make_unique<TVantorManager>(platform)) {
    try {
        FWorker = std::thread([this, path] {
            try {
                FWhole = FPages->LoadFromFile(path);
            } catch (...) {
                FError = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        FPages.reset();  // no thread: the main window reads the file itself
    }
}

TMainPagesPreload::~TMainPagesPreload() {
    if (FWorker.joinable()) FWorker.join();
}

std::unique_ptr<TVantorManager> TMainPagesPreload::TakePages() {
    if (FWorker.joinable()) FWorker.join();
    return std::move(FPages);
}

bool TMainPagesPreload::Result() const {
    if (FError) std::rethrow_exception(FError);
    return FWhole;
}
