#!/usr/bin/env python3
"""End-to-end tests: the real Vantor.exe under Wine and Xvfb.

Each case gets a data folder of its own on drive C: of the Wine prefix (the
program only runs from a fixed disk), starts the program with /d, waits for its
window, takes a screenshot, ends it gracefully (taskkill without /f posts
WM_CLOSE) and checks what it wrote. Every wait is bounded.

The environment (DISPLAY, WINEPREFIX) comes from ./dev.
"""
import argparse
import os
import shutil
import subprocess
import sys
import time
import traceback
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import e2e_lib  # noqa: E402
import e2e_cases  # noqa: E402,F401  (registers the cases)
import e2e_shots  # noqa: E402,F401
import e2e_system_buttons  # noqa: E402,F401
import e2e_settings_dialogs  # noqa: E402,F401
import e2e_edit_dialogs  # noqa: E402,F401
import e2e_dpi  # noqa: E402,F401
import e2e_data_folder  # noqa: E402,F401
import e2e_help  # noqa: E402,F401
import e2e_manual_shots  # noqa: E402,F401
import e2e_native  # noqa: E402,F401
import e2e_screen_edges  # noqa: E402,F401


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--exe", required=True)
    ap.add_argument("--work", required=True)
    ap.add_argument("--expected", required=True)
    ap.add_argument("--shots-only", action="store_true")
    ap.add_argument("--update", action="store_true", help="with --shots-only: make the shots the references")
    ap.add_argument("--manual", action="store_true", help="with --shots-only: also the pictures only the manual shows")
    ap.add_argument("-k", dest="filters", action="append", default=[],
                    help="run the cases whose name holds this text (repeatable: any of them)")
    ap.add_argument("--native-marker", help="the 64-bit build's tests/win/native_marker.exe")
    args = ap.parse_args()

    work = Path(args.work)
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    env = e2e_lib.Env(Path(args.exe), work, Path(args.expected), args.shots_only)
    env.update_expected = args.shots_only and args.update
    env.native_marker = Path(args.native_marker) if args.native_marker else None
    # A run killed inside a 144-DPI case leaves its prefix at 144: start from 96.
    e2e_lib.set_screen_dpi(e2e_lib.NORMAL_DPI)
    failures = []
    cases = [c for c in e2e_lib.CASES if not args.filters or any(f in c.__name__ for f in args.filters)]
    # A name that picks nothing (a case renamed since) must not pass unnoticed.
    unmatched = [f for f in args.filters if not any(f in c.__name__ for c in e2e_lib.CASES)]
    if unmatched:
        print(f"no case matches {unmatched}", flush=True)
        return 2
    if args.shots_only:
        cases = [c for c in cases if getattr(c, "shot", False)]
    if not (args.shots_only and args.manual):
        cases = [c for c in cases if not getattr(c, "manual", False)]
    for case in cases:
        name = case.__name__
        start = time.time()
        try:
            case(env)
            print(f"[ OK ] {name} ({time.time() - start:.1f}s)", flush=True)
        except Exception:  # report every failing case, not just the first
            failures.append(name)
            print(f"[FAIL] {name}", flush=True)
            traceback.print_exc()
        finally:
            env.kill_all()
    print(f"{len(cases) - len(failures)} passed, {len(failures)} failed", flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
