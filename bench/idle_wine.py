#!/usr/bin/env python3
"""What the program costs while nobody uses it, under Wine: Vantor.exe with
default settings (no Vantor.ini) and a full data set (32 pages of 128
entries) beside an empty Win32 window (bench/empty_window.c), both up, the
pointer away from both.

- Processor time (utime + stime of /proc/<pid>/stat) of each and of the
  prefix's wineserver over the same idle period, as seconds per minute; the
  wineserver also over a stretch just before the program starts, with only
  the empty window up, so that the difference is what it does for the
  program.
- Private memory of each by one method, the pages only that process has
  (Private_Clean + Private_Dirty of /proc/<pid>/smaps_rollup), once start-up
  has settled and again after the idle period.
Needs DISPLAY and WINEPREFIX (./dev bench sets them)."""
import argparse
import os
import shutil
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from startup_wine import full_set  # noqa: E402
from wine_procs import cpu_seconds, private_bytes, wine_process, wineserver_pid  # noqa: E402

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))
from e2e_lib import write_pages  # noqa: E402

MB = 1024 * 1024


def xdo(*args):
    return subprocess.run(["xdotool", *args], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                          timeout=10)


def wait_shown(title, timeout=60):
    deadline = time.time() + timeout
    while time.time() < deadline:
        found = xdo("search", "--onlyvisible", "--name", f"^{title}$").stdout.split()
        if found:
            return found[0]
        time.sleep(0.2)
    raise SystemExit(f"{title} did not show within {timeout} s")


def wait_process(image, timeout=30):
    deadline = time.time() + timeout
    while time.time() < deadline:
        pid = wine_process(image)
        if pid:
            return pid
        time.sleep(0.2)
    raise SystemExit(f"no process for {image}")


def rectangle(wid):
    g = dict(line.split("=", 1) for line in xdo("getwindowgeometry", "--shell", wid).stdout.split() if "=" in line)
    return int(g["X"]), int(g["Y"]), int(g["WIDTH"]), int(g["HEIGHT"])


def pointer_away(windows):
    """Rests the pointer on a point of the screen inside no window and away
    from the edges (where a hidden window would come back)."""
    rects = [rectangle(w) for w in windows]
    for x, y in [(640, 512), (200, 850), (1050, 880), (640, 900), (300, 300)]:
        if not any(rx - 20 <= x <= rx + rw + 20 and ry - 20 <= y <= ry + rh + 20 for rx, ry, rw, rh in rects):
            xdo("mousemove", str(x), str(y))
            return
    xdo("mousemove", "640", "1000")


def cpu_over(pids, seconds):
    """Processor seconds each process used over `seconds` of wall time, scaled
    to a minute."""
    before = {p: cpu_seconds(p) for p in pids}
    start = time.perf_counter()
    time.sleep(seconds)
    elapsed = time.perf_counter() - start
    return {p: (cpu_seconds(p) - before[p]) * 60 / elapsed for p in pids}


def close(image):
    subprocess.run(["timeout", "30", "wine", "taskkill", "/im", image], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--exe", required=True, help="Vantor.exe")
    ap.add_argument("--empty", required=True, help="empty_window.exe")
    ap.add_argument("--seconds", type=float, default=60, help="the idle period")
    ap.add_argument("--floor-seconds", type=float, default=30, help="the wineserver with only the empty window, before")
    ap.add_argument("--settle", type=float, default=15, help="seconds after both windows show")
    args = ap.parse_args()
    folder = Path(os.environ["WINEPREFIX"]) / "drive_c" / "idle"
    shutil.rmtree(folder, ignore_errors=True)
    (folder / "Data").mkdir(parents=True)
    shutil.copy(args.exe, folder / "Vantor.exe")
    shutil.copy(args.empty, folder / "empty_window.exe")
    # Default settings: no Vantor.ini.
    (folder / "Data" / "Main.pag").write_bytes(write_pages(full_set()))

    empty_proc = subprocess.Popen(["wine", "C:\\idle\\empty_window.exe"], stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
    vantor_proc = None
    try:
        windows = [wait_shown("Empty")]
        empty = wait_process("empty_window.exe")
        server = wineserver_pid()
        if not server:
            raise SystemExit("no wineserver for this prefix")
        # What the wineserver does for Wine's own processes and an empty
        # window, before the program starts.
        pointer_away(windows)
        time.sleep(5)
        floor = cpu_over([server], args.floor_seconds)[server]
        vantor_proc = subprocess.Popen(["wine", "C:\\idle\\Vantor.exe", "/d", "C:\\idle\\Data"],
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        windows.append(wait_shown("Vantor"))
        vantor = wait_process("Vantor.exe")
        pointer_away(windows)
        time.sleep(args.settle)
        memory_settled = {p: private_bytes(p) for p in (vantor, empty)}
        cpu = cpu_over([vantor, empty, server], args.seconds)
        memory_idle = {p: private_bytes(p) for p in (vantor, empty)}
    finally:
        close("Vantor.exe")
        close("empty_window.exe")
        for p in (vantor_proc, empty_proc):
            try:
                if p:
                    p.wait(30)
            except subprocess.TimeoutExpired:
                p.kill()

    print(f"idle processor time (utime+stime), {args.seconds:.0f} s with both windows up and the pointer away, "
          "in seconds per minute:")
    print(f"  Vantor.exe, default settings, 32 pages x 128 entries: {cpu[vantor]:.3f} s/min")
    print(f"  empty Win32 window:                                   {cpu[empty]:.3f} s/min")
    print(f"  program - empty window:                               {cpu[vantor] - cpu[empty]:+.3f} s/min")
    print(f"  wineserver, serving both:                             {cpu[server]:.3f} s/min "
          f"(the {args.floor_seconds:.0f} s before with only the empty window: {floor:.3f} s/min; "
          f"difference {cpu[server] - floor:+.3f} s/min)")
    print("private memory (Private_Clean + Private_Dirty of smaps_rollup, the same for both), "
          f"{args.settle:.0f} s after the windows showed and after the idle period:")
    print(f"  Vantor.exe, 32 pages x 128 entries: {memory_settled[vantor] / MB:.1f} MB, "
          f"then {memory_idle[vantor] / MB:.1f} MB")
    print(f"  empty Win32 window:                 {memory_settled[empty] / MB:.1f} MB, "
          f"then {memory_idle[empty] / MB:.1f} MB")
    print(f"  program - empty window:             {(memory_settled[vantor] - memory_settled[empty]) / MB:+.1f} MB, "
          f"then {(memory_idle[vantor] - memory_idle[empty]) / MB:+.1f} MB", flush=True)


if __name__ == "__main__":
    main()
