// The Wine tests run with library loading hardened exactly as the program
// does it, so every test also shows that the shell still works that way.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "app/program_entry.h"
#include "base/handles.h"
#include "shell/shortcut_link.h"
#include "win_test_util.h"

namespace {

// --make-shortcuts followed by groups of <lnk> <target> <arguments> <folder>
// <show>: a whole set of shortcuts from one Wine process, for ./dev run's new
// prefix. Every group is tried; the exit code is 1 when any failed.
bool MakeShortcuts(const std::vector<std::string>& a, int& exitCode) {
    if (a.size() < 2 || a[1] != "--make-shortcuts") return false;
    if (a.size() < 7 || (a.size() - 2) % 5 != 0) {
        exitCode = 2;
        return true;
    }
    TComApartment com;
    exitCode = 0;
    for (size_t i = 2; i < a.size(); i += 5) {
        TShortCutLink link;
        link.FileName = a[i + 1];
        link.Arguments = a[i + 2];
        link.WorkingDirectory = a[i + 3];
        link.ShowCmd = std::atoi(a[i + 4].c_str());
        try {
            link.Save(a[i]);
        } catch (const EVantorError&) {
            exitCode = 1;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    HardenLibraryLoading();
    int exitCode = 0;
    const std::vector<std::string> arguments = CommandLineArguments(GetCommandLineW());
    if (MakeShortcuts(arguments, exitCode) || RunHelperVerb(arguments, exitCode)) return exitCode;
    TComApartment com;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
