#!/usr/bin/env python3
"""How long the window leaves its messages unanswered while a user works with
entries whose targets lie on a slow share, under Wine.

The share is a FUSE file system (bench/slow_share.c) whose every lookup takes
--delay seconds, mounted in the build folder and linked as drive S: of the
prefix. A probe (bench/answer_probe.c) sends WM_NULL to the main window every
50 ms and tells how long each call took. Each action is done twice in the same
run, on entries whose targets lie on drive C: (the baseline: the machine is
shared and its speed drifts) and on entries on the share, and the longest
unanswered call during it is printed for both:
  (a) start the program with such entries on the current page
  (b) right-click such an entry (entry menu), close the menu
  (c) click it to start it
  (d) its properties (entry menu, P), then OK
  (e) このフォルダを開く on it (entry menu, F)
  (f) switch to a page of such entries (the period key)
An action lasts until the window has answered promptly for a lookup's delay
and a second more, so a wait that comes late is counted too. When FUSE cannot
be mounted here the figures are skipped and the script ends with success.
Needs DISPLAY and WINEPREFIX (./dev bench sets them)."""
import argparse
import os
import shutil
import signal
import subprocess
import sys
import threading
import time
import unicodedata
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))
sys.path.insert(0, str(Path(__file__).resolve().parent))
from e2e_lib import Entry, Page, PageSet, read_ini, write_pages  # noqa: E402
from wine_procs import prefix_processes, wine_process, wineserver_pid  # noqa: E402

PROMPT_MS = 250  # an answer slower than this is a wait the user sees
TOOL_ARGS = "/exit"  # the empty window ends at once: a start that leaves nothing behind
FOLDER = "C:\\slowbench"

ACTIONS = [
    ("start", "(a) start with such entries on the page"),
    ("menu", "(b) entry menu, then closed"),
    ("click", "(c) click to start it"),
    ("properties", "(d) properties, then OK"),
    ("open_folder", "(e) このフォルダを開く"),
    ("switch", "(f) switch to a page of such entries"),
]


def xdo(*args, timeout=10):
    return subprocess.run(["xdotool", *args], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                          timeout=timeout)


def now_ms():
    return time.time() * 1000.0


# -- the share -------------------------------------------------------------------

class ShareUnavailable(Exception):
    pass


def mounted(point):
    with open("/proc/self/mountinfo") as f:
        return any(line.split()[4] == str(point) for line in f)


