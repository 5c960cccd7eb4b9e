"""Screenshot cases at 144 DPI: the main window showing a page of large icons
and one of titles beside small icons, the keyword and smart bars docked in it,
and the settings dialog's first page. Each is compared with a reference of its
own (dpi144_*.png in tests/e2e/expected/) as the 96-DPI shots are;
`./dev shot --update -k dpi144` renews them. Besides, the Wine tests' layout
check of every dialog runs again at 144 DPI.
"""
from e2e_cases import menu_ini, press
from e2e_lib import CaseFailure, Page, PageSet, case, check, screen_dpi, wait_until, write_pages
from e2e_settings_dialogs import open_settings, start_with_menu
from e2e_settings_dialogs import shoot as shoot_dialog
from e2e_shots import image_size, pages_of_every_style, sample_entries, settings_ini, shoot
from e2e_system_buttons import locale_suffix

DPI = 144

# The 96-DPI cases stand the window at (880, 120); at one and a half times its
# size it would run off the 1280x1024 screen there, so these cases move it up
# and left, still nearer the right edge, whose side the caption strip takes.
AT_96 = b"[DockLocations]\r\nLeft=880\r\nTop=120\r\nWidth=380\r\nHeight=560\r\n"
AT_144 = b"[DockLocations]\r\nLeft=460\r\nTop=60\r\nWidth=380\r\nHeight=560\r\n"


def placed(ini):
    if AT_96 not in ini:
        raise CaseFailure("the 96-DPI settings no longer place the window as these cases expect")
    return ini.replace(AT_96, AT_144)


def _view_style_case(style):
    def run(env):
        with screen_dpi(DPI):
            shoot(env, f"dpi144_style{style}", pages_of_every_style(),
                  placed(settings_ini(CurrentPage=style, PageTabLayout=1)))
    run.__name__ = f"dpi144_view_style_{style}"
    return run


for _style in (0, 3):
    case(_view_style_case(_style), shot=True)


@case(shot=True)
def dpi144_bars_docked(env):
    """The keyword bar above the smart bar, which shows six entries."""
    def ini(data, windata):
        smart = PageSet([Page("スマートバー", 0, entries=sample_entries()[:6])])
        (data / "Smart.pag").write_bytes(write_pages(smart))
        text = placed(settings_ini(CurrentPage=0, PageTabLayout=1)).decode("cp932")
        for bar in ("SmartBar", "KeywordBar"):
            text = text.replace(f"[{bar}]\r\nShow=0", f"[{bar}]\r\nShow=1\r\nDocking=1")
        text += "[DockOrder]\r\nDockOrder0=KeywordBar\r\nDockOrder1=SmartBar\r\n"
        return text.encode("cp932")
    with screen_dpi(DPI):
        shoot(env, "dpi144_bars_docked", pages_of_every_style(), ini)


@case(shot=True)
def dpi144_settings_dialog_first_page(env):
    """Besides its pixels, the dialog must be about one and a half times the
    size of its 96-DPI reference: the dialog font follows the screen's DPI,
    and the whole template with it."""
    with screen_dpi(DPI):
        _, proc, wid = start_with_menu(env, "dpi144_settings", ini=placed(menu_ini()))
        dialog = open_settings(env, wid)
        shoot_dialog(env, dialog, "dpi144_settings_00")
        press("Escape")
        wait_until(lambda: not env.find_windows("^設定$"), 10, "the dialog to close")
        rc = env.close(proc)
        check(rc == 0, f"exit code {rc}")
    usual = env.expected / f"settings_00_{locale_suffix()}.png"
    check(usual.exists(), f"no 96-DPI reference {usual} to compare the dialog's size with")
    (w, h), (w96, h96) = image_size(env.work / "dpi144_settings_00.png"), image_size(usual)
    check(1.35 <= w / w96 <= 1.65 and 1.35 <= h / h96 <= 1.65,
          f"the dialog is {w}x{h} at {DPI} DPI and {w96}x{h96} at 96: not one and a half times the size")


@case
def dpi144_every_dialog_fits_its_text(env):
    """The Wine tests' layout check of every dialog, in a process started at
    144 DPI: the dialog font, the pages and the run-time placing all grow, and
    every caption must still fit its control and no control leave its place."""
    with screen_dpi(DPI):
        r = env.wine(str(env.helper), "--gtest_filter=DialogLayout.*", timeout=240)
    check(r.returncode == 0 and "[  PASSED  ] 1 test" in r.stdout,
          f"the dialogs at {DPI} DPI: exit code {r.returncode}\n{r.stdout[-4000:]}")
