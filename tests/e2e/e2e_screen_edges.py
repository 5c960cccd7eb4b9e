"""End-to-end cases of the window against the screen's edges: what the hidden
window leaves on the screen at each edge, and a desktop of two monitors."""
import time
from pathlib import Path

from e2e_cases import rest_pointer_away, sample_entries, start_other_window, xdo
from e2e_lib import Page, PageSet, activate, case, check, screen_pixels, two_monitors, wait_until, write_pages

HIDE_WIDTH = 6
WIDTH, HEIGHT = 380, 300  # the window's size in the cases below
DEPTH = 48  # how far from the edge the screen is looked at


def edge_ini(left, top, extra="", **settings):
    """Auto-hide without the slide, the window at (left, top), no tray icon
    (its window sits in a corner), the bars hidden unless `extra` shows one."""
    values = {"Version": 768, "AutoHide": 1, "HideSmoothly": 0, "HideWidth": HIDE_WIDTH, "ShowIcon": 0,
              "PageTabLayout": 1}
    values.update(settings)
    lines = ["[Settings]"] + [f"{k}={v}" for k, v in values.items()]
    lines += ["[DockLocations]", f"Left={left}", f"Top={top}", f"Width={WIDTH}", f"Height={HEIGHT}"]
    lines += [f"[{bar}]\r\nShow=0" for bar in ("SmartBar", "KeywordBar", "ResourceBar")]
    lines += [extra or "[HistoryBar]\r\nShow=0"]
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


def geometry(env, wid):
    g = env.window_geometry(wid)
    return int(g["X"]), int(g["Y"]), int(g["WIDTH"]), int(g["HEIGHT"])


def strip_depths(edge, span, screen):
    """How far from the screen's `edge` anything shows, on each line across
    the edge within `span` (the window's extent along it, less a margin):
    the distinct depths of the farthest pixel that is not the black desktop."""
    right, bottom = screen
    first, last = span[0] + 20, span[1] - 20
    if edge in ("top", "bottom"):
        rows = screen_pixels(first, 0 if edge == "top" else bottom - DEPTH, last - first, DEPTH)
        lines = [[rows[r][c] for r in range(DEPTH)] for c in range(last - first)]
        if edge == "bottom":
            lines = [line[::-1] for line in lines]
    else:
        rows = screen_pixels(0 if edge == "left" else right - DEPTH, first, DEPTH, last - first)
        lines = [row if edge == "left" else row[::-1] for row in rows]
    return {max((i + 1 for i, p in enumerate(line) if p != (0, 0, 0)), default=0) for line in lines}


def hidden_strip(env, wid, edge, screen=(1280, 1024)):
    """Once the window slid off `edge`: the depths strip_depths sees, waited
    for until they are one HideWidth (a window manager may move the window
    again just after the slide)."""
    x, y, w, h = geometry(env, wid)
    span = (x, x + w) if edge in ("top", "bottom") else (y, y + h)
    deadline = time.time() + 10
    while True:
        depths = strip_depths(edge, span, screen)
        if depths == {HIDE_WIDTH} or time.time() > deadline:
            return depths
        time.sleep(0.3)


def off_screen(env, wid, screen=(1280, 1024)):
    x, y, w, h = geometry(env, wid)
    return x < 0 or y < 0 or x + w > screen[0] or y + h > screen[1]


@case
def the_hidden_window_leaves_exactly_its_hide_width_at_every_edge(env):
    data, windata = env.data_folder("hide_width")
    (data / "Main.pag").write_bytes(write_pages(PageSet([Page("一", 0, entries=sample_entries()[:1])])))
    rest_pointer_away()
    other = start_other_window(env)
    base = env.find_windows("^Baseline$")[0]
    # Each edge in turn, clear of the other window (100, 100, 380 x 560).
    for edge, (left, top) in {"top": (450, 0), "bottom": (450, 1024 - HEIGHT), "left": (0, 200),
                              "right": (900, 200)}.items():
        (data / "Vantor.ini").write_bytes(edge_ini(left, top))
        proc = env.start("/d", windata)
        wid = env.wait_window()
        activate(base)
        wait_until(lambda: off_screen(env, wid), 10, f"the window to slide off the {edge} edge")
        depths = hidden_strip(env, wid, edge)
        rc = env.close(proc)
        check(rc == 0, f"exit code {rc}")
        check(depths == {HIDE_WIDTH}, f"at the {edge} edge the hidden window shows {sorted(depths)} pixels deep, "
                                      f"not {HIDE_WIDTH}")
    env.wine("taskkill", "/im", Path(env.helper).name, timeout=20)
    env.wait_end(other, 20, "the other window's program")


