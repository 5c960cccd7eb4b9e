// The fields of the entry- and page-properties dialogs apart from their
// windows: loading them from one element or from several, the checks of OK,
// and storing them back. Editing several elements shows what they share and
// changes only what the user touched, so the fields they do not share keep
// each element's own value.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/organise.h"
#include "launch/target_facts.h"
#include "model/vantor_classes.h"
#include "platform.h"

// The window-state list: 0 normal (5), 1 maximised (3), 2 minimised (6).
int32_t ShowCmdToItem(int32_t showCmd);  // any other value shows item 0
int32_t ItemToShowCmd(int32_t item);     // -1 for no item

enum class TCheckState { Off, On, Mixed };

struct TEntryFields {
    std::string LinkTo;
    std::string Title;
    std::string Keyword;
    std::string Arguments;
    std::string WorkingDir;
    std::string IconPath;
    int32_t IconIndex = 0;
    int32_t ShowItem = 0;  // -1: none chosen
    TCheckState Forbidden = TCheckState::Off;
};

// The text fields the user changed while editing several entries.
struct TEntryTouched {
    bool Keyword = false;
    bool Arguments = false;
    bool WorkingDir = false;
};

// One entry. The icon fields stay empty and 0 when the entry has no icon file.
TEntryFields EntryFieldsOf(const TVantorButton& entry);
void StoreEntryFields(const TEntryFields& fields, TVantorButton& entry);

// Several entries: a text, the window state and the check show the value all
// selected entries share, else empty, none and mixed.
TEntryFields SharedEntryFields(const TVantorPage& page, const TIndexList& selected);
// Sets the touched texts, a chosen window state and a check that is not
// mixed on every selected entry.
void ApplyEntryFields(const TEntryFields& fields, const TEntryTouched& touched, TVantorPage& page,
                      const TIndexList& selected);

// What OK needs: a title, a target and a window state (with the target field
// enabled, that is for one entry); never in view-only mode.
bool EntryOkEnabled(bool viewOnly, const std::string& title, const std::string& linkTo, int32_t showItem);

enum class TEntryField { None, LinkTo, WorkingDir, IconPath };

struct TEntryCheck {
    TEntryField Field = TEntryField::None;
    std::string Message;
    bool Ok() const { return Field == TEntryField::None; }
};

// The checks of OK, in order: a target that is neither a file, a folder nor
// a web address; a working folder that names a file; an icon file that is not
// there. The message names the offending text. A path whose drive did not
// answer (Unknown) passes: nobody can say it is wrong.
TEntryCheck CheckEntryFields(const TEntryFields& fields, bool checkLinkTo, const TTargetLook& look);
TEntryCheck CheckEntryFields(const TEntryFields& fields, bool checkLinkTo, TPlatform& platform);
// The paths those checks look at, each once.
std::vector<std::string> EntryCheckPaths(const TEntryFields& fields, bool checkLinkTo);

// A number typed into a spin edit: clamped into its range; text that is no
// number keeps `fallback`.
int32_t SpinValue(const std::string& text, int32_t minimum, int32_t maximum, int32_t fallback);

constexpr int32_t IconIndexMin = -65536;
constexpr int32_t IconIndexMax = 65535;

// The page-properties dialog.
constexpr int32_t ButtonWidthMin = 20, ButtonWidthMax = 128;
constexpr int32_t TitleWidthMin = 8, TitleWidthMax = 128;
constexpr int32_t MarginMin = 2, MarginMax = 16;
constexpr int32_t PageCaptionLimit = 64;

struct TPageFields {
    std::string Caption;
    int32_t ViewStyle = -1;  // -1: none chosen
    bool DefaultLayout = true;
    int32_t ButtonWidth = 0;
    int32_t Margin = 0;
    int32_t TitleWidth = 0;
};

// A style's standard button size, margin and title length.
void StyleDefaults(int32_t viewStyle, int32_t& buttonWidth, int32_t& margin, int32_t& titleWidth);

// One page. Sizes outside the dialog's ranges (a new page has none yet) show
// the view style's standard sizes.
TPageFields PageFieldsOf(const TVantorPage& page);
// Choosing a view style puts its standard sizes into the fields.
void ChooseViewStyle(TPageFields& fields, int32_t viewStyle);
void StorePageFields(const TPageFields& fields, TVantorPage& page);
// Several pages: only a chosen view style is set.
void ApplyViewStyle(int32_t viewStyle, TVantorManager& pages, const TIndexList& selected);
bool PageOkEnabled(bool captionEnabled, const std::string& caption, int32_t viewStyle);

// A program chosen by browsing or from the running ones: the target is its
// path, the title and the keyword its name without the extension.
void TakeProgram(TEntryFields& fields, const std::string& path);

// One running program of the process picker.
struct TProgramItem {
    std::string Name;    // "app.exe"
    std::string Folder;  // with the trailing backslash
};
// The programs of a process snapshot's paths: each file once (same name and
// folder, compared exactly), sorted by name ignoring case.
std::vector<TProgramItem> ProgramList(const std::vector<std::string>& paths);