class SlowShare:
    """The FUSE file system over `backing`, mounted at `point` while the
    block runs. Nothing here looks inside the mount: every look would wait."""

    def __init__(self, program, backing, point, log, delay):
        self.program, self.backing, self.point, self.log, self.delay = program, backing, point, log, delay
        self.proc = None

    def __enter__(self):
        if not Path("/dev/fuse").exists():
            raise ShareUnavailable("no /dev/fuse")
        if not Path(self.program).exists():
            raise ShareUnavailable(f"{self.program} was not built (libfuse3-dev missing?)")
        unmount(self.point)
        self.point.mkdir(parents=True, exist_ok=True)
        self.log.write_bytes(b"")
        self.proc = subprocess.Popen([str(self.program), str(self.backing), str(int(self.delay * 1000)),
                                      str(self.log), str(self.point), "-o", "ro,fsname=slowshare"],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        deadline = time.time() + 10
        while time.time() < deadline:
            if mounted(self.point):
                return self
            if self.proc.poll() is not None:
                raise ShareUnavailable(f"FUSE mount failed: {self.proc.stderr.read().strip()[-300:]}")
            time.sleep(0.1)
        self.__exit__()
        raise ShareUnavailable("FUSE mount did not appear within 10 s")

    def __exit__(self, *exc):
        unmount(self.point)
        if self.proc and self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(15)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait(5)

    def wait_idle(self, timeout):
        """Until no lookup is in flight, at most `timeout` seconds."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            asked, answered = self.counts()
            if asked == answered:
                return
            time.sleep(0.2)

    def counts(self):
        """Lookups asked so far, and those answered."""
        text = self.log.read_text(errors="replace")
        asked = sum(1 for line in text.splitlines() if line.startswith("+ "))
        answered = sum(1 for line in text.splitlines() if line.startswith("- "))
        return asked, answered

    def lookups(self):
        """[(call and path, tid, asked at, answered at or None)] in the order asked; wall-clock ms."""
        found, open_ = [], {}
        for line in self.log.read_text(errors="replace").splitlines():
            try:
                head, tid, at = line.rsplit(" ", 2)
                sign, _, what = head.split(" ", 2)
                tid, at = int(tid.split("=")[1]), float(at.split("=")[1])
            except ValueError:
                continue
            if sign == "+":
                open_.setdefault((what, tid), []).append(len(found))
                found.append([what, tid, at, None])
            elif open_.get((what, tid)):
                found[open_[(what, tid)].pop(0)][3] = at
        return found

    def asked_by(self, tid, since):
        """Lookups the thread `tid` asked after the first `since` lookups, as
        "call path" lines."""
        return [what for what, t, _, _ in self.lookups()[since:] if t == tid]

    def server_waits(self, server, since):
        """The spans (wall-clock ms) the Wine server spent in lookups on the
        share after the first `since` lookups: it serves every thread of every
        program of the session, and opens files itself."""
        return [(a, b if b is not None else now_ms()) for _, t, a, b in self.lookups()[since:] if t == server]


def unmount(point):
    if mounted(point):
        subprocess.run(["fusermount3", "-u", "-z", str(point)], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=30)


# -- the Wine server ----------------------------------------------------------------

class ServerWatch:
    """Samples every 10 ms where the Wine server sleeps: anywhere but its
    event loop means it waits in a system call (an open on the share, or in
    the kernel's queue for a lookup in the share's folder), and while it does
    no program of the session gets an answer from it."""

    IDLE = ("do_epoll_wait", "ep_poll", "0")

    def __init__(self):
        self.spans = []  # (from, to) wall-clock ms
        self.lock = threading.Lock()
        self.stopped = threading.Event()
        self.thread = threading.Thread(target=self._run, daemon=True)
        self.thread.start()

    def _run(self):
        pid, since, last = None, None, None
        while not self.stopped.wait(0.01):
            pid = pid or wineserver_pid()
            if not pid:
                continue
            try:
                wchan = Path(f"/proc/{pid}/wchan").read_text().strip()
            except OSError:
                pid = None
                continue
            t = now_ms()
            if wchan not in self.IDLE:
                since = since or t
                last = t
            elif since:
                with self.lock:
                    self.spans.append((since, last + 10))
                since = None

    def stop(self):
        self.stopped.set()
        self.thread.join(5)

    def waits(self, begin, end):
        """The spans of at least 100 ms overlapping [begin, end]."""
        with self.lock:
            return [(a, b) for a, b in self.spans if b - a >= 100 and b >= begin and a <= end]


# -- the probe -------------------------------------------------------------------

class Probe:
    """answer_probe.exe running beside the program; keeps every call it reports."""

    def __init__(self, exe, window_class="TVantor"):
        self.proc = subprocess.Popen(["wine", exe, window_class], stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL, text=True)
        self.lock = threading.Lock()
        self.calls = []  # (sent at, took), milliseconds
        self.found = []
        self.ready = threading.Event()
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for line in self.proc.stdout:
            parts = line.split()
            with self.lock:
                if parts[:1] == ["sent"] and len(parts) == 3:
                    self.calls.append((float(parts[1]), float(parts[2])))
                elif parts[:1] == ["found"] and len(parts) == 2:
                    self.found.append(float(parts[1]))
                elif parts[:1] == ["ready"]:
                    self.ready.set()

    def stop(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait(10)

    def found_after(self, since):
        with self.lock:
            return next((t for t in self.found if t >= since), None)

    def _quiet_since(self, since):
        """(whether the window answers now, since when it has answered every
        call promptly, not before `since`)."""
        with self.lock:
            calls = list(self.calls)
        last_end = max((s + d for s, d in calls), default=0.0)
        # A call in flight for long: the window is not answering now.
        answering = now_ms() - last_end < PROMPT_MS + 100
        slow_ends = [s + d for s, d in calls if d >= PROMPT_MS and s + d >= since]
        return answering, max([since, *slow_ends])

    def answering_for(self, quiet_ms, timeout_ms):
        """Waits until the window has answered promptly for `quiet_ms`; False
        after `timeout_ms`."""
        start = now_ms()
        while now_ms() - start < timeout_ms:
            answering, since = self._quiet_since(start - quiet_ms)
            if answering and now_ms() - since >= quiet_ms:
                return True
            time.sleep(0.1)
        return False

    def settle(self, since, quiet_ms, deadline):
        """Waits until the window has answered promptly for `quiet_ms` after
        `since`, at most until `deadline`; returns the end of the action and
        whether the window was not answering at the deadline."""
        while True:
            answering, quiet_since = self._quiet_since(since)
            t = now_ms()
            if answering and t - quiet_since >= quiet_ms:
                return t, False
            if t >= deadline:
                return t, not answering
            time.sleep(0.1)

    def longest(self, begin, end, hung_at_end, excused=()):
        """The longest call overlapping [begin, end] in ms; a call still open at
        the end counts from its start to the end. Time inside the `excused`
        spans (another process's waits) is taken out of each call."""
        with self.lock:
            calls = [(s, s + d) for s, d in self.calls if s + d >= begin and s <= end]
        if hung_at_end:
            last_end = max((b for _, b in calls), default=begin)
            calls.append((max(last_end, begin), end))
        return max((b - a - covered(a, b, excused) for a, b in calls), default=0.0)


# -- the data ----------------------------------------------------------------------

def entries(drive_folder, suffix):
    tool = Entry(f"{drive_folder}\\tool{suffix}.exe", f"ツール{suffix}", "", TOOL_ARGS, "", 7)
    folder = Entry(f"{drive_folder}\\folder{suffix}", f"フォルダ{suffix}")
    readme = Entry(f"{drive_folder}\\readme{suffix}.txt", f"説明{suffix}")
    return [tool, folder, readme]


def make_files(root, tool_exe):
    """The share's content (and the same on drive C:): two sets of an
    executable, a folder and a text file."""
    shutil.rmtree(root, ignore_errors=True)
    root.mkdir(parents=True)
    for suffix in ("", "2"):
        shutil.copy(tool_exe, root / f"tool{suffix}.exe")
        (root / f"folder{suffix}").mkdir()
        (root / f"folder{suffix}" / "memo.txt").write_bytes(b"memo\r\n")
        (root / f"readme{suffix}.txt").write_bytes(b"read me\r\n")


def page_set(drive_folder):
    """Two pages of such entries; the baseline's have no entry on the share."""
    return PageSet([Page("一", 0, entries=entries(drive_folder, "")), Page("二", 0, entries=entries(drive_folder, "2"))])


def ini():
    lines = ["[Settings]", "Version=768", "AutoHide=0", "PageTabLayout=1", "CurrentPage=0",
             "[DockLocations]", "Left=880", "Top=120", "Width=380", "Height=560"]
    lines += [f"[{bar}]\r\nShow=0" for bar in ("SmartBar", "KeywordBar", "HistoryBar", "ResourceBar")]
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


# -- Wine processes and windows ------------------------------------------------------

def end_started_programs():
    """Ends what an action started: the entry's program and folder windows
    (Wine's explorer, but never the desktop's)."""
    for pid, argv in prefix_processes():
        low = " ".join(argv).lower()
        started = "tool.exe" in low or "tool2.exe" in low or ("explorer" in low and "/desktop" not in low)
        if started and "answer_probe" not in low:
            try:
                os.kill(pid, signal.SIGKILL)
            except OSError:
                pass


def process_gone(pid):
    """Whether the process has ended (a zombie has: only its exit status is left)."""
    try:
        state = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()[0]
    except (OSError, IndexError):
        return True
    return state in ("Z", "X")


def visible():
    return set(xdo("search", "--onlyvisible", "--name", "").stdout.split())


def height(wid):
    g = dict(line.split("=", 1) for line in xdo("getwindowgeometry", "--shell", wid).stdout.split() if "=" in line)
    return int(g.get("HEIGHT", "0"))


def new_windows(before):
    """Windows that appeared, leaving out an entry's one-line title popup."""
    return [w for w in visible() - before if height(w) > 30]


def wait_for(predicate, timeout):
    deadline = time.time() + timeout
    while time.time() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.1)
    return None


def rest_pointer():
    xdo("mousemove", "40", "1000")


class Result:
    def __init__(self, longest=None, at_least=False, lookups=0, note="", on_window_thread=(), server=None,
                 bystander=None):
        self.longest, self.at_least, self.lookups, self.note = longest, at_least, lookups, note
        # The lookups the window's own thread made: each is a wait the user sees.
        self.on_window_thread = list(on_window_thread)
        # (lookups the Wine server made, their time in ms, the longest wait
        # left once the time the server spent in them is taken out)
        self.server = server
        # The longest an empty window of another program went unanswered meanwhile.
        self.bystander = bystander


class Session:
    """Runs of the program on one data folder, the probe beside it."""

    def __init__(self, args, share, probe, drive_folder, quiet, server, bystander):
        self.args, self.share, self.probe, self.quiet, self.server = args, share, probe, quiet, server
        self.bystander = bystander
        self.data = data = Path(os.environ["WINEPREFIX"]) / "drive_c" / "slowbench" / "Data"
        shutil.rmtree(data, ignore_errors=True)
        data.mkdir(parents=True)
        (data / "Main.pag").write_bytes(write_pages(page_set(drive_folder)))
        (data / "Vantor.ini").write_bytes(ini())
        self.proc = None
        self.wid = None
        self.own = set()
        self.deadline = 0.0
        self.saved = False

    def left(self):
        """Seconds the action under way may still take."""
        return max(0.0, (self.deadline - now_ms()) / 1000)

    def measure(self, steps, fresh=False):
        """Runs `steps` (which return a note or None) on a window that
        answers, then waits until it has answered promptly for the quiet
        time; the longest unanswered call from the first step on."""
        if not fresh and not self.ready():
            return Result(note="not measured: the window did not answer again, even after a restart")
        # What the last action left on its way (a folder window still reading
        # the share, say) is not counted against this one.
        if self.share:
            self.share.wait_idle(2 * self.args.cap)
        before = self.share.counts()[0] if self.share else 0
        begin = now_ms()
        self.deadline = begin + self.args.cap * 1000
        note = steps() or ""
        end, hung = self.probe.settle(begin, self.quiet * 1000, self.deadline)
        # Wine runs a program's first thread, its window's, as the process's main thread.
        pid = wine_process("Vantor.exe")
        server = None
        if self.share:
            lookups = self.share.server_waits(wineserver_pid(), before)
            spans = lookups + self.server.waits(begin, end)
            server = (len(lookups), covered(begin, end, spans), self.probe.longest(begin, end, hung, spans))
        result = Result(self.probe.longest(begin, end, hung), hung,
                        (self.share.counts()[0] - before) if self.share else 0, note,
                        self.share.asked_by(pid, before) if self.share and pid else (), server,
                        self.bystander.longest(begin, end, False) if self.bystander else None)
        if hung:
            result.note = "; ".join(n for n in (note, f"still not answering after {self.args.cap:.0f} s") if n)
        self.tidy()
        return result

    def ready(self):
        """Whether the window answers again (a restart if it does not)."""
        if self.wid and self.probe.answering_for(1000, self.args.recover * 1000):
            return True
        self.end_program(force=True)
        self.start_program(self.args.cap)
        return bool(self.wid) and self.probe.answering_for(1000, self.args.recover * 1000)

    def tidy(self):
        """Whatever an action left open goes: menus and boxes with Escape,
        started programs and folder windows ended."""
        end_started_programs()
        for _ in range(3):
            extra = new_windows(self.own)
            if not extra:
                break
            for w in extra:
                xdo("windowactivate", w)
                xdo("key", "Escape")
            time.sleep(0.5)
        rest_pointer()
        time.sleep(0.3)

    def start_program(self, timeout):
        """Starts the program; a note with how long its window took."""
        rest_pointer()
        started = now_ms()
        self.proc = subprocess.Popen(["wine", FOLDER + "\\Vantor.exe", "/d", FOLDER + "\\Data"],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        found = wait_for(lambda: xdo("search", "--onlyvisible", "--name", "^Vantor$").stdout.split(), timeout)
        if not found:
            self.wid = None
            return f"no window within {timeout:.0f} s"
        self.wid = found[0]
        self.own = visible()
        there = self.probe.found_after(started)
        return f"window there after {((there or now_ms()) - started) / 1000:.1f} s"

    def start(self):
        return self.start_program(self.left())

    def focus(self):
        xdo("windowactivate", self.wid)
        time.sleep(0.3)

    def entry_menu(self):
        """Right-clicks the first entry; the menu's window or None."""
        self.focus()
        xdo("mousemove", "--window", self.wid, "20", "44")
        time.sleep(0.5)
        before = visible()
        xdo("click", "3")
        menu = wait_for(lambda: new_windows(before), self.left())
        return menu[0] if menu else None

    def menu_and_close(self):
        menu = self.entry_menu()
        if not menu:
            return "the menu did not open"
        time.sleep(0.5)
        xdo("key", "Escape")
        if not wait_for(lambda: menu not in visible(), self.left()):
            return "the menu stayed"
        return None

    def click_entry(self):
        self.focus()
        xdo("mousemove", "--window", self.wid, "20", "44")
        time.sleep(0.3)
        xdo("click", "1")
        return None

    def properties(self):
        menu = self.entry_menu()
        if not menu:
            return "the menu did not open"
        time.sleep(0.3)
        xdo("key", "p")
        dialog = wait_for(lambda: xdo("search", "--onlyvisible", "--name", "^ボタンのプロパティ$").stdout.split(),
                          self.left())
        if not dialog:
            return "no properties dialog"
        time.sleep(0.5)
        xdo("windowactivate", dialog[0])
        xdo("key", "Return")  # OK is the default button
        if not wait_for(lambda: dialog[0] not in visible(), self.left()):
            return "the dialog stayed"
        return None

    def open_folder(self):
        menu = self.entry_menu()
        if not menu:
            return "the menu did not open"
        time.sleep(0.3)
        xdo("key", "f")
        if not wait_for(lambda: menu not in visible(), self.left()):
            return "the menu stayed"
        # The folder's window is another process's: only the program's
        # window is measured.
        return None

    def switch_page(self):
        self.focus()
        xdo("key", "period")
        return None

    def end_program(self, force=False):
        """Ends the program: WM_CLOSE first unless `force`, then a kill, and
        waits until its process is gone, so that the next start is no second
        instance and no window of this one is taken for the next one's. A
        thread waiting for the share ends only when its lookup is answered."""
        self.saved = False
        if not force and wine_process("Vantor.exe"):
            subprocess.run(["timeout", "30", "wine", "taskkill", "/im", "Vantor.exe"],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.saved = bool(wait_for(lambda: not wine_process("Vantor.exe"), 30))
        pid = wine_process("Vantor.exe")
        if pid:
            try:
                os.kill(pid, signal.SIGKILL)
            except OSError:
                pass
            wait_for(lambda: process_gone(pid), 120)
        if self.proc:
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
        self.wid = None
        end_started_programs()

    def close(self):
        self.end_program()

    def closed_page(self):
        """The current page the program saved as it ended, or None."""
        if not self.saved:
            return None
        try:
            return read_ini(self.data / "Vantor.ini").get("settings", {}).get("currentpage")
        except OSError:
            return None


def run_actions(args, share, probe, drive_folder, quiet, budget_end, server, bystander):
    """Every action once on entries in `drive_folder`, while the time budget
    lasts; {action: Result}."""
    session = Session(args, share, probe, drive_folder, quiet, server, bystander)
    results = {}
    try:
        results["start"] = session.measure(session.start, fresh=True)
        # The actions that start another program on the share come last: that
        # program goes on reading the share (and holding up the Wine server)
        # after it is ended.
        for key, steps in (("menu", session.menu_and_close), ("properties", session.properties),
                           ("switch", session.switch_page), ("open_folder", session.open_folder),
                           ("click", session.click_entry)):
            if time.time() > budget_end:
                results[key] = Result(note=f"not measured: the bench's {args.budget:.0f} s were spent")
                continue
            results[key] = session.measure(steps)
    finally:
        session.close()
    switch = results.get("switch")
    if switch and switch.longest is not None and session.closed_page() not in ("1", None):
        switch.note = "; ".join(n for n in (switch.note, "the second page was not the current one at the end") if n)
    return results


def covered(a, b, spans):
    """How much of [a, b] the spans cover (overlaps counted once)."""
    total, reach = 0.0, a
    for s, e in sorted(spans):
        s, e = max(s, reach), min(e, b)
        if e > s:
            total += e - s
            reach = e
    return total


def padded(text, width):
    """`text` filled to `width` terminal columns (a Japanese character takes two)."""
    columns = sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in text)
    return text + " " * max(0, width - columns)


def shown_ms(result):
    if result is None or result.longest is None:
        return "-"
    return (">" if result.at_least else "") + f"{result.longest:.0f} ms"


def ratio(slow, local):
    if not (slow and local) or slow.longest is None or not local.longest:
        return ""
    r = slow.longest / max(local.longest, 1.0)
    return f"; {'>' if slow.at_least else ''}{r:.1f}x" if r < 10 else f"; {'>' if slow.at_least else ''}{r:.0f}x"


def report(args, local, slow):
    print(f"longest time the window left WM_NULL unanswered (asked every 50 ms), entries whose targets are on a "
          f"share where every lookup takes {args.delay:g} s (S:),")
    print(f"against the same entries on drive C: in the same run; an action lasts until the window has answered for "
          f"{args.delay + 1:g} s (C: 2 s),")
    print(f"{args.cap:.0f} s at most (then '>'), and a window that did not answer by then is restarted for the next "
          "action.")
    print("Under Wine the server opens files itself and serves every thread of every program of the session: a "
          "lookup it makes on the share holds up every window; such waits are shown apart.")
    for key, label in ACTIONS:
        s, c = slow.get(key), local.get(key)
        notes = "; ".join(f"{where} {r.note}" for where, r in (("S:", s), ("C:", c)) if r and r.note)
        print(f"  {padded(label, 40)} longest unanswered: {shown_ms(s):>10}  (drive C: {shown_ms(c)}{ratio(s, c)})  "
              f"share lookups: {s.lookups if s else 0} (C: run {c.lookups if c else 0})" +
              (f"  [{notes}]" if notes else ""), flush=True)
        if s and s.bystander is not None and s.bystander >= PROMPT_MS:
            print(f"      another program's empty window, asked the same way meanwhile: {s.bystander:.0f} ms unanswered",
                  flush=True)
        if s and s.server and s.server[1] >= 100:
            count, took, left = s.server
            print(f"      the Wine server waited on the share for {took / 1000:.1f} s ({count} lookups of its own); "
                  f"the longest wait outside those times: {left:.0f} ms", flush=True)
        if s and s.on_window_thread:
            shown = ", ".join(s.on_window_thread[:6]) + (" …" if len(s.on_window_thread) > 6 else "")
            print(f"      asked by the window's own thread: {len(s.on_window_thread)} ({shown})", flush=True)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--exe", required=True, help="Vantor.exe")
    ap.add_argument("--probe", required=True, help="answer_probe.exe")
    ap.add_argument("--tool", required=True, help="empty_window.exe, the program the entries start")
    ap.add_argument("--share", required=True, help="the slow_share program")
    ap.add_argument("--work", required=True, help="a folder of the build for the mount point and the log")
    ap.add_argument("--delay", type=float, default=5.0, help="seconds each lookup on the share takes")
    ap.add_argument("--cap", type=float, default=30.0, help="seconds an action may take at most")
    ap.add_argument("--recover", type=float, default=15.0,
                    help="seconds to wait for the window to answer again before the next action, then a restart")
    ap.add_argument("--budget", type=float, default=480.0, help="seconds after which no action is begun")
    args = ap.parse_args()
    # Ended by a timeout, the share is still unmounted and the drive removed.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    prefix = Path(os.environ["WINEPREFIX"])
    folder = prefix / "drive_c" / "slowbench"
    folder.mkdir(parents=True, exist_ok=True)
    shutil.copy(args.exe, folder / "Vantor.exe")
    shutil.copy(args.probe, folder / "answer_probe.exe")
    shutil.copy(args.tool, folder / "bystander.exe")
    make_files(folder / "local", args.tool)
    work = Path(args.work).resolve()
    make_files(work / "share-content", args.tool)
    drive = prefix / "dosdevices" / "s:"
    try:
        with SlowShare(args.share, work / "share-content", work / "slow-share", work / "slow-share.log",
                       args.delay) as share:
            if drive.is_symlink() or drive.exists():
                drive.unlink()
            drive.symlink_to(work / "slow-share")
            # One probe for both runs keeps Wine up between them; when Wine
            # starts it reads the new drive's label, before anything is timed.
            probe = Probe(FOLDER + "\\answer_probe.exe")
            server = ServerWatch()
            # Another program's empty window, asked the same way: what holds
            # it up holds up the whole session, not the program.
            empty = subprocess.Popen(["wine", FOLDER + "\\bystander.exe"], stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
            bystander = Probe(FOLDER + "\\answer_probe.exe", "EmptyWindow")
            try:
                probe.ready.wait(60)
                share.wait_idle(3 * args.delay + 5)
                budget_end = time.time() + args.budget
                local = run_actions(args, share, probe, FOLDER + "\\local", 2.0, budget_end, server, bystander)
                slow = run_actions(args, share, probe, "S:", args.delay + 1, budget_end, server, bystander)
            finally:
                probe.stop()
                bystander.stop()
                empty.kill()
                server.stop()
                drive.unlink()
    except ShareUnavailable as e:
        print(f"slow share: skipped ({e}); the slow-share figures need FUSE (fuse3, /dev/fuse, the right to mount)")
        return 0
    report(args, local, slow)
    return 0


if __name__ == "__main__":
    sys.exit(main())
