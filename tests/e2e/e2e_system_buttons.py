"""End-to-end cases of the caption strip's system buttons: the open-folder
button's menu (a screenshot of it, and an entry added from it), and the
screen-saver button's stopped state."""
import os
import shutil
import subprocess
import time

from e2e_lib import Entry, activate, Page, PageSet, case, check, read_pages, wait_until, write_pages
from e2e_shots import TOLERANCE, differing_pixels, image_size

CAPTION = 24  # the caption strip's thickness, CaptionWidth's default


def xdo(*args, timeout=10):
    return subprocess.run(["xdotool", *args], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                          timeout=timeout)


def visible_windows():
    return set(xdo("search", "--onlyvisible", "--name", "").stdout.split())


def press(*keys):
    for k in keys:
        xdo("key", k)
        time.sleep(0.4)


def system_button_ini(folder):
    """The caption strip on top with the screen-saver button shown; the
    user's folder list holds one folder and no special folder is shown."""
    lines = ["[Settings]", "Version=768", "AutoHide=0", "TitleBarLayout=1", "PageTabLayout=1", "CurrentPage=0",
             "[VisibleButtons]", "ScreenSaver=1",
             "[VisibleFolders]"] + [f"{k}=0" for k in ("ControlPanel", "StartMenu", "Windows", "System",
                                                      "ProgramFiles", "MyDocuments")]
    lines += ["[Folders]", f"CustomFolder0={folder}", "[Exts]", "CustomExt0=.txt"]
    lines += ["[DockLocations]", "Left=880", "Top=120", "Width=380", "Height=560"]
    lines += [f"[{bar}]\r\nShow=0" for bar in ("SmartBar", "KeywordBar", "HistoryBar", "ResourceBar")]
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


def button_centre(env, wid, cell):
    """A system button's centre in window coordinates: packed to the right
    end of the top strip, `cell` 1 the far right (restart), 2 shutdown,
    3 screen saver, 4 open folder."""
    g = env.window_geometry(wid)
    frame = 4  # the sizing border
    return int(g["WIDTH"]) - frame - CAPTION * cell + CAPTION // 2, frame + CAPTION // 2


def start_with_menu_folder(env, name):
    data, windata = env.data_folder(name)
    files = data / "files"
    files.mkdir()
    (files / "メモ.txt").write_text("a note")
    (files / "data.bin").write_bytes(b"not listed")
    (data / "Main.pag").write_bytes(write_pages(PageSet([Page("一", 0, entries=[
        Entry("C:\\windows\\notepad.exe", "メモ帳")])])))
    (data / "Vantor.ini").write_bytes(system_button_ini(windata + "\\files"))
    xdo("mousemove", "40", "1000")
    proc = env.start("/d", windata)
    wid = env.wait_window()
    activate(wid)
    return data, windata, proc, wid


def locale_suffix():
    return "ja" if os.environ.get("LANG", "").startswith("ja") else "c"


def check_shot(env, shot, name):
    """Compares a shot with its reference, which differs by locale (the
    system's menu font); ./dev shot --update makes it the reference."""
    expected = env.expected / f"{name}.png"
    if env.shots_only:
        if env.update_expected:
            shutil.copy(shot, expected)
        return
    check(expected.exists(), f"no reference image {expected}; run ./dev shot --update and look at it")
    check(image_size(shot) == image_size(expected), f"{name}: menu is {image_size(shot)}, reference "
                                                    f"{image_size(expected)}")
    w, h = image_size(shot)
    diff = differing_pixels(shot, expected)
    check(0 <= diff <= TOLERANCE * w * h, f"{name}: {diff} of {w * h} pixels differ from the reference")


def shoot_menu(env, wid, name):
    """A menu's pixels from the screen, compared with this locale's reference;
    returns the menu's geometry."""
    g = env.window_geometry(wid)
    shot = env.work / f"{name}.png"
    subprocess.run(["import", "-window", "root", "-crop", f"{g['WIDTH']}x{g['HEIGHT']}+{g['X']}+{g['Y']}",
                    "+repage", str(shot)], timeout=30, check=True)
    check_shot(env, shot, f"{name}_{locale_suffix()}")
    return g


@case(shot=True)
def open_folder_menu_adds_a_file_as_an_entry(env):
    data, windata, proc, wid = start_with_menu_folder(env, "folder_menu")
    before = visible_windows()
    x, y = button_centre(env, wid, 4)
    xdo("mousemove", "--window", wid, str(x), str(y))
    time.sleep(0.3)
    xdo("click", "1")
    menu = wait_until(lambda: list(visible_windows() - before), 10, "the folder menu")[0]
    time.sleep(1.0)  # the icons are drawn as the menu paints
    xdo("mousemove", "40", "1000")
    time.sleep(0.5)
    g = shoot_menu(env, menu, "folder_menu")
    check(int(g["HEIGHT"]) > 40, f"a menu of drives and the folder, not {g['WIDTH']}x{g['HEIGHT']}")
    # The user's folder is the last item: into it, where its commands stand
    # above its one listed file, the widest caption of this narrow submenu
    # whole; onto the file, and its second command, ボタンを追加(&B).
    press("Up", "Right")
    submenu = wait_until(lambda: list(visible_windows() - before - {menu}), 10, "the folder's submenu")[0]
    time.sleep(1.0)
    shoot_menu(env, submenu, "folder_submenu")
    press("Up", "Right", "Down", "Return")
    time.sleep(0.5)
    rc = env.close(proc)
    check(rc == 0, f"exit code {rc}")
    entries = read_pages((data / "Main.pag").read_bytes()).pages[0].entries
    check([(e.link_to, e.title) for e in entries] ==
          [("C:\\windows\\notepad.exe", "メモ帳"), (windata + "\\files\\メモ.txt", "メモ")],
          f"saved entries {[(e.link_to, e.title) for e in entries]}")


def capture_button(env, wid, cell, path):
    g = env.window_geometry(wid)
    x, y = button_centre(env, wid, cell)
    left, top = int(g["X"]) + x - CAPTION // 2, int(g["Y"]) + y - CAPTION // 2
    subprocess.run(["import", "-window", "root", "-crop", f"{CAPTION}x{CAPTION}+{left}+{top}", "+repage",
                    str(path)], timeout=30, check=True)


@case
def screen_saver_button_toggles_its_stopped_state(env):
    data, windata, proc, wid = start_with_menu_folder(env, "screen_saver")
    shots = [env.work / f"screen_saver_{i}.png" for i in range(3)]
    time.sleep(0.5)
    capture_button(env, wid, 3, shots[0])
    for i in (1, 2):
        before = visible_windows()
        x, y = button_centre(env, wid, 3)
        xdo("mousemove", "--window", wid, str(x), str(y))
        time.sleep(0.3)
        xdo("click", "1")
        wait_until(lambda: visible_windows() - before, 10, "the screen-saver menu")
        press("Down", "Return")  # 停止(&S)
        xdo("mousemove", "40", "1000")
        time.sleep(0.6)  # the hot look goes with the pointer
        capture_button(env, wid, 3, shots[i])
    check(differing_pixels(shots[0], shots[1]) > 20, "the button does not look stopped after 停止")
    check(differing_pixels(shots[0], shots[2]) == 0, "the button is not back to normal after the second 停止")
    rc = env.close(proc)
    check(rc == 0, f"exit code {rc}")
