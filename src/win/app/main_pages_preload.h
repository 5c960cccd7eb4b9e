// Main.pag read on a worker thread while the program makes its first
// windows: the page file is the largest part of the start-up's reading, and
// the window system keeps the main thread busy meanwhile.
#pragma once

#include <exception>
#include <memory>
#include <string>
#include <thread>

#include "model/vantor_classes.h"

class TPlatform;

class TMainPagesPreload {
public:
    // Starts reading `path`; `platform` must stay usable from another thread
    // until the reading is taken.
    TMainPagesPreload(TPlatform& platform, const std::string& path);
    ~TMainPagesPreload();
    TMainPagesPreload(const TMainPagesPreload&) = delete;
    TMainPagesPreload& operator=(const TMainPagesPreload&) = delete;

    // Waits for the reading and hands over the pages read; null when no
    // worker could be started (the caller then reads the file itself) or
    // when they were taken already.
    std::unique_ptr<TVantorManager> TakePages();
    // What reading them gave, after TakePages: whether the file was whole;
    // throws what the reading threw.
    bool Result() const;

private:
    std::unique_ptr<TVantorManager> FPages;
    bool FWhole = false;
    std::exception_ptr FError;
    std::thread FWorker;
};
