#!/usr/bin/env python3
"""Start-up to a shown window under Wine: Vantor.exe with a full data set
(32 pages of 128 entries) against an empty Win32 window of the same kind,
measured in the same run, alternating, so the ratio holds when the machine's
speed drifts, at 96 DPI and then for a few runs at 144 DPI. (Memory is
measured in bench/idle_wine.py, the same way for the program and an empty
window.)
Needs DISPLAY and WINEPREFIX (./dev bench sets them)."""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))
from e2e_lib import Entry, Page, PageSet, screen_dpi, write_pages  # noqa: E402


WAIT_SHOWN = ""


def full_set():
    pages = []
    for p in range(32):
        entries = []
        for i in range(128):
            if i % 16 == 15:
                entries.append(Entry("*Separator", "セパレータ"))
            else:
                target = ["C:\\windows\\notepad.exe", "C:\\windows\\regedit.exe", "C:\\windows",
                          "C:\\windows\\system32\\winecfg.exe", "http://example.com/"][i % 5]
                entries.append(Entry(target, f"アプリケーション {p + 1}-{i + 1}", f"app{i}", "/x", ""))
        pages.append(Page(f"ページ{p + 1}", p % 8, entries=entries))
    return PageSet(pages)


def close(image):
    subprocess.run(["timeout", "20", "wine", "taskkill", "/im", image], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def time_start(command, title, image):
    """Seconds from the start of the process until its window is shown, as the
    X server reports the map: no polling takes the processor from the program."""
    r = subprocess.run([WAIT_SHOWN, title, "50", "wine", *command], stdout=subprocess.PIPE,
                       stderr=subprocess.DEVNULL, text=True, timeout=60)
    if r.returncode != 0:
        close(image)
        raise SystemExit(f"{title} did not show within 50 s")
    close(image)
    # The next start should not meet this one still going.
    time.sleep(0.3)
    return float(r.stdout.split()[0])


def report_start_up(label, runs, vantor, baseline):
    ours, base = [], []
    for _ in range(runs):
        ours.append(time_start(*vantor))
        base.append(time_start(*baseline))
    ratios = [a / b for a, b in zip(ours, base)]
    print(f"start-up to a shown window {label}, {runs} runs, median (min-max):")
    print(f"  Vantor.exe, 32 pages x 128 entries: {statistics.median(ours) * 1000:.0f} ms "
          f"({min(ours) * 1000:.0f}-{max(ours) * 1000:.0f})")
    print(f"  empty Win32 window:                 {statistics.median(base) * 1000:.0f} ms "
          f"({min(base) * 1000:.0f}-{max(base) * 1000:.0f})")
    print(f"  ratio: {statistics.median(ratios):.2f} ({min(ratios):.2f}-{max(ratios):.2f})", flush=True)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--exe", required=True)
    ap.add_argument("--helper", required=True)
    ap.add_argument("--wait-shown", required=True, help="the bench/wait_shown.c program")
    ap.add_argument("--runs", type=int, default=11)
    ap.add_argument("--runs-144", type=int, default=7, help="runs at 144 DPI")
    args = ap.parse_args()
    global WAIT_SHOWN
    WAIT_SHOWN = args.wait_shown
    drive_c = Path(os.environ["WINEPREFIX"]) / "drive_c"
    folder = drive_c / "bench"
    shutil.rmtree(folder, ignore_errors=True)
    (folder / "Data").mkdir(parents=True)
    shutil.copy(args.exe, folder / "Vantor.exe")
    shutil.copy(args.helper, folder / "baseline.exe")
    (folder / "Data" / "Main.pag").write_bytes(write_pages(full_set()))
    (folder / "Data" / "Vantor.ini").write_bytes(b"[Settings]\r\nVersion=768\r\nAutoHide=0\r\n")
    vantor = (["C:\\bench\\Vantor.exe", "/d", "C:\\bench\\Data"], "Vantor", "Vantor.exe")
    baseline = (["C:\\bench\\baseline.exe", "--empty-window"], "Baseline", "baseline.exe")
    time_start(*vantor)  # warm-up: the first start pays for the file cache
    time_start(*baseline)
    report_start_up("at 96 DPI", args.runs, vantor, baseline)
    # Icons of another size, scaled fonts and a larger layout: a slower start
    # on a high-DPI screen should show here.
    with screen_dpi(144):
        report_start_up("at 144 DPI", args.runs_144, vantor, baseline)


if __name__ == "__main__":
    main()
