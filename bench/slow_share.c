/* A share on which every question about a name is slow, as on a network
 * share whose server hesitates: a FUSE file system that serves a backing
 * folder read-only and sleeps before it answers each lookup (getattr,
 * readdir, open, access, statfs, readlink). Reading from a file already
 * open is not delayed. The kernel is told to cache nothing, so every lookup
 * the program makes reaches here.
 *
 * The attributes of the share's root are the one answer given at once: Wine
 * looks at the root of every drive letter whenever it turns a Linux path into
 * a Windows one (each process start, a process's current folder), which would
 * make every program wait on the share, the empty window too, though none
 * asked about it.
 *
 * The kernel passes lookups of names it has not seen yet in one folder here
 * one at a time (a name already seen is asked again side by side with
 * others), so two threads asking about new names at once wait for each other,
 * as they would behind one slow server connection.
 *
 *   slow_share <backing folder> <delay ms> <log file> <mount point> [fuse options]
 *
 * Each delayed call appends "+ <seconds> <call> <path> tid=<caller thread> at=<wall-clock ms>" to the log file as it
 * comes and "- <seconds> <call> <path>" as it is answered (seconds since the
 * share was mounted), so the caller can count the lookups an action caused
 * and see when none are left in flight. Runs in the
 * foreground until unmounted (fusermount3 -u) or sent SIGTERM. */
#define FUSE_USE_VERSION 31
#define _GNU_SOURCE
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <fuse.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <time.h>
#include <unistd.h>

static const char* backing;
static long delay_ms;
static int log_fd = -1;
static struct timespec started;

static void note(char sign, const char* call, const char* path) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    const double seconds = (double)(t.tv_sec - started.tv_sec) + (double)(t.tv_nsec - started.tv_nsec) / 1e9;
    char line[PATH_MAX + 64];
    /* The caller's thread: a lookup made by the window's own thread is a wait the user sees. */
    const struct fuse_context* context = fuse_get_context();
    struct timespec wall;
    clock_gettime(CLOCK_REALTIME, &wall);
    int n = snprintf(line, sizeof line, "%c %.3f %s %s tid=%d at=%.1f\n", sign, seconds, call, path,
                     context ? (int)context->pid : 0, (double)wall.tv_sec * 1000.0 + (double)wall.tv_nsec / 1e6);
    if (log_fd >= 0 && n > 0) {
        /* One write per line: lines from several threads never mix. */
        ssize_t written = write(log_fd, line, (size_t)n < sizeof line ? (size_t)n : sizeof line - 1);
        (void)written;
    }
}

/* Sleeps the share's delay before a lookup is answered. */
static void hesitate(const char* call, const char* path) {
    note('+', call, path);
    struct timespec t = {delay_ms / 1000, (delay_ms % 1000) * 1000000L};
    while (nanosleep(&t, &t) != 0 && errno == EINTR) {
    }
}

static void answered(const char* call, const char* path) { note('-', call, path); }

static void real_path(char* out, const char* path) { snprintf(out, PATH_MAX, "%s%s", backing, path); }

static void* share_init(struct fuse_conn_info* conn, struct fuse_config* cfg) {
    /* Lookups in one folder answered side by side, as a server would. */
    if (conn->capable & FUSE_CAP_PARALLEL_DIROPS) conn->want |= FUSE_CAP_PARALLEL_DIROPS;
    cfg->entry_timeout = 0;
    cfg->attr_timeout = 0;
    cfg->negative_timeout = 0;
    cfg->kernel_cache = 0;
    return NULL;
}

static int share_getattr(const char* path, struct stat* st, struct fuse_file_info* fi) {
    (void)fi;
    char real[PATH_MAX];
    real_path(real, path);
    if (strcmp(path, "/") == 0) return lstat(real, st) == 0 ? 0 : -errno;
    hesitate("getattr", path);
    int result = lstat(real, st) == 0 ? 0 : -errno;
    answered("getattr", path);
    return result;
}

static int share_access(const char* path, int mask) {
    char real[PATH_MAX];
    real_path(real, path);
    hesitate("access", path);
    int result = access(real, mask & ~W_OK) == 0 ? ((mask & W_OK) ? -EROFS : 0) : -errno;
    answered("access", path);
    return result;
}

