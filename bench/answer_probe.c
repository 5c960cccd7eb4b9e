/* How long a window leaves its messages unanswered: finds the top-level
 * window of a class (by default the program's main window, "TVantor"),
 * sends it WM_NULL every 50 ms and prints how long each call took.
 *
 *   answer_probe [window class]
 *
 * Prints, one line each, flushed at once:
 *   ready <time>              the probe runs (Wine has started)
 *   found <time>              the window is there (again)
 *   sent <time> <ms>          a WM_NULL sent at <time> was answered after <ms>
 *   gone <time>               the window went away; the probe looks for it again
 * <time> is the wall clock in milliseconds since 1970 (the caller's clock
 * too, under Wine), so the caller can put each call beside what it did.
 * A call waits up to ten minutes: a window that does not answer shows as one
 * long call, however long it is. Runs until it is ended. */
#define _WIN32_WINNT 0x0602
#include <stdio.h>
#include <windows.h>

static double WallClockMs(void) {
    FILETIME t;
    GetSystemTimePreciseAsFileTime(&t);
    ULARGE_INTEGER v;
    v.LowPart = t.dwLowDateTime;
    v.HighPart = t.dwHighDateTime;
    /* 100-ns intervals since 1601 to milliseconds since 1970. */
    return (double)(v.QuadPart - 116444736000000000ULL) / 10000.0;
}

static double Elapsed(LARGE_INTEGER from, LARGE_INTEGER frequency) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)(now.QuadPart - from.QuadPart) * 1000.0 / (double)frequency.QuadPart;
}

int main(int argc, char** argv) {
    const char* className = argc > 1 ? argv[1] : "TVantor";
    wchar_t wideClass[256];
    MultiByteToWideChar(CP_ACP, 0, className, -1, wideClass, 256);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    HWND window = NULL;
    printf("ready %.1f\n", WallClockMs());
    fflush(stdout);
    for (;;) {
        if (!window) {
            window = FindWindowW(wideClass, NULL);
            if (!window) {
                Sleep(20);
                continue;
            }
            printf("found %.1f\n", WallClockMs());
            fflush(stdout);
        }
        const double sentAt = WallClockMs();
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        DWORD_PTR result = 0;
        const LRESULT answered = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &result);
        const double took = Elapsed(start, frequency);
        if (!answered && !IsWindow(window)) {
            printf("gone %.1f\n", WallClockMs());
            fflush(stdout);
            window = NULL;
            continue;
        }
        printf("sent %.1f %.1f\n", sentAt, took);
        fflush(stdout);
        Sleep(50);
    }
}
