"""Pictures that only the manual shows: the main menu, the floating bars, the
caption strip with every system button and the screen-saver menu, the icon
chooser, the process picker and the broken-links dialog. They run only under
`./dev shot --manual` (run_e2e.py --shots-only --manual) and compare with no
reference: the other windows' pictures come from the cases that test them."""
import subprocess
import time

from e2e_cases import activate, click, popup_at, rest_pointer_away, xdo
from e2e_lib import Entry, Page, PageSet, case, wait_until, write_pages
from e2e_system_buttons import button_centre, press, visible_windows

ENTRIES = [
    Entry("C:\\windows\\notepad.exe", "メモ帳", "memo"),
    Entry("C:\\windows\\regedit.exe", "レジストリ エディタ", "regedit"),
    Entry("C:\\windows\\system32\\winecfg.exe", "Wine の設定", "winecfg"),
    Entry("*Separator", "セパレータ"),
    Entry("C:\\windows\\system32\\cmd.exe", "コマンド プロンプト", "cmd"),
    Entry("C:\\windows", "Windows フォルダ", "windows"),
]


def manual_shot(fn):
    """A case of pictures for the manual only."""
    registered = case(shot=True)(fn)
    registered.manual = True
    return registered


def ini(extra=""):
    lines = ["[Settings]", "Version=768", "AutoHide=0", "TitleBarLayout=1", "PageTabLayout=1", "CurrentPage=0",
             "[DockLocations]", "Left=880", "Top=120", "Width=380", "Height=560"]
    text = "\r\n".join(lines) + "\r\n" + extra
    for bar in ("SmartBar", "KeywordBar", "HistoryBar", "ResourceBar"):
        if f"[{bar}]" not in text:
            text += f"[{bar}]\r\nShow=0\r\n"
    return text.encode("cp932")


def start(env, name, settings, pages=None, files=None):
    data, windata = env.data_folder("manual_" + name)
    (data / "Main.pag").write_bytes(write_pages(pages or PageSet([Page("ツール", 3, entries=ENTRIES)])))
    (data / "Vantor.ini").write_bytes(settings)
    for file_name, content in (files or {}).items():
        (data / file_name).write_bytes(content)
    rest_pointer_away()
    proc = env.start("/d", windata)
    wid = env.wait_window()
    activate(wid)
    time.sleep(1.0)  # the icons
    return proc, wid


def capture_area(env, wid, name, height=None):
    """The window's pixels on the screen (a menu, a bar, a strip of the window)."""
    g = env.window_geometry(wid)
    h = height or g["HEIGHT"]
    subprocess.run(["import", "-window", "root", "-crop", f"{g['WIDTH']}x{h}+{g['X']}+{g['Y']}", "+repage",
                    str(env.work / f"{name}.png")], timeout=30, check=True)


def capture_dialog(env, wid, name):
    time.sleep(0.8)
    subprocess.run(["import", "-window", wid, str(env.work / f"{name}.png")], timeout=30, check=True)


def new_window(before, what):
    return wait_until(lambda: list(visible_windows() - before), 10, what)[0]


@manual_shot
def manual_shot_main_menu(env):
    proc, wid = start(env, "main_menu", ini())
    menu = popup_at(wid, 200, 400, "the main menu")
    time.sleep(1.0)
    capture_area(env, menu, "main_menu")
    press("Escape")
    env.close(proc)


@manual_shot
def manual_shot_floating_bars(env):
    bars = ("[SmartBar]\r\nShow=1\r\nDocking=0\r\n[KeywordBar]\r\nShow=1\r\nDocking=0\r\n"
            "[HistoryBar]\r\nShow=1\r\nDocking=0\r\n"
            "[SmartBarLocations]\r\nLeft=100\r\nTop=100\r\nWidth=300\r\nHeight=26\r\n"
            "[KeywordBarLocations]\r\nLeft=100\r\nTop=200\r\nWidth=300\r\nHeight=26\r\n"
            "[HistoryBarLocations]\r\nLeft=100\r\nTop=300\r\nWidth=300\r\nHeight=26\r\n")
    smart = PageSet([Page("スマートバー", 1, entries=ENTRIES[:4])])
    history = PageSet([Page("履歴バー", 1, entries=[ENTRIES[4], ENTRIES[0], ENTRIES[1]])])
    proc, wid = start(env, "bars", ini(bars), files={"Smart.pag": write_pages(smart),
                                                     "History.pag": write_pages(history)})
    env.wait_window("^履歴バー -Vantor$")
    press("ctrl+alt+k")  # the keyword bar's box
    time.sleep(0.5)
    xdo("type", "--delay", "150", "me")
    time.sleep(1.0)
    rest_pointer_away()
    for title, name in (("スマートバー", "smart_bar"), ("キーワードバー", "keyword_bar"), ("履歴バー", "history_bar")):
        capture_area(env, env.wait_window(f"^{title} -Vantor$"), name)
    env.close(proc)


