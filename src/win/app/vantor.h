// The main window: owns the page sets, runs the start-up and the final save,
// starts entries and shows the program's message boxes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/desktop_services.h"
#include "base/window.h"
#include "model/vantor_classes.h"
#include "platform.h"
#include "settings/folder_history.h"
#include "settings/placement.h"

class TProfile;

// The windows an entry control can belong to.
enum class TBarKind { Main, SmartBar, KeywordBar, HistoryBar, ResourceBar };

// A dialog shown by RunModal.
class TModalForm {
public:
    virtual ~TModalForm() = default;
    virtual int ShowModal(HWND owner) = 0;
};

class TVantor : public TWindow {
public:
    TVantor(TPlatform& platform, std::string programFolder, std::string dataFolder,
            std::unique_ptr<TDesktopServices> services = std::make_unique<TDesktopServices>());
    ~TVantor() override;

    // Creates the (still hidden) window owned by `owner` and runs FormCreate.
    bool Create(HWND owner = nullptr);
    // FormShow, then the window appears.
    void Show();
    // The program ends its message loop when this window goes.
    bool QuitOnDestroy = true;

    const std::string ProgramFolder;  // with a trailing backslash
    const std::string DataFolder;     // with a trailing backslash
    bool IsNT = true;
    uint32_t LastAutoSave = 0;
    HWND StartForeground = nullptr;
    int32_t CurrentButton = 0;
    TFolderHistory FolderHistory;

    TVantorManager& MainPages() { return *FMainPages; }
    TVantorManager& SmartPages() { return *FSmartPages; }
    TVantorManager& HistoryPages() { return *FHistoryPages; }
    TVantorManager& KeywordPages() { return *FKeywordPages; }
    // The set shown by a window; null for the resource bar.
    TVantorManager* PagesOf(TBarKind kind);
    TDesktopServices& Services() { return *FServices; }
    int ModalDepth() const { return FModalDepth; }

    // Start-up and saving.
    void LoadDataFiles();
    void AddShortcutPage(const std::string& caption, const std::string& folder);
    void ReadSettings();
    void WriteSettings();
    void SaveAll();
    void TimerTimer();
    // True when the automatic save is due: more than ten minutes since the
    // last one, or the tick counter has wrapped below it.
    static bool IsAutoSaveDue(uint32_t now, uint32_t lastSave);

    // Message boxes titled "Vantor"; ConfirmBox is true only for Yes.
    void ErrorBox(const std::string& text);
    void InfoBox(const std::string& text);
    bool ConfirmBox(const std::string& text);
    int RunModal(TModalForm& form);
    void BringToFront(HWND window);
    void PushNotTopmost();
    void PopNotTopmost();

    // Launching.
    void LaunchButton(TBarKind owner, int32_t tag);
    void Execute(const std::string& target, const std::string& parameters, int showCmd, const std::string& directory);
    void ExecuteItem(LPCITEMIDLIST item, const std::string& parameters, int showCmd, const std::string& directory);
    void AddToHistory(const TVantorButton& entry, TBarKind owner);
    // `entryIndex` is the position of the entry control under the drop point
    // in `page`, or -1 when the files fell on no entry.
    void DropFilesOnPage(const std::vector<std::string>& files, int32_t entryIndex, TBarKind target, TVantorPage& page);
    // Opens the target when it is a folder (or unreadable), else its folder.
    void OpenThisFolder(const std::string& target);
    void PlaySoundEvent(const std::string& event);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    class TModalScope;

    void FormCreate();
    void FormShow();
    void FormPaint();
    void FormFirstPaint();
    void FormDestroy();
    int ShowBox(const std::string& text, UINT type);
    void RestorePlacement();
    TPlacement CurrentPlacement() const;
    void SavePlacements(TProfile& ini);
    void WriteSettingsTo(TProfile& ini);
    void LoadFolderHistory();
    void ApplyTimerInterval();
    void RebuildPage();
    void RebuildHistoryBar();
    int32_t FreeResourcesTotal();
    void LoadBarPages(TVantorManager& pages, const char* fileName, const std::string& caption);
    void LoadMainPages();
    void KeepUnreadableFile(const std::string& fileName);
    void DropOnProgram(const TVantorButton& entry, const std::vector<std::string>& files);
    void DropInFolder(const TVantorButton& entry, const std::vector<std::string>& files);

    TPlatform& FPlatform;
    std::unique_ptr<TDesktopServices> FServices;
    std::unique_ptr<TVantorManager> FMainPages;
    // Held here until the bar windows exist; each bar then owns its set.
    std::unique_ptr<TVantorManager> FSmartPages;
    std::unique_ptr<TVantorManager> FHistoryPages;
    std::unique_ptr<TVantorManager> FKeywordPages;
    int FModalDepth = 0;
    int FNotTopmostDepth = 0;
    bool FStarted = false;  // FormCreate has run to its end
    bool FPainted = false;
};
