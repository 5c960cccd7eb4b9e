"""Screenshot cases: the main window showing pages in every view style, tabs
on every side, both tab modes, a wallpaper, every button style and the
keyboard's focus frame.

Each case gives the program a Main.pag and a Vantor.ini, waits until the
window stops changing, and compares the window's pixels with the reference
image in tests/e2e/expected/ (a small tolerance absorbs anti-aliasing).
`./dev shot` writes the images; `./dev shot --update` also makes them the
new references.
"""
import shutil
import struct
import subprocess
import time
from pathlib import Path

from e2e_lib import CaseFailure, Entry, activate, Page, PageSet, case, check, wait_until, write_pages

# Share of pixels that may differ (each by more than the fuzz) from the reference.
TOLERANCE = 0.01
FUZZ = "12%"
# Where the pointer rests during a shot: off the window, so nothing is hot.
POINTER_REST = (40, 1000)

LONG_TITLE = "とても長い日本語のタイトルを持つプログラム"


def sample_entries():
    """A mix a user would have: programs, a folder, a web address, separators,
    a missing target and long Japanese titles."""
    return [
        Entry("C:\\windows\\notepad.exe", "メモ帳"),
        Entry("C:\\windows\\regedit.exe", "レジストリ エディタ"),
        Entry("C:\\windows\\system32\\winecfg.exe", LONG_TITLE),
        Entry("C:\\windows", "Windows フォルダ"),
        Entry("*Separator", "セパレータ"),
        Entry("http://example.com/", "ホームページ"),
        Entry("C:\\windows\\system32\\taskmgr.exe", "タスク マネージャ"),
        Entry("C:\\存在しない\\nothing.exe", "見つからない"),
        Entry("C:\\windows\\system32\\write.exe", "ワードパッド"),
        Entry("*Separator", "セパレータ"),
        Entry("C:\\windows\\system32\\cmd.exe", "コマンド プロンプト"),
        Entry("C:\\users", "ユーザー"),
    ]


def pages_of_every_style():
    names = ["大きいアイコン", "小さいアイコン", "タイトル", "長いタイトル", "短いタイトル", "1行", "特大", "特大とタイトル"]
    return PageSet([Page(names[s], s, entries=sample_entries()) for s in range(8)])


