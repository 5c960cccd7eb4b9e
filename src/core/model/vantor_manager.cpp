#include <algorithm>
#include <cassert>

#include "model/vantor_classes.h"
#include "text/text.h"

TVantorManager::TVantorManager(TPlatform& platform) : TVantorSettings(platform) { AddPage(Format("ページ%d", 1), 1); }

TVantorManager::~TVantorManager() = default;

void TVantorManager::SetCurrentPage(int32_t value) {
    if (value < 0)
        value = 0;
    else if (value >= Count())
        value = Count() - 1;
    FCurrentPage = value;
}

bool TVantorManager::AddPage(const std::string& caption, uint8_t viewStyle) {
    const int32_t slot = FPages.LowestFreeSlot();
    if (IsFull() || slot < 0) return false;
    auto page = std::make_unique<TVantorPage>(Platform);
    page->Caption = caption.empty() ? DefaultPageCaption(slot) : caption;
    page->ViewStyle = viewStyle;
    page->SlotIndex = slot;
    return FPages.Insert(Count(), std::move(page));
}

static bool IsProgramFile(const std::string& name) {
    std::string ext = AnsiLowerCase(ExtractFileExt(name));
    return ext == ".exe" || ext == ".lnk" || ext == ".pif";
}

// Adds the programs of one folder to the page and collects its subfolders for
// the next level; stops as soon as the page is full.
static void ScanFolder(TPlatform& platform, TVantorPage& page, const std::string& folder, bool recursive,
                       std::vector<std::string>& nextLevel) {
    for (const TFindItem& item : platform.FindFiles(folder + "*.*")) {
        if (page.IsFull()) return;
        if (recursive && item.IsFolder && item.Name != "." && item.Name != "..")
            nextLevel.push_back(folder + item.Name + "\\");
        else if (IsProgramFile(item.Name))
            page.AddFile(folder + item.Name);
    }
}

bool TVantorManager::AddFolderPage(const std::string& folder, bool recursive) {
    std::string caption = folder.size() == 3 ? folder : ExtractFileName(folder);
    if (!AddPage(caption, 0)) return false;
    TVantorPage& page = *FPages.back();

    std::vector<std::string> level{IncludeTrailingBackslash(folder)};
    while (!level.empty() && !page.IsFull()) {
        std::vector<std::string> nextLevel;
        for (const std::string& current : level) {
            if (page.IsFull()) break;
            ScanFolder(Platform, page, current, recursive, nextLevel);
        }
        level = std::move(nextLevel);
    }
    page.SortButtons();
    return true;
}

void TVantorManager::DeletePage(int32_t index) { FPages.Delete(index); }

void TVantorManager::FreePageAt(int32_t index) { FPages.FreeAt(index); }

void TVantorManager::PackPages() { FPages.Pack(); }

void TVantorManager::Clear() { FPages.Clear(); }

void TVantorManager::Move(int32_t from, int32_t to) { FPages.Move(from, to); }

void TVantorManager::Assign(const TVantorManager& other) {
    if (&other == this) return;
    Clear();
    for (int32_t i = 0; i < other.Count(); ++i) {
        const TVantorPage* source = other.Pages(i);
        if (!source || !AddPage("", 1)) continue;
        FPages.back()->Assign(*source);
    }
    SetCurrentPage(other.CurrentPage());
}
