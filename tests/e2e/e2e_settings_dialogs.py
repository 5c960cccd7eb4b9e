"""End-to-end cases of the settings, run-with-arguments and about dialogs,
opened as a user opens them: through the main menu and the entry menu."""
import subprocess
import time

from e2e_cases import activate, menu_ini, popup_at, rest_pointer_away
from e2e_lib import Entry, Page, PageSet, case, check, read_ini, wait_until, write_pages
from e2e_system_buttons import check_shot, locale_suffix, press, visible_windows

PAGE_COUNT = 16


def shoot(env, wid, name):
    """The dialog's own pixels, compared with the reference of this locale."""
    time.sleep(0.5)
    shot = env.work / f"{name}.png"
    subprocess.run(["import", "-window", wid, str(shot)], timeout=30, check=True)
    check_shot(env, shot, f"{name}_{locale_suffix()}")


def start_with_menu(env, name, entries=(), ini=None):
    data, windata = env.data_folder(name)
    (data / "Main.pag").write_bytes(write_pages(PageSet([Page("一", 0, entries=list(entries))])))
    (data / "Vantor.ini").write_bytes(ini if ini is not None else menu_ini())
    rest_pointer_away()
    proc = env.start("/d", windata)
    wid = env.wait_window()
    activate(wid)
    return data, proc, wid


def open_settings(env, wid):
    """設定(&O)... from the main menu; the dialog's window."""
    popup_at(wid, 200, 400, "the main menu")
    press("o")
    return env.wait_window("^設定$", timeout=20)


@case(shot=True)
def settings_dialog_shows_every_page_and_cancel_changes_nothing(env):
    data, proc, wid = start_with_menu(env, "settings_dialog")
    dialog = open_settings(env, wid)
    # The tab strip has the focus: Right shows the next page.
    for page in range(PAGE_COUNT):
        shoot(env, dialog, f"settings_{page:02d}")
        press("Right")
    press("Home", "alt+t")  # the first page's tray-icon box, unticked
    press("Escape")
    wait_until(lambda: not env.find_windows("^設定$"), 10, "the dialog to close")
    rc = env.close(proc)
    check(rc == 0, f"exit code {rc}")
    check(read_ini(data / "Vantor.ini")["settings"].get("showicon") == "1", "Cancel changed ShowIcon")


@case()
def ctrl_tab_steps_through_the_settings_pages(env):
    data, proc, wid = start_with_menu(env, "settings_ctrl_tab")
    open_settings(env, wid)
    # Back round the first page to the last and forward again, then on to
    # 隠れ方 (the fourth page), where Alt+F is a box of that page only.
    press("ctrl+shift+Tab", "ctrl+Tab", "ctrl+Next", "ctrl+Next", "ctrl+Tab", "ctrl+Tab", "ctrl+Prior")
    press("alt+f", "Return")
    wait_until(lambda: not env.find_windows("^設定$"), 10, "the dialog to close")
    settings = read_ini(data / "Vantor.ini")["settings"]
    check(settings.get("quietoverfullscreen") == "0", "the keys did not reach the fourth page")
    rc = env.close(proc)
    check(rc == 0, f"exit code {rc}")


@case(shot=True)
def settings_dialog_ok_applies_a_changed_field(env):
    data, proc, wid = start_with_menu(env, "settings_ok")
    open_settings(env, wid)
    press("alt+s")  # データを自動保存する(&S), on at first
    press("Return")
    wait_until(lambda: not env.find_windows("^設定$"), 10, "the dialog to close")
    # OK writes the file at once, before the program ends.
    check(read_ini(data / "Vantor.ini")["settings"].get("autosave") == "0", "OK did not store AutoSave")
    rc = env.close(proc)
    check(rc == 0, f"exit code {rc}")


@case(shot=True)
def about_box_and_run_with_arguments_from_their_menus(env):
    data, proc, wid = start_with_menu(env, "about", [Entry("C:\\windows\\notepad.exe", "メモ帳", "", "/stored")])
    popup_at(wid, 200, 400, "the main menu")
    press("h", "Up", "Return")  # ヘルプ(&H), its last item: バージョン情報(&B)...
    about = env.wait_window("^バージョン情報$", timeout=20)
    shoot(env, about, "about")
    press("Return")
    wait_until(lambda: not env.find_windows("^バージョン情報$"), 10, "the about box to close")
    popup_at(wid, 20, 44, "the entry's menu")
    press("a")  # 引数を指定して実行(&A)...
    run = env.wait_window("^引数を指定して実行$", timeout=20)
    shoot(env, run, "run_with_arguments")
    press("Escape")
    wait_until(lambda: not env.find_windows("^引数を指定して実行$"), 10, "the dialog to close")
    rc = env.close(proc)
    check(rc == 0, f"exit code {rc}")
