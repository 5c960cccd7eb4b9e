// The user's data and its one owner: the main, smart, history and keyword
// page sets (the main set carries the settings), the folder history, the
// entry clipboard and the argument history, and the data files they are
// kept in. Windows are views of it: every edit goes through it and raises
// one notification saying what changed, and every view hears it, so a change
// shows everywhere by one path. It also knows which data files hold unsaved
// changes, for the saving that follows an edit.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "commands/page_editing.h"
#include "document/entry_ref.h"
#include "model/vantor_classes.h"
#include "platform.h"
#include "session/data_files.h"
#include "settings/folder_history.h"

class TDocument {
public:
    TDocument(TPlatform& platform, std::string dataFolder);
    TDocument(const TDocument&) = delete;
    TDocument& operator=(const TDocument&) = delete;
    ~TDocument();

    TPlatform& Platform() { return FPlatform; }
    const std::string& DataFolder() const { return FDataFolder; }

    // ---- the data
    TVantorManager& Main() { return *FMain; }
    const TVantorManager& Main() const { return *FMain; }
    TVantorManager& Smart() { return *FSmart; }
    TVantorManager& History() { return *FHistory; }
    TVantorManager& Keyword() { return *FKeyword; }
    // The settings live in the main set.
    TVantorSettings& Settings() { return *FMain; }
    // Null for the resource bar.
    TVantorManager* SetOf(TBarKind set);
    TFolderHistory& FolderHistory() { return FFolderHistory; }
    // The entries last cut or copied; never saved.
    TVantorPage& Clipboard() { return *FClipboard; }
    // What run-with-arguments was given this run, most recent first; never saved.
    std::vector<std::string>& ArgumentHistory() { return FArgumentHistory; }
    TSessionFiles& Files() { return FFiles; }

    // Takes the main set read ahead of time (start-up reads it on a worker).
    void AdoptMain(std::unique_ptr<TVantorManager> pages);

    // ---- finding again; null, or -1, when it is gone
    TVantorPage* FindPage(const TPageRef& page);
    int32_t PageIndex(const TPageRef& page);
    TVantorButton* FindEntry(const TEntryRef& entry);
    int32_t EntryIndex(const TEntryRef& entry);
    // The reference of the entry at a position of a page, or of the page at
    // a position of a set; an invalid one when there is none.
    TEntryRef RefOf(TBarKind set, const TVantorPage& page, int32_t index) const;
    TPageRef PageRefAt(TBarKind set, int32_t index);
    // The page a set shows now.
    TPageRef CurrentPage(TBarKind set);

    // ---- hearing of changes
    using TListener = std::function<void(const TChange&)>;
    int Listen(TListener listener);
    void StopListening(int id);
    // Every edit ends here: the files it touches count as unsaved and the
    // listeners hear of it, in the order they came.
    void Changed(const TChange& change);
    // The listeners alone hear of it: what changed was read from the files
    // (another computer's copy), so nothing waits to be saved.
    void Notify(const TChange& change);

    // ---- the edits the commands make; each does all it says or nothing
    TEditResult AddEntry(const TPageRef& page, const TVantorButton& fields);
    TEditResult AddSeparator(const TPageRef& page);
    bool DeleteEntry(const TEntryRef& entry);
    bool CutEntry(const TEntryRef& entry);
    bool CopyEntry(const TEntryRef& entry);
    int32_t Paste(const TPageRef& page);
    // Writes the data fields of a dialog's copy into the entry; false when
    // the entry is gone (nothing is written then).
    bool StoreEntry(const TEntryRef& entry, const TVantorButton& fields);
    // A page's caption and layout from a dialog's copy; false when it is gone.
    bool StorePage(const TPageRef& page, const TVantorPage& fields);
    TEditResult AddPage(const TVantorPage& fields);
    TEditResult DeletePage(const TPageRef& page);
    void ClearPage(const TPageRef& page);
    void RememberArgument(const std::string& text);

    // ---- unsaved changes
    bool Unsaved(TDataFile file) const { return FUnsaved[static_cast<size_t>(file)]; }
    bool AnyUnsaved() const;
    // What a change leaves to be saved.
    static std::vector<TDataFile> FilesOf(const TChange& change);
    // After a save: the files written (or left alone on purpose) are clean.
    void MarkSaved(const std::vector<TDataFile>& files);
    void MarkAllSaved();

private:
    TPlatform& FPlatform;
    const std::string FDataFolder;
    std::unique_ptr<TVantorManager> FMain;
    std::unique_ptr<TVantorManager> FSmart;
    std::unique_ptr<TVantorManager> FHistory;
    std::unique_ptr<TVantorManager> FKeyword;
    TFolderHistory FFolderHistory;
    std::unique_ptr<TVantorPage> FClipboard;
    std::vector<std::string> FArgumentHistory;
    TSessionFiles FFiles;
    std::map<int, TListener> FListeners;
    int FNextListener = 1;
    std::array<bool, DataFileCount> FUnsaved{};
};
