"""Helpers for the end-to-end cases: Wine processes, windows, screenshots,
shortcut files and the page-file format."""
import os
import shutil
import struct
import subprocess
import time
from contextlib import contextmanager
from dataclasses import dataclass, field
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
CASES = []


def case(fn=None, *, shot=False):
    """Registers an end-to-end case; shot=True also runs it under ./dev shot."""
    def register(f):
        f.shot = shot
        CASES.append(f)
        return f
    return register(fn) if fn else register


class CaseFailure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise CaseFailure(message)


def wait_until(predicate, timeout, what, interval=0.2):
    deadline = time.time() + timeout
    while time.time() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(interval)
    raise CaseFailure(f"timed out after {timeout}s waiting for {what}")


def activate(wid, attempts=4):
    """Makes wid the active window, with the keyboard focus. The window
    manager can drop a request that races with another window being mapped
    (a floating bar, or Wine's tray window when the program adds its icon
    just after its window shows), so the request is repeated a few times.
    The window manager's word alone is not enough: it may still name the
    window of the previous case, which had the same X identifier, and keys
    typed before the focus really arrived were lost."""
    def active():
        return all(subprocess.run(["xdotool", verb], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                  text=True, timeout=10).stdout.strip() == wid
                   for verb in ("getwindowfocus", "getactivewindow"))
    for _ in range(attempts):
        subprocess.run(["xdotool", "windowactivate", wid], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=10)
        try:
            wait_until(active, 3, f"window {wid} to be active")
            return
        except CaseFailure:
            continue
    raise CaseFailure(f"window {wid} never became active")


def _taskkill_loader(drive_c):
    """The Wine loader that runs taskkill. In a 64-bit prefix the 32-bit
    taskkill cannot name a 64-bit process (its modules are out of a WOW64
    process's reach), so the 64-bit build would never be closed; the 64-bit
    taskkill names both."""
    if not (drive_c / "windows" / "syswow64").is_dir():
        return "wine"
    for loader in (shutil.which("wine64"), "/usr/lib/wine/wine64"):
        if loader and os.access(loader, os.X_OK):
            return loader
    return "wine"


