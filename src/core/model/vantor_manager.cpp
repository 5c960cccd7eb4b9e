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

int32_t TVantorManager::LowestFreeSlot() const {
    for (int32_t i = 0; i < MaxPagesPerSet; ++i)
        if (!FSlots[i]) return i;
    return -1;
}

void TVantorManager::ReleaseSlot(const TVantorPage& page) {
    if (page.SlotIndex >= 0 && page.SlotIndex < MaxPagesPerSet && FSlots[page.SlotIndex] == &page)
        FSlots[page.SlotIndex] = nullptr;
}

bool TVantorManager::AddPage(const std::string& caption, uint8_t viewStyle) {
    int32_t slot = LowestFreeSlot();
    if (IsFull() || slot < 0) return false;
    auto page = std::make_unique<TVantorPage>(Platform);
    page->Caption = caption.empty() ? DefaultPageCaption(slot) : caption;
    page->ViewStyle = viewStyle;
    page->SlotIndex = slot;
    TVantorPage* added = page.get();
    FPages.push_back(std::move(page));  // first, so a failure leaves the slot free
    FSlots[slot] = added;
    return true;
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

void TVantorManager::DeletePage(int32_t index) {
    FreePageAt(index);
    FPages.erase(FPages.begin() + index);
}

void TVantorManager::FreePageAt(int32_t index) {
    assert(index >= 0 && index < Count());
    if (FPages[index]) ReleaseSlot(*FPages[index]);
    FPages[index].reset();
}

void TVantorManager::PackPages() { FPages.erase(std::remove(FPages.begin(), FPages.end(), nullptr), FPages.end()); }

void TVantorManager::Clear() {
    FPages.clear();
    FSlots.fill(nullptr);
}

void TVantorManager::Move(int32_t from, int32_t to) {
    assert(from >= 0 && from < Count() && to >= 0 && to < Count());
    auto page = std::move(FPages[from]);
    FPages.erase(FPages.begin() + from);
    FPages.insert(FPages.begin() + to, std::move(page));
}

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
