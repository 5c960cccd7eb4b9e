#include "app/document_saver.h"

#include <algorithm>

#include "app/main_pages_preload.h"
#include "base/log.h"
#include "base/modal_gate.h"

namespace {

constexpr TDataFile kPageFiles[] = {TDataFile::Main, TDataFile::Smart, TDataFile::History};

TBarKind SetKept(TDataFile file) {
    switch (file) {
        case TDataFile::Smart:
            return TBarKind::SmartBar;
        case TDataFile::History:
            return TBarKind::HistoryBar;
        default:
            return TBarKind::Main;
    }
}

}  // namespace

TDocumentSaver::TDocumentSaver(TDocument& document, TSaverHost& host) : FDocument(document), FHost(host) {}

TDocumentSaver::~TDocumentSaver() {
    ModalGate().CancelDeferred(this);
    if (FListener) FDocument.StopListening(FListener);
}

void TDocumentSaver::Load(TMainPagesPreload* preload, const std::function<void()>& buildFirstRun) {
    TSessionFiles& files = FDocument.Files();
    files.OnSwallowed = [](const char* where, const std::exception& error) { LogSwallowed(where, error); };
    files.RemoveStaleTemporaries();
    auto step = [](const char* where, const auto& load) {
        try {
            load();
        } catch (const std::exception& error) {
            LogSwallowed(where, error);
        }
    };
    step("loading the folder history", [&] { files.LoadFolderHistory(FDocument.FolderHistory()); });
    step("loading Smart.pag", [&] { files.LoadBarPages(FDocument.Smart(), TDataFile::Smart, "スマートバー"); });
    step("loading History.pag", [&] { files.LoadBarPages(FDocument.History(), TDataFile::History, "履歴バー"); });
    std::unique_ptr<TVantorManager> readAheadPages = preload ? preload->TakePages() : nullptr;
    std::function<bool()> readAhead;
    if (readAheadPages) {
        readAhead = [preload] { return preload->Result(); };
        FDocument.AdoptMain(std::move(readAheadPages));
    }
    files.LoadMainPages(FDocument.Main(), buildFirstRun, readAhead);
}

void TDocumentSaver::ReportProtectedFiles() {
    const TSessionFiles& files = FDocument.Files();
    const std::string text = files.StartMessage();
    if (text.empty()) return;
    FHost.SaverBox(text, MB_OK | (files.ProtectedFiles().empty() ? MB_ICONWARNING : MB_ICONERROR));
}

void TDocumentSaver::Start() {
    if (FStarted) return;
    FStarted = true;
    FListener = FDocument.Listen([this](const TChange&) { DocumentChanged(); });
}

// A folder that cannot be watched (gone, a drive without a disk) is still
// compared with what was read before every save.
void TDocumentSaver::WatchFolder() { FWatch.Start(FDocument.DataFolder(), FHost.SaverWindow(), FolderMessage); }

// ---------------------------------------------------------------- after a change

void TDocumentSaver::DocumentChanged() {
    if (!FDocument.AnyUnsaved() || !FHost.AutoSaveWanted()) return;
    FSchedule.Changed(FDocument.Platform().TickCount());
    ArmTimer();
}

void TDocumentSaver::ArmTimer() {
    HWND window = FHost.SaverWindow();
    if (!window) return;
    const std::optional<uint32_t> wait = FSchedule.Wait(FDocument.Platform().TickCount());
    if (!wait) {
        KillTimer(window, TimerId);
        return;
    }
    SetTimer(window, TimerId, std::max<UINT>(USER_TIMER_MINIMUM, *wait), nullptr);
}

void TDocumentSaver::TimerFired() {
    const uint32_t now = FDocument.Platform().TickCount();
    if (!FSchedule.Due(now)) {
        ArmTimer();
        return;
    }
    // A box, dialog or menu may be in the middle of an edit: later, once
    // it is closed, rather than every moment while it is open.
    if (ModalGate().Held()) {
        FSchedule.Held(now);
        if (HWND window = FHost.SaverWindow()) KillTimer(window, TimerId);
        if (!FSaveWaiting) {
            FSaveWaiting = true;
            ModalGate().Defer(this, [this] {
                FSaveWaiting = false;
                TimerFired();
            });
        }
        return;
    }
    const TSaveReport report = Save(false);
    if (report.Failed.empty())
        FSchedule.Saved();
    else
        FSchedule.Failed(now);
    ArmTimer();
    Apply(report);
}

// ---------------------------------------------------------------- saving

