// Tells a window when files in a folder change: the data folder may sit in a
// synchronised folder or on a stick shared between computers, and a file that
// arrives from elsewhere must be seen before the next save writes over it.
// A worker thread waits for the system's change notification and posts a
// message; it touches nothing of the program but that one PostMessage, and
// nothing it does makes the caller wait for the folder.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <thread>

class TFolderWatch {
public:
    TFolderWatch() = default;
    ~TFolderWatch() { Stop(); }
    TFolderWatch(const TFolderWatch&) = delete;
    TFolderWatch& operator=(const TFolderWatch&) = delete;

    // Watches the files of `folder` (not its subfolders) for new, removed or
    // renamed names, sizes and last writes, and posts `message` (wParam and
    // lParam 0) to `target` after a change: once for a burst of changes, when
    // it has been quiet a moment (or has gone on for a couple of seconds).
    // The watch is set up on the worker, so a folder that takes long to
    // answer (a network that does not) never holds the caller; one that
    // cannot be watched (missing, not a folder, a drive that is not there)
    // gives up there, quietly. False only when no worker could start.
    // A watch already running is stopped first.
    bool Start(const std::string& folder, HWND target, UINT message);
    // Waits at most `timeoutMs` for the watch to be set up; whether it watches.
    bool WaitUntilSetUp(DWORD timeoutMs) const;
    // Ends the watch: nothing is posted once it returns (a message posted
    // before may still wait in the queue).
    void Stop();
    bool Watching() const;

private:
    struct TShared;
    static void Run(std::shared_ptr<TShared> shared);

    std::shared_ptr<TShared> FShared;
    std::thread FWorker;
};