class Env:
    def __init__(self, exe, work, expected, shots_only):
        self.exe = exe
        self.work = work
        self.expected = expected
        self.shots_only = shots_only
        self.update_expected = False
        self.prefix = Path(os.environ["WINEPREFIX"])
        self.drive_c = self.prefix / "drive_c"
        self.procs = []
        self.program_dir = self.drive_c / "Vantor"
        self.program_dir.mkdir(parents=True, exist_ok=True)
        shutil.copy(exe, self.program_dir / "Vantor.exe")
        # The Wine tests' executable doubles as a helper that writes shortcut
        # files through the real shell link object.
        self.helper = Path(os.environ.get("VANTOR_E2E_HELPER",
                                          Path(exe).parent / "tests" / "win" / "vantor_win_tests.exe"))
        self.taskkill_loader = _taskkill_loader(self.drive_c)
        self._own_desktop()

    def _own_desktop(self):
        """Wine links the prefix's Desktop to the Unix home; the cases put
        shortcuts there, so it becomes a folder of the prefix's own."""
        desktop = self.user_folder("Desktop")
        if desktop.is_symlink():
            desktop.unlink()
        desktop.mkdir(parents=True, exist_ok=True)

    # -- data folders -------------------------------------------------------
    def data_folder(self, name):
        """A fresh, empty data folder on drive C:; returns (unix path, Windows path)."""
        folder = self.drive_c / "e2e" / name
        shutil.rmtree(folder, ignore_errors=True)
        folder.mkdir(parents=True)
        return folder, "C:\\e2e\\" + name

    def user_folder(self, *parts):
        """A folder of the prefix's user profile, e.g. user_folder('Desktop')."""
        users = self.drive_c / "users"
        user = next((p for p in users.iterdir() if p.name not in ("Public",) and p.is_dir()), None)
        return user.joinpath(*parts)

    def programs_folder(self):
        """The Start menu's programs folder of the prefix's user."""
        return self.user_folder("AppData", "Roaming", "Microsoft", "Windows", "Start Menu", "Programs")

    @staticmethod
    def windows_path(unix_path):
        """The drive C: path of a file inside the prefix's drive_c."""
        parts = Path(unix_path).parts
        return "C:\\" + "\\".join(parts[parts.index("drive_c") + 1:])

    def make_shortcut(self, lnk, target, arguments="", folder="", show=5, icon="", icon_index=0):
        """Writes a shortcut file (a Unix path inside the prefix) through the
        shell link object."""
        Path(lnk).parent.mkdir(parents=True, exist_ok=True)
        self.wine(str(self.helper), "--make-shortcut", self.windows_path(lnk), target, arguments, folder,
                  str(show), icon, str(icon_index), check_rc=True)
        check(Path(lnk).exists(), f"shortcut {lnk} was not written")

    def write_shell_link(self, lnk, target):
        """Writes a shortcut file byte for byte as a Unicode system does, for
        targets the link object here would not keep whole."""
        Path(lnk).parent.mkdir(parents=True, exist_ok=True)
        self.wine(str(self.helper), "--write-shell-link", self.windows_path(lnk), target, check_rc=True)
        check(Path(lnk).exists(), f"shortcut {lnk} was not written")

    # -- processes ----------------------------------------------------------
    def wine(self, *args, timeout=60, check_rc=False):
        loader = self.taskkill_loader if args and args[0] == "taskkill" else "wine"
        r = subprocess.run(["timeout", "--kill-after=5", str(timeout), loader, *args],
                           stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                           encoding="utf-8", errors="replace")
        if check_rc and r.returncode != 0:
            raise CaseFailure(f"wine {' '.join(args)} failed: {r.returncode} {r.stderr[-500:]}")
        return r

    def start(self, *args):
        """Starts Vantor.exe with the given arguments; returns the process."""
        p = subprocess.Popen(["timeout", "--kill-after=5", "120", "wine", "C:\\Vantor\\Vantor.exe", *args],
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.procs.append(p)
        return p

    def kill_all(self):
        for p in self.procs:
            if p.poll() is None:
                p.kill()
                try:
                    p.wait(10)
                except subprocess.TimeoutExpired:
                    pass
        self.procs = []
        self.wine("taskkill", "/f", "/im", "Vantor.exe", timeout=20)

    def wait_end(self, proc, timeout, what):
        try:
            return proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise CaseFailure(f"{what} did not end within {timeout}s")

    def close(self, proc, timeout=30):
        """Ends the program the way a user's logoff would: WM_CLOSE to its window."""
        self.wine("taskkill", "/im", "Vantor.exe", timeout=20)
        try:
            return proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise CaseFailure("Vantor.exe did not end after WM_CLOSE")

    # -- windows --------------------------------------------------------------
    def find_windows(self, name_regex):
        r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name_regex],
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, timeout=10)
        return [w for w in r.stdout.split()]

    def wait_window(self, name_regex="^Vantor$", timeout=40):
        return wait_until(lambda: self.find_windows(name_regex), timeout, f"a window named {name_regex}")[0]

    def dismiss(self, wid):
        """Presses Enter in a window (a message box's default button)."""
        activate(wid)
        # Through XTEST (no --window): a key sent to a window with
        # XSendEvent can stay down in the server and answer the next box.
        subprocess.run(["xdotool", "key", "Return"], timeout=10,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def window_geometry(self, wid):
        r = subprocess.run(["xdotool", "getwindowgeometry", "--shell", wid], stdout=subprocess.PIPE,
                           text=True, timeout=10)
        return dict(line.split("=", 1) for line in r.stdout.split())

    def screenshot(self, name):
        path = self.work / f"{name}.png"
        subprocess.run(["import", "-window", "root", str(path)], timeout=30, check=True)
        return path


# -- the page file ------------------------------------------------------------
# Magic "MN", version 768, page count, reserved value; page records "PG" 768;
# strings as a 32-bit length (text + 1) followed by the code page 932 text and
# a zero byte. Written here independently of the program, so a case can give
# it files and check what it wrote.

@dataclass
class Entry:
    link_to: str
    title: str
    keyword: str = ""
    arguments: str = ""
    working_dir: str = ""
    show_cmd: int = 5
    forbidden: bool = False
    icon_path: str = ""
    icon_index: int = 0


@dataclass
class Page:
    caption: str
    view_style: int = 0
    default_layout: bool = True
    button_width: int = 0
    margin: int = 0
    title_width: int = 0
    entries: list = field(default_factory=list)


@dataclass
class PageSet:
    pages: list
    reserved: int = 0


def _string(text):
    data = text.encode("cp932")
    return struct.pack("<i", len(data) + 1) + data + b"\0"


def page_record(page):
    out = struct.pack("<HH", 0x4750, 768) + _string(page.caption)
    out += struct.pack("<BBiiii", page.view_style, int(page.default_layout), page.button_width, page.margin,
                       page.title_width, len(page.entries))
    for e in page.entries:
        out += _string(e.link_to) + _string(e.title) + _string(e.keyword) + _string(e.arguments)
        out += _string(e.working_dir) + struct.pack("<iB", e.show_cmd, int(e.forbidden))
        out += _string(e.icon_path) + struct.pack("<i", e.icon_index)
    return out


def write_pages(page_set):
    out = struct.pack("<HHii", 0x4E4D, 768, len(page_set.pages), page_set.reserved)
    return out + b"".join(page_record(p) for p in page_set.pages)


class _Reader:
    def __init__(self, data):
        self.data, self.pos = data, 0

    def take(self, fmt):
        size = struct.calcsize(fmt)
        if self.pos + size > len(self.data):
            raise CaseFailure(f"page file ends inside a record at {self.pos}")
        values = struct.unpack_from(fmt, self.data, self.pos)
        self.pos += size
        return values if len(values) > 1 else values[0]

    def string(self):
        length = self.take("<i")
        if not 0 < length <= 65536 or self.pos + length > len(self.data):
            raise CaseFailure(f"bad string length {length} at {self.pos - 4}")
        text = self.data[self.pos:self.pos + length].split(b"\0", 1)[0]
        self.pos += length
        return text.decode("cp932")


def read_pages(data):
    """Reads a page file as the program writes it (version 768 only)."""
    r = _Reader(data)
    magic, version, count, reserved = r.take("<HHii")
    check(magic == 0x4E4D and version == 768, f"not a page file: magic {magic:#x} version {version}")
    pages = []
    for _ in range(count):
        magic, version = r.take("<HH")
        check(magic == 0x4750 and version == 768, f"bad page record at {r.pos - 4}")
        page = Page(r.string())
        page.view_style, layout, page.button_width, page.margin, page.title_width, n = r.take("<BBiiii")
        page.default_layout = bool(layout)
        for _ in range(n):
            e = Entry(r.string(), r.string(), r.string(), r.string(), r.string())
            e.show_cmd, forbidden = r.take("<iB")
            e.forbidden = bool(forbidden)
            e.icon_path, e.icon_index = r.string(), r.take("<i")
            page.entries.append(e)
        pages.append(page)
    check(r.pos == len(data), f"{len(data) - r.pos} bytes after the last page")
    return PageSet(pages, reserved)


def read_ini(path):
    """Sections of an ini file as dicts (names lower-cased), code page 932."""
    sections, current = {}, None
    for line in Path(path).read_bytes().decode("cp932").splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            current = sections.setdefault(line[1:-1].lower(), {})
        elif "=" in line and current is not None:
            key, value = line.split("=", 1)
            current.setdefault(key.strip().lower(), value.strip())
    return sections


# -- the screen's resolution ---------------------------------------------------
# Wine takes the system DPI from the user's LogPixels (which wins over the
# hardware profile's) when a process starts, so a new value holds for every
# program started after it, without restarting wineserver; the programs
# already running keep theirs.
DPI_KEY = "HKCU\\Control Panel\\Desktop"
NORMAL_DPI = 96


def set_screen_dpi(dpi):
    r = subprocess.run(["timeout", "--kill-after=5", "60", "wine", "reg", "add", DPI_KEY, "/v", "LogPixels",
                        "/t", "REG_DWORD", "/d", str(dpi), "/f"],
                       stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, errors="replace")
    if r.returncode != 0:
        raise CaseFailure(f"could not set LogPixels to {dpi}: {r.returncode} {r.stderr[-500:]}")


@contextmanager
def screen_dpi(dpi):
    """Programs started inside run at `dpi`; 96 again afterwards, however the
    block ends, so a failing case leaves the next one at the usual size."""
    set_screen_dpi(dpi)
    try:
        yield
    finally:
        set_screen_dpi(NORMAL_DPI)


# -- what the screen shows -------------------------------------------------------

def screen_pixels(x, y, width, height):
    """The screen's pixels in a rectangle, as rows of (r, g, b)."""
    data = subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{x}+{y}", "+repage",
                           "-depth", "8", "ppm:-"], stdout=subprocess.PIPE, timeout=30, check=True).stdout
    # A binary PPM: "P6", width, height and 255, each followed by one white space.
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    pos += 1
    w, h = int(fields[1]), int(fields[2])
    return [[tuple(data[pos + (r * w + c) * 3:pos + (r * w + c) * 3 + 3]) for c in range(w)] for r in range(h)]