@case
def on_a_second_monitor_the_window_docks_and_hides_there(env):
    with two_monitors(env):
        data, windata = env.data_folder("second_monitor")
        (data / "Main.pag").write_bytes(write_pages(PageSet([Page("一", 0, entries=sample_entries()[:1])])))
        rest_pointer_away()
        other = start_other_window(env)
        base = env.find_windows("^Baseline$")[0]

        # Near the second monitor's outer edge, with the history bar floating
        # on that monitor too; made active, the window comes out.
        bar = "[HistoryBar]\r\nShow=1\r\nDocking=0\r\n[HistoryBarLocations]\r\nLeft=1500\r\nTop=600\r\nWidth=300"
        (data / "Vantor.ini").write_bytes(edge_ini(2100, 200, extra=bar, ShowOnPoint=0, CornerCallRightUp=1))
        proc = env.start("/d", windata)
        wid = env.wait_window()
        history = env.wait_window("^履歴バー -Vantor$")
        activate(wid)
        wait_until(lambda: not off_screen(env, wid, (2560, 1024)), 10, "the window to come out")
        check(geometry(env, wid)[:2] == (2560 - WIDTH, 200), f"the window at {geometry(env, wid)}, not against "
                                                              f"the second monitor's right edge")
        check(geometry(env, history)[:2] == (1500, 600), f"the history bar moved to {geometry(env, history)}")
        # Made wider by the user, it stays against that edge.
        xdo("windowsize", wid, str(WIDTH + 20), str(HEIGHT))
        wait_until(lambda: geometry(env, wid)[2] == WIDTH + 20, 10, "the window to be wider")
        time.sleep(0.5)
        check(geometry(env, wid)[:2] == (2560 - WIDTH - 20, 200), f"resized, the window went to "
                                                                   f"{geometry(env, wid)}")
        # Left for another window, it slides off that edge alone.
        activate(base)
        wait_until(lambda: off_screen(env, wid, (2560, 1024)), 10, "the window to slide off the right edge")
        depths = hidden_strip(env, wid, "right", (2560, 1024))
        check(depths == {HIDE_WIDTH}, f"hidden, the window shows {sorted(depths)} pixels deep")
        # The pointer resting in that monitor's top right corner brings it
        # out (the corner's action: アクティブ化).
        xdo("mousemove", "2559", "0")
        wait_until(lambda: not off_screen(env, wid, (2560, 1024)), 10, "the corner to bring the window out")
        rest_pointer_away()
        rc = env.close(proc)
        check(rc == 0, f"exit code {rc}")

        # Against the edge the two monitors share it stays, whole, on its own.
        (data / "Vantor.ini").write_bytes(edge_ini(1280, 200))
        proc = env.start("/d", windata)
        wid = env.wait_window()
        activate(base)
        time.sleep(2.5)  # five hide pauses
        where = geometry(env, wid)
        rc = env.close(proc)
        check(rc == 0, f"exit code {rc}")
        check(where[:2] == (1280, 200), f"at the shared edge the window went to {where}")
        env.wine("taskkill", "/im", Path(env.helper).name, timeout=20)
        env.wait_end(other, 20, "the other window's program")


@case
def a_bar_dragged_over_the_sliver_brings_the_hidden_window_out(env):
    data, windata = env.data_folder("bar_over_sliver")
    (data / "Main.pag").write_bytes(write_pages(PageSet([Page("一", 0, entries=sample_entries()[:1])])))
    bar = "[HistoryBar]\r\nShow=1\r\nDocking=0\r\n[HistoryBarLocations]\r\nLeft=700\r\nTop=700\r\nWidth=300"
    (data / "Vantor.ini").write_bytes(edge_ini(450, 0, extra=bar))
    rest_pointer_away()
    proc = env.start("/d", windata)
    wid = env.wait_window()
    history = env.wait_window("^履歴バー -Vantor$")
    other = start_other_window(env)
    wait_until(lambda: off_screen(env, wid), 10, "the window to slide off the top edge")
    # The bar by its grip up onto the sliver, held there.
    x, y, _, _ = geometry(env, history)
    xdo("mousemove", str(x + 12), str(y + 10))
    time.sleep(0.3)
    xdo("mousedown", "1")
    for step in range(1, 9):
        xdo("mousemove", str(x + 12 + (640 - x - 12) * step // 8), str(y + 10 - (y + 10 - 2) * step // 8))
        time.sleep(0.1)
    try:
        wait_until(lambda: not off_screen(env, wid), 10, "the window to come out under the dragged bar")
    finally:
        # Let go away from the window, where the bar only floats.
        xdo("mousemove", "700", "700")
        time.sleep(0.3)
        xdo("mouseup", "1")
    time.sleep(0.5)
    env.wine("taskkill", "/im", Path(env.helper).name, timeout=20)
    env.wait_end(other, 20, "the other window's program")
    rc = env.close(proc)
    check(rc == 0, f"exit code {rc}")
