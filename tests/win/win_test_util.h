// Helpers shared by the Wine tests: a temporary folder of their own, files,
// and the test executable's helper verbs.
#pragma once

#include <windows.h>
// After windows.h.
#include <shellapi.h>

#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with
// everything in it when the object goes. Path() ends with a backslash.
class TTempFolder {
public:
    explicit TTempFolder(const std::string& name = "vantor");
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    const std::string& Path() const { return FPath; }
    std::string operator/(const std::string& name) const { return FPath + name; }

private:
    std::string FPath;
};

void WriteTextFile(const std::string& path, const std::string& data);
std::string ReadTextFile(const std::string& path);  // empty when missing
bool PathExists(const std::string& path);
void MakeFolder(const std::string& path);
// Removes a folder tree; true when it is gone.
bool RemoveTree(const std::string& path);

// A shell drop of `names` at `at`, as the shell hands it to a window (the
// receiver frees it with DragFinish).
HDROP MakeDrop(const std::vector<std::wstring>& names, POINT at);

// The test executable's own path (for the helper verbs).
std::string TestExecutable();

// Helper verbs: returns true (and sets exitCode) when the arguments asked for
// one, so main does not run the tests.
bool RunHelperVerb(const std::vector<std::string>& arguments, int& exitCode);

// The two page sets the interrupted-save test writes in turn.
std::string SaveLoopVersion(int which);
int SaveLoopHelper(const std::string& fileName);
