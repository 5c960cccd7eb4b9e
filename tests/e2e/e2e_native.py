"""The native System32 of a 64-bit prefix: what only it holds is started
from either build (the 32-bit one runs under WOW64, where System32 means
SysWOW64)."""
import shutil

from e2e_cases import keyboard_ini, press, rest_pointer_away
from e2e_lib import CaseFailure, Entry, Page, PageSet, activate, case, check, read_pages, wait_until, write_pages

NATIVE_NAME = "vantor_native_marker.exe"


@case
def a_program_only_in_the_native_system32_starts_from_there(env):
    if not env.native_marker:
        raise CaseFailure("run_e2e.py needs --native-marker (the 64-bit build's tests/win/native_marker.exe)")
    windows = env.drive_c / "windows"
    check((windows / "syswow64").is_dir(), "the prefix is not a 64-bit one")
    installed = windows / "system32" / NATIVE_NAME
    shutil.copy(env.native_marker, installed)
    try:
        check(not (windows / "syswow64" / NATIVE_NAME).exists(), "SysWOW64 holds the program too")
        data, windata = env.data_folder("native_system32")
        target = "C:\\windows\\system32\\" + NATIVE_NAME
        entry = Entry(target, "ネイティブ", "", f"{windata}\\started.txt", "C:\\windows\\system32", 7)
        (data / "Main.pag").write_bytes(write_pages(PageSet([Page("一", 0, entries=[entry])])))
        (data / "Vantor.ini").write_bytes(keyboard_ini(CurrentButton=0))
        rest_pointer_away()
        proc = env.start("/d", windata)
        wid = env.wait_window()
        activate(wid)
        press("Return")
        marker = data / "started.txt"

        def report():
            text = marker.read_text(encoding="utf-8") if marker.exists() else ""
            return dict(line.split("=", 1) for line in text.splitlines() if "=" in line) if "beside=" in text else None

        started = wait_until(report, 20, "the native program's file")
        rc = env.close(proc)
        check(rc == 0, f"exit code {rc}")
        # The working folder reached the 64-bit program as written, so it
        # reads it as the native System32, where it lies itself.
        check(started["folder"].lower() == "c:\\windows\\system32" and started["beside"] == "1",
              f"started with {started}")
        history = read_pages((data / "History.pag").read_bytes()).pages[0].entries
        check([e.link_to for e in history] == [target], f"the history keeps {[e.link_to for e in history]}")
        check(read_pages((data / "Main.pag").read_bytes()).pages[0].entries[0].link_to == target,
              "the entry keeps its target as written")
    finally:
        installed.unlink(missing_ok=True)
