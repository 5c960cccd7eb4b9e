"""Helpers for the end-to-end cases: Wine processes, windows, screenshots."""
import os
import shutil
import subprocess
import time
from pathlib import Path

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


class Env:
    def __init__(self, exe, work, expected, shots_only):
        self.exe = exe
        self.work = work
        self.expected = expected
        self.shots_only = shots_only
        self.prefix = Path(os.environ["WINEPREFIX"])
        self.drive_c = self.prefix / "drive_c"
        self.procs = []
        self.program_dir = self.drive_c / "Vantor"
        self.program_dir.mkdir(parents=True, exist_ok=True)
        shutil.copy(exe, self.program_dir / "Vantor.exe")

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

    # -- processes ----------------------------------------------------------
    def wine(self, *args, timeout=60, check_rc=False):
        r = subprocess.run(["timeout", "--kill-after=5", str(timeout), "wine", *args],
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

    def window_geometry(self, wid):
        r = subprocess.run(["xdotool", "getwindowgeometry", "--shell", wid], stdout=subprocess.PIPE,
                           text=True, timeout=10)
        return dict(line.split("=", 1) for line in r.stdout.split())

    def screenshot(self, name):
        path = self.work / f"{name}.png"
        subprocess.run(["import", "-window", "root", str(path)], timeout=30, check=True)
        return path