TDataFileSet TDocumentSaver::ChangedHere(bool everything) const {
    TDataFileSet files;
    for (TDataFile file : {TDataFile::Settings, TDataFile::Main, TDataFile::Smart, TDataFile::History})
        if (FDocument.Unsaved(file)) files.Add(file);
    if (!everything) return files;
    // The whole save also keeps what changed without the document hearing of
    // it: the placements and the current page in Vantor.ini, and any page
    // whose bytes are no longer those last read or written.
    files.Add(TDataFile::Settings);
    for (TDataFile file : kPageFiles) {
        if (files.Has(file)) continue;
        const TFileStamp& then = FDocument.Files().StampOf(file);
        if (!then.Known() || then != TFileStamp::Of(FDocument.SetOf(SetKept(file))->SaveToBytes())) files.Add(file);
    }
    return files;
}

TSaveReport TDocumentSaver::Save(bool everything) {
    const TDataFileSet changed = ChangedHere(everything);
    TSaveReport report = FDocument.Files().SaveAll([this](TProfile& ini) { FHost.WriteSettingsFile(ini); },
                                                   FDocument.Main(), FDocument.Smart(), FDocument.History(), changed);
    std::vector<TDataFile> saved;
    for (TDataFile file : {TDataFile::Settings, TDataFile::Main, TDataFile::Smart, TDataFile::History})
        if (changed.Has(file) && std::find(report.Failed.begin(), report.Failed.end(), file) == report.Failed.end())
            saved.push_back(file);
    FDocument.MarkSaved(saved);
    return report;
}

// What a save found besides writing: files to read again, the other side's
// files kept beside ours, and failures, each told once.
void TDocumentSaver::Apply(const TSaveReport& report) {
    ReadAgain(report.Reload);
    if (!report.KeptBeside.empty())
        FHost.SaverBox(FDocument.Files().KeptBesideMessage(report.KeptBeside), MB_OK | MB_ICONINFORMATION);
    ReportFailures(report.Failed);
}

std::vector<TDataFile> TDocumentSaver::SaveNow() {
    const TSaveReport report = Save(true);
    if (report.Failed.empty()) FSchedule.Saved();
    ArmTimer();
    Apply(report);
    return report.Failed;
}

std::vector<TDataFile> TDocumentSaver::SaveQuietly() { return Save(true).Failed; }

// The last chance to keep this run's changes: the user may clear a read-only
// mark or make room on the disk and try again, or end without saving.
void TDocumentSaver::FinalSave() {
    for (;;) {
        const TSaveReport report = Save(true);
        if (!report.KeptBeside.empty())
            FHost.SaverBox(FDocument.Files().KeptBesideMessage(report.KeptBeside), MB_OK | MB_ICONINFORMATION);
        if (report.Failed.empty()) return;
        const std::string text =
            FDocument.Files().SaveFailureMessage(report.Failed) +
            "\n\n「再試行」を押すともう一度保存します。「キャンセル」を押すと保存せずに終了します。";
        if (FHost.SaverBox(text, MB_RETRYCANCEL | MB_ICONERROR) != IDRETRY) return;
    }
}

// Once per file, not at every save: the old files are still whole, only this
// run's changes are at stake.
void TDocumentSaver::ReportFailures(const std::vector<TDataFile>& failed) {
    const std::vector<TDataFile> untold = FDocument.Files().TakeUnreported(failed);
    if (!untold.empty()) FHost.SaverBox(FDocument.Files().SaveFailureMessage(untold), MB_OK | MB_ICONERROR);
}

// ---------------------------------------------------------------- changes from elsewhere

void TDocumentSaver::FolderChanged() {
    // Not under an open box, dialog or menu, which may hold what is read again.
    if (ModalGate().Held()) {
        if (!FFolderCheckWaiting) {
            FFolderCheckWaiting = true;
            ModalGate().Defer(this, [this] {
                FFolderCheckWaiting = false;
                FolderChanged();
            });
        }
        return;
    }
    const TOutsideChanges outside = FDocument.Files().CheckOutside(ChangedHere(false));
    ReadAgain(outside.Reload);
    // Changed on both sides (or removed there): a save now keeps both.
    if (!outside.SaveSoon.empty()) {
        const TSaveReport report = Save(false);
        if (report.Failed.empty()) FSchedule.Saved();
        ArmTimer();
        Apply(report);
    }
}

// Files changed elsewhere while nothing here waited for them: every view
// shows what they hold now.
void TDocumentSaver::ReadAgain(const std::vector<TDataFile>& files) {
    for (TDataFile file : files) {
        if (file == TDataFile::Settings) {
            FDocument.Files().ReloadSettings([this](TProfile& ini) { FHost.SettingsReadAgain(ini); });
            continue;
        }
        if (std::find(std::begin(kPageFiles), std::end(kPageFiles), file) == std::end(kPageFiles)) continue;
        const TBarKind set = SetKept(file);
        if (FDocument.Files().ReloadPages(file, *FDocument.SetOf(set))) FDocument.Notify(TChange::WholeSet(set));
    }
}
