/* A small 64-bit program for the end-to-end cases, put into the prefix's
   native System32 only: started, it writes the file its first argument names,
   with the working folder it was given and whether that folder is the native
   System32 (which holds it), so a case sees that the native program started
   and where. */
#include <windows.h>
/* After windows.h, which it needs. */
#include <shellapi.h>

static void WriteUtf8(HANDLE file, const wchar_t* text) {
    char bytes[4 * MAX_PATH];
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, NULL, NULL);
    DWORD written = 0;
    if (n > 1) WriteFile(file, bytes, (DWORD)(n - 1), &written, NULL);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show) {
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2) return 2;
    wchar_t folder[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, folder);
    wchar_t self[MAX_PATH] = L"";
    GetModuleFileNameW(NULL, self, MAX_PATH);
    /* Relative to the working folder: found only when that is where this
       program lies. */
    const wchar_t* name = wcsrchr(self, L'\\');
    const BOOL besideMe = name && GetFileAttributesW(name + 1) != INVALID_FILE_ATTRIBUTES;
    HANDLE file = CreateFileW(argv[1], GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return 1;
    WriteUtf8(file, L"started\r\nfolder=");
    WriteUtf8(file, folder);
    WriteUtf8(file, besideMe ? L"\r\nbeside=1\r\n" : L"\r\nbeside=0\r\n");
    CloseHandle(file);
    LocalFree(argv);
    return 0;
}
