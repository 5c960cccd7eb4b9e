"""End-to-end case of the help: with the manual beside the program, the help
menu's key (F1), a dialog's help button and F1 in a dialog open the manual's
page in the user's browser. The browser is a recorder registered for .html in the prefix:
it writes down what it was asked to open."""
import shutil
import subprocess
from pathlib import Path

from e2e_cases import activate, menu_ini, press, rest_pointer_away
from e2e_lib import Page, PageSet, case, check, wait_until, write_pages

MANUAL = Path(__file__).resolve().parents[2] / "docs" / "manual"
PAGE_CLASS = "VantorE2E.Page"


def reg(env, *args):
    env.wine("reg", *args, "/f", check_rc=True)


def default_value(env, key):
    """A key's default value, or None when the key or the value is not there."""
    r = env.wine("reg", "query", key, "/ve")
    if r.returncode != 0 or "REG_SZ" not in r.stdout:
        return None
    return r.stdout.split("REG_SZ", 1)[1].strip() or None


def opened(record):
    if not record.exists():
        return []
    return [line.strip() for line in record.read_bytes().decode("cp932", "replace").splitlines() if line.strip()]


@case
def f1_and_a_help_button_open_the_manuals_page_in_the_browser(env):
    data, windata = env.data_folder("help")
    (data / "Main.pag").write_bytes(write_pages(PageSet([Page("一", 0)])))
    (data / "Vantor.ini").write_bytes(menu_ini())
    record = data / "opened.txt"
    manual = env.program_dir / "manual"
    shutil.rmtree(manual, ignore_errors=True)
    shutil.copytree(MANUAL, manual)
    previous = default_value(env, "HKCR\\.html")
    reg(env, "add", "HKCR\\.html", "/ve", "/d", PAGE_CLASS)
    reg(env, "add", f"HKCR\\{PAGE_CLASS}\\shell\\open\\command", "/ve", "/d",
        f"C:\\windows\\system32\\cmd.exe /c echo %1>>{windata}\\opened.txt")
    try:
        rest_pointer_away()
        proc = env.start("/d", windata)
        wid = env.wait_window()
        activate(wid)
        press("F1")
        wait_until(lambda: opened(record), 20, "the browser to be asked for the manual")
        check(opened(record) == ["C:\\Vantor\\manual\\index.html"], f"opened {opened(record)}")
        # The settings dialog's second tab: its help button, and F1 there.
        press("ctrl+o")
        env.wait_window("^設定$", timeout=20)
        press("Right", "alt+h")
        wait_until(lambda: len(opened(record)) == 2, 20, "the settings tab's page")
        press("ctrl+Tab", "F1")
        wait_until(lambda: len(opened(record)) == 3, 20, "the next tab's page")
        check(opened(record)[1:] == ["C:\\Vantor\\manual\\settings-interval.html",
                                     "C:\\Vantor\\manual\\settings-layout.html"], f"opened {opened(record)}")
        press("Escape")
        wait_until(lambda: not env.find_windows("^設定$"), 10, "the dialog to close")
        rc = env.close(proc)
        check(rc == 0, f"exit code {rc}")
    finally:
        if previous:
            env.wine("reg", "add", "HKCR\\.html", "/ve", "/d", previous, "/f")
        else:
            env.wine("reg", "delete", "HKCR\\.html", "/f")
        env.wine("reg", "delete", f"HKCR\\{PAGE_CLASS}", "/f")
        shutil.rmtree(manual, ignore_errors=True)
