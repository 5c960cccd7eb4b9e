#!/usr/bin/env python3
"""A minute of random pointer, wheel and key events on Vantor's window under
Wine. The data folder's entries start only harmless programs (cmd /c exit,
minimised); message boxes and dialogs are answered with Escape, which never
agrees to a deletion. Afterwards the program must still answer and end on
WM_CLOSE with exit code 0, and the saved Main.pag must load and hold every
entry it started with (the order may change, copies may be added).
Needs DISPLAY and WINEPREFIX (./dev bench sets them)."""
import argparse
import random
import shutil
import subprocess
import sys
import time
from collections import Counter
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))
from e2e_lib import Entry, Page, PageSet, read_pages, write_pages  # noqa: E402

# Keys that move, switch, start or open, never one that cuts or deletes
# without a question (Ctrl+X, the menus' mnemonics).
KEYS = ["Left", "Right", "Up", "Down", "Prior", "Next", "Home", "End", "comma", "period", "1", "2", "3",
        "KP_2", "Tab", "Escape", "Return", "shift+Left", "shift+Down", "ctrl+Right", "ctrl+Up", "ctrl+v",
        "Insert", "F9", "ctrl+c", "Delete", "shift+Delete", "ctrl+alt+m"]


def xdo(*args):
    return subprocess.run(["xdotool", *args], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                          timeout=10)


def visible():
    return set(xdo("search", "--onlyvisible", "--name", "").stdout.split())


def height(wid):
    g = dict(line.split("=", 1) for line in xdo("getwindowgeometry", "--shell", wid).stdout.split())
    return int(g.get("HEIGHT", "0"))


def answerable(own):
    """Menus, message boxes and dialogs that appeared; an entry's title
    popup (one line high) is no question."""
    return {w for w in visible() - own if height(w) > 30}


def harmless_set():
    run = ("C:\\windows\\system32\\cmd.exe", "/c exit")
    pages = []
    for p in range(3):
        entries = [Entry(run[0], f"無害 {p}-{i}", f"k{p}{i}", run[1], "", 7) for i in range(12)]
        entries.insert(5, Entry("*Separator", "セパレータ"))
        pages.append(Page(f"ページ{p + 1}", p * 3 % 8, entries=entries))
    return PageSet(pages)


def ini():
    lines = ["[Settings]", "Version=768", "AutoHide=0", "PageTabLayout=1", "CurrentPage=0",
             "[DockLocations]", "Left=700", "Top=100", "Width=500", "Height=600"]
    lines += [f"[{bar}]\r\nShow=0" for bar in ("SmartBar", "KeywordBar", "HistoryBar", "ResourceBar")]
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--exe", required=True)
    ap.add_argument("--seconds", type=float, default=60)
    ap.add_argument("--seed", type=int, default=int(time.time()))
    args = ap.parse_args()
    rng = random.Random(args.seed)
    drive_c = Path(subprocess.run(["winepath", "-u", "C:\\"], stdout=subprocess.PIPE, text=True).stdout.strip())
    data = drive_c / "monkey"
    shutil.rmtree(data, ignore_errors=True)
    data.mkdir(parents=True)
    given = harmless_set()
    (data / "Main.pag").write_bytes(write_pages(given))
    (data / "Vantor.ini").write_bytes(ini())
    shutil.copy(args.exe, drive_c / "monkey" / "Vantor.exe")

    proc = subprocess.Popen(["wine", "C:\\monkey\\Vantor.exe", "/d", "C:\\monkey"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.time() + 40
    wid = None
    while time.time() < deadline and not wid:
        found = xdo("search", "--onlyvisible", "--name", "^Vantor$").stdout.split()
        wid = found[0] if found else None
        time.sleep(0.3)
    if not wid:
        sys.exit("the window did not appear")
    own = visible()
    events = Counter()
    end = time.time() + args.seconds
    print(f"monkey: seed {args.seed}, {args.seconds:.0f} s")
    while time.time() < end:
        if proc.poll() is not None:
            sys.exit(f"Vantor.exe ended during the run (exit code {proc.returncode}, seed {args.seed})")
        extra = answerable(own)
        if extra:
            # A menu, message box or dialog: Escape, never Yes.
            xdo("key", "Escape")
            events["escape"] += 1
            time.sleep(0.2)
            if answerable(own) == extra:
                for w in extra:
                    xdo("windowactivate", w)
                    xdo("key", "Escape")
                time.sleep(0.3)
            continue
        g = dict(line.split("=", 1) for line in xdo("getwindowgeometry", "--shell", wid).stdout.split())
        x, y = rng.randrange(int(g["WIDTH"])), rng.randrange(int(g["HEIGHT"]))
        kind = rng.choice(["move", "click", "right", "wheel", "key", "key", "drag"])
        xdo("mousemove", "--window", wid, str(x), str(y))
        if kind == "click":
            xdo("click", "1")
        elif kind == "right":
            xdo("click", "3")
            time.sleep(0.3)
            xdo("key", "Escape")
        elif kind == "wheel":
            xdo("click", "--repeat", str(rng.randint(1, 3)), rng.choice(["4", "5"]))
        elif kind == "key":
            xdo("key", rng.choice(KEYS))
        elif kind == "drag":
            xdo("mousedown", "1")
            for _ in range(4):
                xdo("mousemove_relative", "--", str(rng.randint(-60, 60)), str(rng.randint(-60, 60)))
                time.sleep(0.05)
            xdo("mouseup", "1")
        events[kind] += 1
        time.sleep(0.05)
    # Whatever is still open goes, then the window must answer WM_CLOSE.
    for _ in range(5):
        if not answerable(own):
            break
        xdo("key", "Escape")
        time.sleep(0.3)
    subprocess.run(["wine", "taskkill", "/im", "Vantor.exe"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   timeout=30)
    try:
        rc = proc.wait(30)
    except subprocess.TimeoutExpired:
        proc.kill()
        sys.exit(f"Vantor.exe did not end on WM_CLOSE (seed {args.seed})")
    if rc != 0:
        sys.exit(f"exit code {rc} (seed {args.seed})")
    saved = read_pages((data / "Main.pag").read_bytes())
    have = Counter((e.link_to, e.title) for p in saved.pages for e in p.entries)
    want = Counter((e.link_to, e.title) for p in given.pages for e in p.entries)
    missing = want - have
    if missing:
        sys.exit(f"entries lost: {sorted(missing)} (seed {args.seed})")
    print(f"monkey: {sum(events.values())} events {dict(events)}; {len(saved.pages)} pages, "
          f"{sum(have.values())} entries, none lost")


if __name__ == "__main__":
    main()