# -- a desktop of two monitors ---------------------------------------------------
# Xvfb lays the screens of a Xinerama display over each other, so the display
# is one screen split into two RandR monitors instead; RandR answers the
# XINERAMA queries with them, and Wine is told to take its monitors from there
# (its RandR 1.4 handler only sees Xvfb's one output).

WINE_X11_KEY = "HKCU\\Software\\Wine\\X11 Driver"


def _split_into_monitors(display, width, height):
    """Two monitors side by side, each width x height, on the display's one
    screen; the first takes the screen's output, so no third one spans both."""
    import ctypes
    from ctypes import POINTER, Structure, byref, c_char_p, c_int, c_ulong, c_void_p

    class Monitor(Structure):
        _fields_ = [("name", c_ulong), ("primary", c_int), ("automatic", c_int), ("noutput", c_int),
                    ("x", c_int), ("y", c_int), ("width", c_int), ("height", c_int), ("mwidth", c_int),
                    ("mheight", c_int), ("outputs", POINTER(c_ulong))]

    class Resources(Structure):
        _fields_ = [("timestamp", c_ulong), ("config_timestamp", c_ulong), ("ncrtc", c_int),
                    ("crtcs", POINTER(c_ulong)), ("noutput", c_int), ("outputs", POINTER(c_ulong))]

    x11 = ctypes.CDLL("libX11.so.6")
    xrandr = ctypes.CDLL("libXrandr.so.2")
    x11.XOpenDisplay.restype, x11.XOpenDisplay.argtypes = c_void_p, [c_char_p]
    x11.XDefaultRootWindow.restype, x11.XDefaultRootWindow.argtypes = c_ulong, [c_void_p]
    x11.XInternAtom.restype, x11.XInternAtom.argtypes = c_ulong, [c_void_p, c_char_p, c_int]
    x11.XSync.argtypes = [c_void_p, c_int]
    x11.XCloseDisplay.argtypes = [c_void_p]
    xrandr.XRRQueryVersion.argtypes = [c_void_p, POINTER(c_int), POINTER(c_int)]
    xrandr.XRRGetScreenResources.restype = POINTER(Resources)
    xrandr.XRRGetScreenResources.argtypes = [c_void_p, c_ulong]
    xrandr.XRRAllocateMonitor.restype, xrandr.XRRAllocateMonitor.argtypes = POINTER(Monitor), [c_void_p, c_int]
    xrandr.XRRSetMonitor.argtypes = [c_void_p, c_ulong, POINTER(Monitor)]
    dpy = x11.XOpenDisplay(display.encode())
    check(dpy, f"cannot open {display}")
    root = x11.XDefaultRootWindow(dpy)
    major, minor = c_int(), c_int()
    check(xrandr.XRRQueryVersion(dpy, byref(major), byref(minor)) and (major.value, minor.value) >= (1, 5),
          "RandR 1.5 is needed to split the screen into monitors")
    output = xrandr.XRRGetScreenResources(dpy, root).contents.outputs[0]
    for i in range(2):
        monitor = xrandr.XRRAllocateMonitor(dpy, 1 if i == 0 else 0).contents
        if i == 0:
            monitor.outputs[0] = output
        monitor.name = x11.XInternAtom(dpy, f"VANTOR-{i + 1}".encode(), 0)
        monitor.primary = int(i == 0)
        monitor.x, monitor.y, monitor.width, monitor.height = i * width, 0, width, height
        monitor.mwidth, monitor.mheight = width * 254 // 960, height * 254 // 960
        xrandr.XRRSetMonitor(dpy, root, byref(monitor))
    x11.XSync(dpy, 0)
    x11.XCloseDisplay(dpy)


