"""End-to-end cases of the organise dialog: opened from the main menu, an
entry dragged from the entry list onto another page, OK, and the saved
Main.pag holds the move; a screenshot of the dialog per locale."""
import subprocess
import time

from e2e_lib import Entry, activate, Page, PageSet, case, check, read_pages, wait_until, write_pages
from e2e_system_buttons import check_shot, locale_suffix, press, system_button_ini, visible_windows, xdo

# The dialog's template in pixels (its units are 1.5 pixels across and
# about 1.49 down with the dialog font): the two lists start 36 pixels down,
# the page list 18 and the entry list 253 pixels in; a row is about 17 high.
LIST_TOP = 36
PAGE_LIST_LEFT = 18
ENTRY_LIST_LEFT = 253
ROW = 17


def row_centre(left, row):
    return left + 40, LIST_TOP + 3 + ROW * row + ROW // 2


def drag(wid, start, end):
    xdo("mousemove", "--window", wid, str(start[0]), str(start[1]))
    time.sleep(0.3)
    xdo("mousedown", "1")
    time.sleep(0.3)
    # In steps, past the drag threshold first, as a hand moves.
    for i in range(1, 11):
        x = start[0] + (end[0] - start[0]) * i // 10
        y = start[1] + (end[1] - start[1]) * i // 10
        xdo("mousemove", "--window", wid, str(x), str(y))
        time.sleep(0.05)
    time.sleep(0.3)
    xdo("mouseup", "1")
    time.sleep(0.5)


@case(shot=True)
def organise_dialog_moves_a_dragged_entry_to_another_page(env):
    data, windata = env.data_folder("organise")
    notepad = "C:\\windows\\notepad.exe"
    pages = [Page("一", 0, entries=[Entry(notepad, t) for t in ("メモ帳", "電卓", "端末")]), Page("二", 0)]
    (data / "Main.pag").write_bytes(write_pages(PageSet(pages)))
    (data / "Vantor.ini").write_bytes(system_button_ini(windata))
    xdo("mousemove", "40", "1000")
    proc = env.start("/d", windata)
    wid = env.wait_window()
    activate(wid)
    before = visible_windows()
    press("ctrl+alt+m")
    wait_until(lambda: visible_windows() - before, 10, "the main menu")
    press("e")  # 編集(&E)...
    dialog = env.wait_window("^編集$", timeout=20)
    activate(dialog)
    time.sleep(0.8)
    g = env.window_geometry(dialog)
    shot = env.work / "organise.png"
    subprocess.run(["import", "-window", dialog, str(shot)], timeout=30, check=True)
    check(int(g["WIDTH"]) == 497, f"the dialog is {g['WIDTH']} pixels wide, 497 expected")
    check_shot(env, shot, "organise_" + locale_suffix())
    drag(dialog, row_centre(ENTRY_LIST_LEFT, 0), row_centre(PAGE_LIST_LEFT, 1))
    press("Return")  # OK
    wait_until(lambda: not env.find_windows("^編集$"), 10, "the dialog to close")
    rc = env.close(proc)
    check(rc == 0, f"exit code {rc}")
    saved = read_pages((data / "Main.pag").read_bytes()).pages
    titles = [[e.title for e in p.entries] for p in saved]
    check(titles == [["電卓", "端末"], ["メモ帳"]], f"saved pages {titles}")


def shoot(env, wid, name):
    time.sleep(0.8)
    shot = env.work / f"{name}.png"
    subprocess.run(["import", "-window", wid, str(shot)], timeout=30, check=True)
    check_shot(env, shot, f"{name}_{locale_suffix()}")


@case(shot=True)
def properties_dialogs_change_the_focused_entry_and_the_page(env):
    data, windata = env.data_folder("properties")
    notepad = "C:\\windows\\notepad.exe"
    pages = [Page("一", 0, entries=[Entry(notepad, "メモ帳", "memo")])]
    (data / "Main.pag").write_bytes(write_pages(PageSet(pages)))
    (data / "Vantor.ini").write_bytes(system_button_ini(windata))
    xdo("mousemove", "40", "1000")
    proc = env.start("/d", windata)
    wid = env.wait_window()
    activate(wid)
    time.sleep(0.5)
    press("ctrl+p")  # ボタンのプロパティ of the focused entry
    dialog = env.wait_window("^ボタンのプロパティ$", timeout=20)
    activate(dialog)
    shoot(env, dialog, "entry_properties")
    # The title has the focus first: Tab twice to the keyword, replaced.
    press("Tab", "Tab", "ctrl+a", "k", "Return")
    wait_until(lambda: not env.find_windows("^ボタンのプロパティ$"), 10, "the entry dialog to close")
    activate(wid)
    press("shift+ctrl+p")  # ページのプロパティ of the current page
    dialog = env.wait_window("^ページのプロパティ$", timeout=20)
    activate(dialog)
    shoot(env, dialog, "page_properties")
    press("ctrl+a", "z", "Return")
    wait_until(lambda: not env.find_windows("^ページのプロパティ$"), 10, "the page dialog to close")
    rc = env.close(proc)
    check(rc == 0, f"exit code {rc}")
    page = read_pages((data / "Main.pag").read_bytes()).pages[0]
    check(page.caption == "z", f"caption {page.caption!r}, 'z' expected")
    entry = page.entries[0]
    check((entry.title, entry.keyword, entry.link_to) == ("メモ帳", "k", notepad),
          f"entry {(entry.title, entry.keyword, entry.link_to)}")


@case
def the_properties_dialog_takes_an_https_address_as_the_target(env):
    """A secure web address typed as the entry's target is taken as a web
    address (no "not found" box), and saved as typed."""
    data, windata = env.data_folder("https")
    notepad = "C:\\windows\\notepad.exe"
    (data / "Main.pag").write_bytes(write_pages(PageSet([Page("一", 0, entries=[Entry(notepad, "メモ帳")])])))
    (data / "Vantor.ini").write_bytes(system_button_ini(windata))
    xdo("mousemove", "40", "1000")
    proc = env.start("/d", windata)
    wid = env.wait_window()
    activate(wid)
    time.sleep(0.5)
    press("ctrl+p")
    dialog = env.wait_window("^ボタンのプロパティ$", timeout=20)
    activate(dialog)
    time.sleep(0.5)
    press("Tab", "ctrl+a")  # the title has the focus first; the target is next
    xdo("type", "--delay", "40", "https://example.com/")
    press("Return")
    # A target refused puts up its box and leaves the dialog open.
    wait_until(lambda: not env.find_windows("^ボタンのプロパティ$"), 10, "the dialog to close on OK")
    rc = env.close(proc)
    check(rc == 0, f"exit code {rc}")
    entry = read_pages((data / "Main.pag").read_bytes()).pages[0].entries[0]
    check(entry.link_to == "https://example.com/", f"target {entry.link_to!r}")