static int share_readlink(const char* path, char* buf, size_t size) {
    char real[PATH_MAX];
    real_path(real, path);
    hesitate("readlink", path);
    ssize_t n = readlink(real, buf, size - 1);
    int result = n < 0 ? -errno : 0;
    if (n >= 0) buf[n] = 0;
    answered("readlink", path);
    return result;
}

static int share_opendir(const char* path, struct fuse_file_info* fi) {
    (void)fi;
    char real[PATH_MAX];
    real_path(real, path);
    hesitate("opendir", path);
    DIR* d = opendir(real);
    int result = d ? 0 : -errno;
    if (d) closedir(d);
    answered("opendir", path);
    return result;
}

static int share_readdir(const char* path, void* buf, fuse_fill_dir_t filler, off_t offset, struct fuse_file_info* fi,
                         enum fuse_readdir_flags flags) {
    (void)offset;
    (void)fi;
    (void)flags;
    char real[PATH_MAX];
    real_path(real, path);
    hesitate("readdir", path);
    DIR* d = opendir(real);
    if (!d) {
        int result = -errno;
        answered("readdir", path);
        return result;
    }
    struct dirent* e;
    while ((e = readdir(d)) != NULL) {
        struct stat st;
        memset(&st, 0, sizeof st);
        st.st_ino = e->d_ino;
        st.st_mode = (mode_t)DTTOIF(e->d_type);
        if (filler(buf, e->d_name, &st, 0, 0)) break;
    }
    closedir(d);
    answered("readdir", path);
    return 0;
}

static int share_open(const char* path, struct fuse_file_info* fi) {
    char real[PATH_MAX];
    real_path(real, path);
    hesitate("open", path);
    int result = 0;
    if ((fi->flags & O_ACCMODE) != O_RDONLY) {
        result = -EROFS;
    } else {
        int fd = open(real, O_RDONLY);
        if (fd < 0)
            result = -errno;
        else
            fi->fh = (uint64_t)fd;
    }
    answered("open", path);
    return result;
}

static int share_read(const char* path, char* buf, size_t size, off_t offset, struct fuse_file_info* fi) {
    (void)path;
    ssize_t n = pread((int)fi->fh, buf, size, offset);
    return n < 0 ? -errno : (int)n;
}

static int share_release(const char* path, struct fuse_file_info* fi) {
    (void)path;
    close((int)fi->fh);
    return 0;
}

static int share_statfs(const char* path, struct statvfs* st) {
    char real[PATH_MAX];
    real_path(real, path);
    hesitate("statfs", path);
    int result = statvfs(real, st) == 0 ? 0 : -errno;
    answered("statfs", path);
    return result;
}

static const struct fuse_operations operations = {
    .init = share_init,
    .getattr = share_getattr,
    .access = share_access,
    .readlink = share_readlink,
    .opendir = share_opendir,
    .readdir = share_readdir,
    .open = share_open,
    .read = share_read,
    .release = share_release,
    .statfs = share_statfs,
};

int main(int argc, char** argv) {
    if (argc < 5) {
        fprintf(stderr, "usage: slow_share <backing folder> <delay ms> <log file> <mount point> [fuse options]\n");
        return 2;
    }
    static char resolved[PATH_MAX];
    if (!realpath(argv[1], resolved)) {
        perror(argv[1]);
        return 2;
    }
    backing = resolved;
    clock_gettime(CLOCK_MONOTONIC, &started);
    delay_ms = atol(argv[2]);
    log_fd = open(argv[3], O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (log_fd < 0) {
        perror(argv[3]);
        return 2;
    }
    /* fuse_main sees: program, mount point, foreground, the caller's options. */
    char* args[64];
    int n = 0;
    args[n++] = argv[0];
    args[n++] = argv[4];
    args[n++] = "-f";
    for (int i = 5; i < argc && n < 63; ++i) args[n++] = argv[i];
    args[n] = NULL;
    return fuse_main(n, args, &operations, NULL);
}
