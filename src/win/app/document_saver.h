// Keeps the document's files in step with the disk: read at start-up, each
// file on its own so that one that fails spoils none of the others; a save a few seconds
// after the last change (never while a box, dialog or menu is open, and never
// later than the automatic-save bound), whether or not the program is active;
// the data folder watched for files that another computer's copy changed, read
// again when nothing here waits to be saved, kept beside when both changed;
// and the last save as the program ends, which may ask to try again.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/save_schedule.h"
#include "shell/folder_watch.h"

// What the saver needs of the window it works for.
class TSaverHost {
public:
    virtual ~TSaverHost() = default;
    virtual HWND SaverWindow() = 0;
    // The settings and the windows' placements, into Vantor.ini as read.
    virtual void WriteSettingsFile(TProfile& ini) = 0;
    // Vantor.ini changed elsewhere: its settings are taken as at start-up.
    virtual void SettingsReadAgain(TProfile& ini) = 0;
    // A message box over the program; returns the button chosen.
    virtual int SaverBox(const std::string& text, UINT type) = 0;
    // The user asked for automatic saving (on by default).
    virtual bool AutoSaveWanted() = 0;
};

class TMainPagesPreload;

class TDocumentSaver {
public:
    // The window's timer and message the saver uses.
    static constexpr UINT_PTR TimerId = 2;
    static constexpr UINT FolderMessage = WM_APP + 40;

    TDocumentSaver(TDocument& document, TSaverHost& host);
    TDocumentSaver(const TDocumentSaver&) = delete;
    TDocumentSaver& operator=(const TDocumentSaver&) = delete;
    ~TDocumentSaver();

    // The data files into the document. Main.pag comes from `preload` when it
    // was read ahead; when it is missing or not a page file, `buildFirstRun`
    // fills the main set.
    void Load(TMainPagesPreload* preload, const std::function<void()>& buildFirstRun);
    // Once, as the run starts: which page files were not read whole and
    // where they are kept, which are of a newer version and stay as they
    // are, and that what the user changes in a file that could neither be
    // read nor kept aside is not saved.
    void ReportProtectedFiles();
    // Once the window exists: changes are heard.
    void Start();
    // Once the window shows: the data folder is watched, on a worker (a
    // folder that does not answer holds nothing up). Whether it is watched
    // after waiting at most `waitMs` for the watch to be set up.
    void WatchFolder();
    bool WatchingFolder(DWORD waitMs) const { return FWatch.WaitUntilSetUp(waitMs); }
    // The window's timer or the folder's message arrived.
    void TimerFired();
    void FolderChanged();

    // Everything now, telling of a failure once; the files that failed.
    std::vector<TDataFile> SaveNow();
    // As the program ends: a failure asks to retry or to end without it.
    void FinalSave();
    // Everything, asking nothing (the session ends, or the caller asks).
    std::vector<TDataFile> SaveQuietly();
    // Failures are told once per file, until it saves again.
    void ReportFailures(const std::vector<TDataFile>& failed);

private:
    void DocumentChanged();
    void ArmTimer();
    TDataFileSet ChangedHere(bool everything) const;
    // One save; `everything` counts the settings file as changed here (the
    // placements and the current page are kept there at the end).
    TSaveReport Save(bool everything);
    void Apply(const TSaveReport& report);
    void ReadAgain(const std::vector<TDataFile>& files);

    TDocument& FDocument;
    TSaverHost& FHost;
    TSaveSchedule FSchedule;
    TFolderWatch FWatch;
    int FListener = 0;
    bool FFolderCheckWaiting = false;
    bool FSaveWaiting = false;  // a due save waits for the modal gate
    bool FStarted = false;
};