def _free_display():
    for n in range(400, 500):
        if not os.path.exists(f"/tmp/.X{n}-lock") and not os.path.exists(f"/tmp/.X11-unix/X{n}"):
            return n
    raise CaseFailure("no free X display for two monitors")


def _stop_wine():
    subprocess.run(["timeout", "20", "wineserver", "-k"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(["timeout", "20", "wineserver", "-w"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


@contextmanager
def two_monitors(env, width=1280, height=1024):
    """The programs started inside run on a display of their own: two
    monitors side by side, each width x height, the first the main one, with
    a window manager. Wine's processes end before and after, since they keep
    the monitors of the display they started on."""
    env.kill_all()
    _stop_wine()
    n = _free_display()
    display = f":{n}"
    # Kept when the last client goes, with the monitors set below.
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", f"{2 * width}x{height}x24", "-nolisten", "tcp",
                             "-noreset"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wm = None
    saved = os.environ.get("DISPLAY")
    try:
        wait_until(lambda: os.path.exists(f"/tmp/.X11-unix/X{n}"), 10, f"the display {display}")
        _split_into_monitors(display, width, height)
        os.environ["DISPLAY"] = display
        wm = subprocess.Popen([str(ROOT / "tools" / "test-openbox")], stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
        env.wine("reg", "add", WINE_X11_KEY, "/v", "UseXRandR", "/t", "REG_SZ", "/d", "N", "/f", check_rc=True)
        _stop_wine()
        yield display
    finally:
        env.kill_all()
        env.wine("reg", "delete", WINE_X11_KEY, "/v", "UseXRandR", "/f")
        _stop_wine()
        if saved is None:
            os.environ.pop("DISPLAY", None)
        else:
            os.environ["DISPLAY"] = saved
        for p in (wm, xvfb):
            if p and p.poll() is None:
                p.terminate()
                try:
                    p.wait(10)
                except subprocess.TimeoutExpired:
                    p.kill()
