/* Starts a command and prints the seconds until a window with the given
 * name becomes viewable on the X display. It listens for map events instead
 * of polling, so the measuring itself takes no processor time from the
 * program being measured (the machines running the benchmark have two cores).
 *
 *   wait_shown <window name> <timeout seconds> <command> [arguments...]
 *
 * Prints "<seconds>" and exits 0 when the window shows; exits 1 on timeout.
 * The command is left running: the caller ends it. */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static double now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

static int ignore_errors(Display* d, XErrorEvent* e) {
    (void)d;
    (void)e;
    return 0; /* windows vanish while we look at them */
}

static int has_name(Display* d, Window w, const char* name) {
    XTextProperty text;
    int found = 0;
    if (XGetWMName(d, w, &text) && text.value) {
        found = strcmp((const char*)text.value, name) == 0;
        XFree(text.value);
    }
    return found;
}

/* Whether `w` or a window below it has the name and is viewable. */
static int shown_below(Display* d, Window w, const char* name, int depth) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable) return 0;
    if (has_name(d, w, name)) return 1;
    if (depth == 0) return 0;
    Window root, parent, *children = NULL;
    unsigned count = 0;
    int found = 0;
    if (XQueryTree(d, w, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && !found; ++i) found = shown_below(d, children[i], name, depth - 1);
        if (children) XFree(children);
    }
    return found;
}

int main(int argc, char** argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: wait_shown <window name> <timeout seconds> <command> [arguments...]\n");
        return 2;
    }
    const char* name = argv[1];
    double timeout = atof(argv[2]);
    Display* d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "wait_shown: no display\n");
        return 2;
    }
    XSetErrorHandler(ignore_errors);
    Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, False);
    double start = now();
    pid_t child = fork();
    if (child == 0) {
        /* The command's output would keep the caller's pipe open. */
        int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, 1);
            dup2(null, 2);
        }
        close(ConnectionNumber(d));
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    if (child < 0) return 2;
    struct pollfd fd = {ConnectionNumber(d), POLLIN, 0};
    for (;;) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            /* A window manager maps its frame after the client inside it;
             * without one the client itself is the top-level window. */
            if (e.type == MapNotify && shown_below(d, e.xmap.window, name, 3)) {
                printf("%.4f\n", now() - start);
                return 0;
            }
        }
        double left = timeout - (now() - start);
        if (left <= 0) return 1;
        poll(&fd, 1, (int)(left * 1000) + 1);
    }
}
