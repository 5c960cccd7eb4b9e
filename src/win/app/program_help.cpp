#include "app/program_help.h"

#include "base/win_text.h"
#include "text/text.h"

namespace {

const char kNotFound[] = "\"%s\"が見つかりません。";

// The program's own folder is on a fixed disk (the program runs from no
// other), so asking for its files here does not wait on a slow drive.
bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::string TProgramHelp::ShowHelp(HWND owner, const THelpTopic& topic) {
    const THelpChoice choice = ChooseHelp(FProgramFolder, topic, IsFile);
    switch (choice.Source) {
        case THelpSource::Missing:
            return Format(kNotFound, choice.File);
        case THelpSource::WinHelp:
            // A topic by its number; the contents open as any file does.
            if (topic.Context != 0) {
                WinHelpW(owner, Widen(choice.File).c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(topic.Context));
                return std::string();
            }
            break;
        case THelpSource::HtmlHelp:
        case THelpSource::Manual:
            break;
    }
    // The shell and the browser start on a worker: the window never waits for them.
    FServices.StartShell(owner, {"open", choice.File, "", "", SW_SHOWNORMAL, nullptr});
    return std::string();
}

std::shared_ptr<THelpViewer> ProgramHelp(const std::string& programFolder, TDesktopServices& services) {
    return std::make_shared<TProgramHelp>(programFolder, services);
}