@manual_shot
def manual_shot_system_buttons(env):
    shown = "[VisibleButtons]\r\n" + "".join(f"{b}=1\r\n" for b in ("StopAutoRun", "OpenFolder", "ScreenSaver",
                                                                     "Shutdown", "Reboot"))
    proc, wid = start(env, "system_buttons", ini(shown))
    capture_area(env, wid, "caption_strip", height=30)
    before = visible_windows()
    x, y = button_centre(env, wid, 3)
    xdo("mousemove", "--window", wid, str(x), str(y))
    time.sleep(0.3)
    xdo("click", "1")
    menu = new_window(before, "the screen-saver menu")
    time.sleep(0.5)
    capture_area(env, menu, "screen_saver_menu")
    press("Escape")
    env.close(proc)


@manual_shot
def manual_shot_process_picker_and_icon_chooser(env):
    proc, wid = start(env, "pickers", ini())
    press("ctrl+p")  # the focused entry's properties
    properties = env.wait_window("^ボタンのプロパティ$", timeout=20)
    activate(properties)
    press("alt+g")  # 取得(&G)...
    capture_dialog(env, env.wait_window("^プログラム名の取得$", timeout=20), "process_picker")
    press("Escape")
    activate(properties)
    press("alt+c")  # アイコンの変更(&C)...
    env.wait_window("^アイコンファイルの参照$", timeout=20)
    time.sleep(0.5)
    xdo("type", "--delay", "50", "C:\\windows\\system32\\shell32.dll")
    press("Return")
    chooser = env.wait_window("^アイコンの選択$", timeout=20)
    activate(chooser)
    press("Right")  # an icon chosen, OK enabled
    capture_dialog(env, chooser, "icon_chooser")
    press("Escape")
    activate(properties)
    press("Escape")
    env.close(proc)


@manual_shot
def manual_shot_broken_links(env):
    pages = PageSet([Page("ツール", 3, entries=ENTRIES[:3] + [Entry("C:\\古いツール\\old.exe", "古いツール"),
                                                         Entry("D:\\ゲーム\\game.exe", "ゲーム")])])
    proc, wid = start(env, "broken_links", ini(), pages=pages)
    popup_at(wid, 200, 400, "the main menu")
    press("b")  # リンク切れの確認(&B)...
    dialog = env.wait_window("^リンク切れの確認$", timeout=30)
    activate(dialog)
    click(dialog, 40, 60)  # the first row, so the buttons are on
    capture_dialog(env, dialog, "broken_links")
    press("Escape")
    env.close(proc)


@manual_shot
def manual_shot_settings(env):
    """Every tab as a user meets it: the folder menu's extensions, a folder of
    the user's and the sounds as the default button sets them."""
    exts = [".chm", ".doc", ".hlp", ".htm", ".html", ".lzh", ".txt", ".zip"]
    sounds = ["Launch=*MenuCommand", "ChangeLayout=*RestoreUp", "BarDocking=*Minimize", "BarFloating=*Maximize",
              "ClickPage=*MenuPopup", "AddButton=*None", "AddSeparator=*None", "AddPage=*None", "DragDrop=*None",
              "Delete=*None"]
    extra = "[Exts]\r\n" + "".join(f"CustomExt{i}={e}\r\n" for i, e in enumerate(exts))
    extra += "[Folders]\r\nCustomFolder0=C:\\windows\r\n"
    extra += "[Sounds]\r\n" + "".join(f"Sound{i}={s}\r\n" for i, s in enumerate(sounds))
    # The window's own layout and hiding as at first (the pictures of the
    # window itself fix them).
    settings = ini(extra).replace(b"AutoHide=0", b"AutoHide=1").replace(b"TitleBarLayout=1", b"TitleBarLayout=0")
    proc, wid = start(env, "settings", settings.replace(b"PageTabLayout=1", b"PageTabLayout=0"))
    press("ctrl+o")
    dialog = env.wait_window("^設定$", timeout=20)
    activate(dialog)
    for tab in range(16):
        capture_dialog(env, dialog, f"manual_settings_{tab:02d}")
        press("Right")
    press("Escape")
    env.close(proc)


@manual_shot
def manual_shot_folder_menu(env):
    """The folder menu with the special folders it shows at first, and the
    first drive's submenu: its commands, then its folders."""
    shown = "[Folders]\r\nCustomFolder0=C:\\users\r\n"
    proc, wid = start(env, "folder_menu", ini(shown))
    before = visible_windows()
    x, y = button_centre(env, wid, 3)  # restart, shutdown, then the open-folder button
    xdo("mousemove", "--window", wid, str(x), str(y))
    time.sleep(0.3)
    xdo("click", "1")
    root = new_window(before, "the folder menu")
    time.sleep(1.0)
    opened = visible_windows()
    press("Down", "Right")
    submenu = wait_until(lambda: list(visible_windows() - opened), 10, "the drive's submenu")[0]
    time.sleep(1.0)
    xdo("mousemove", "40", "1000")
    time.sleep(0.5)
    boxes = [env.window_geometry(w) for w in (root, submenu)]
    left = min(int(b["X"]) for b in boxes)
    top = min(int(b["Y"]) for b in boxes)
    right = max(int(b["X"]) + int(b["WIDTH"]) for b in boxes)
    bottom = min(max(int(b["Y"]) + int(b["HEIGHT"]) for b in boxes), top + 420)
    subprocess.run(["import", "-window", "root", "-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage",
                    str(env.work / "manual_folder_menu.png")], timeout=30, check=True)
    press("Escape", "Escape")
    env.close(proc)