def write_bitmap(path, width, height):
    """A small 24-bit pattern, so tiling is visible."""
    row_size = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(height):
        row = bytearray()
        for x in range(width):
            on = (x // 5 + y // 5) % 2
            row += bytes((230, 200, 170) if on else (200, 220, 240))
        pixels += row + bytes(row_size - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    Path(path).write_bytes(header + info + pixels)


def settings_ini(**settings):
    lines = ["[Settings]", "Version=768", "AutoHide=0", "ActivateOnLaunch=1"]
    lines += [f"{k}={v}" for k, v in settings.items()]
    # A fixed size and a place at the right edge of the screen, without bars.
    lines += ["[DockLocations]", "Left=880", "Top=120", "Width=380", "Height=560"]
    lines += [f"[{bar}]\r\nShow=0" for bar in ("SmartBar", "KeywordBar", "HistoryBar", "ResourceBar")]
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


def rest_pointer():
    subprocess.run(["xdotool", "mousemove", str(POINTER_REST[0]), str(POINTER_REST[1])], timeout=10,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def capture(env, wid, path):
    g = env.window_geometry(wid)
    geometry = f"{g['WIDTH']}x{g['HEIGHT']}+{g['X']}+{g['Y']}"
    subprocess.run(["import", "-window", "root", "-crop", geometry, "+repage", str(path)], timeout=30, check=True)


def same_image(a, b):
    return Path(a).exists() and Path(b).exists() and differing_pixels(a, b, "0") == 0


def differing_pixels(a, b, fuzz=FUZZ):
    r = subprocess.run(["compare", "-metric", "AE", "-fuzz", fuzz, str(a), str(b), "null:"],
                       stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, timeout=60)
    try:
        return int(float(r.stderr.split()[0]))
    except (ValueError, IndexError):
        return -1  # different sizes or unreadable


def image_size(path):
    r = subprocess.run(["identify", "-format", "%w %h", str(path)], stdout=subprocess.PIPE, text=True, timeout=30)
    w, h = r.stdout.split()
    return int(w), int(h)


def shoot(env, name, pages, ini):
    """Runs the program on the given data and compares its window with the reference."""
    data, windata = env.data_folder("shot_" + name)
    (data / "Main.pag").write_bytes(write_pages(pages))
    (data / "Vantor.ini").write_bytes(ini(data, windata) if callable(ini) else ini)
    rest_pointer()
    proc = env.start("/d", windata)
    wid = env.wait_window()
    # Whether the new window keeps the activation depends on what else the
    # desktop shows at that moment (the tray window, for one): the shots make
    # it active, so the caption strip and the focus frame always show so.
    activate(wid)
    # Icons arrive a little later than the window: wait until two captures agree.
    shot = env.work / f"{name}.png"
    previous = env.work / f"{name}.prev.png"
    deadline = time.time() + 20
    capture(env, wid, shot)
    while time.time() < deadline:
        time.sleep(0.7)
        shutil.copy(shot, previous)
        capture(env, wid, shot)
        if same_image(shot, previous):
            break
    previous.unlink(missing_ok=True)
    rc = env.close(proc)
    check(rc == 0, f"exit code {rc}")

    expected = env.expected / f"{name}.png"
    if env.shots_only:
        if env.update_expected:
            env.expected.mkdir(parents=True, exist_ok=True)
            shutil.copy(shot, expected)
        return
    check(expected.exists(), f"no reference image {expected}; run ./dev shot --update and look at it")
    check(image_size(shot) == image_size(expected),
          f"{name}: window is {image_size(shot)}, reference {image_size(expected)}")
    w, h = image_size(shot)
    diff = differing_pixels(shot, expected)
    if diff < 0 or diff > TOLERANCE * w * h:
        subprocess.run(["compare", str(shot), str(expected), str(env.work / f"{name}.diff.png")],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        raise CaseFailure(f"{name}: {diff} of {w * h} pixels differ from the reference "
                          f"(see {env.work / (name + '.diff.png')})")


def _view_style_case(style):
    def run(env):
        shoot(env, f"view_style_{style}", pages_of_every_style(),
              settings_ini(CurrentPage=style, PageTabLayout=1))
    run.__name__ = f"shot_view_style_{style}"
    return run


for _style in range(8):
    case(_view_style_case(_style), shot=True)


def _tab_side_case(side, name):
    def run(env):
        shoot(env, f"tabs_{name}", pages_of_every_style(), settings_ini(CurrentPage=2, PageTabLayout=side))
    run.__name__ = f"shot_tabs_{name}"
    return run


for _side, _name in ((1, "top"), (2, "bottom"), (3, "left"), (4, "right")):
    case(_tab_side_case(_side, _name), shot=True)


@case(shot=True)
def shot_tabs_vertical_mode(env):
    shoot(env, "tabs_vertical_mode", pages_of_every_style(),
          settings_ini(CurrentPage=3, PageTabLayout=3, HorizontalTab=0, TabSetHeight=40))


@case(shot=True)
def shot_wallpaper(env):
    def ini(data, windata):
        write_bitmap(data / "wall.bmp", 30, 10)
        return settings_ini(CurrentPage=2, PageTabLayout=1, WallpaperName=windata + "\\wall.bmp")
    shoot(env, "wallpaper", pages_of_every_style(), ini)


def _button_style_case(style):
    def run(env):
        shoot(env, f"button_style_{style}", pages_of_every_style(),
              settings_ini(CurrentPage=0, PageTabLayout=1, ButtonStyle=style))
    run.__name__ = f"shot_button_style_{style}"
    return run


for _style in range(5):
    case(_button_style_case(_style), shot=True)


def count_pixels(path, colour):
    r = subprocess.run(["convert", str(path), "-fill", "black", "+opaque", colour, "-fill", "white", "-opaque", colour,
                        "-format", "%[fx:round(mean*w*h)]", "info:"],
                       stdout=subprocess.PIPE, text=True, timeout=30, check=True)
    return int(r.stdout.strip())


def _focus_frame_case(style, icon):
    """The window has the keyboard at start: the frame, in a colour nothing
    else has, stands one pixel outside the icon of the entry after the first
    separator, and nowhere else."""
    def run(env):
        def ini(data, windata):
            return (settings_ini(CurrentPage=style, PageTabLayout=1, CurrentButton=5) +
                    b"[Colors]\r\nCustomColor=1\r\nColor6=FF00FF\r\n")
        name = f"focus_frame_{style}"
        shoot(env, name, pages_of_every_style(), ini)
        side = icon + 2
        framed = count_pixels(env.work / f"{name}.png", "#FF00FF")
        check(framed == 4 * side - 4, f"{name}: {framed} pixels in the focus colour, the frame has {4 * side - 4}")
    run.__name__ = f"shot_focus_frame_{style}"
    return run


for _style, _icon in ((0, 38), (3, 22)):
    case(_focus_frame_case(_style, _icon), shot=True)


@case(shot=True)
def shot_bars_docked(env):
    """The keyword bar above the smart bar in the main window's band, the
    smart bar showing its entries in a row of small icons."""
    def ini(data, windata):
        smart = PageSet([Page("スマートバー", 0, entries=sample_entries()[:6])])
        (data / "Smart.pag").write_bytes(write_pages(smart))
        text = settings_ini(CurrentPage=0, PageTabLayout=1).decode("cp932")
        for bar, show in (("SmartBar", 1), ("KeywordBar", 1)):
            text = text.replace(f"[{bar}]\r\nShow=0", f"[{bar}]\r\nShow={show}\r\nDocking=1")
        text += "[DockOrder]\r\nDockOrder0=KeywordBar\r\nDockOrder1=SmartBar\r\n"
        return text.encode("cp932")
    shoot(env, "bars_docked", pages_of_every_style(), ini)
