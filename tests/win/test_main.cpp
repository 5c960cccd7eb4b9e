// The Wine tests run with library loading hardened exactly as the program
// does it, so every test also shows that the shell still works that way.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/program_entry.h"
#include "base/handles.h"
#include "win_test_util.h"

int main(int argc, char** argv) {
    HardenLibraryLoading();
    int exitCode = 0;
    if (RunHelperVerb(CommandLineArguments(GetCommandLineW()), exitCode)) return exitCode;
    TComApartment com;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
