#!/usr/bin/env python3
"""Takes the manual's pictures from the screenshots of `./dev shot --manual`
into docs/manual/img: cropped to what the page tells of, stripped of
metadata, compressed. Then checks that every picture a page shows is there.

usage: manual_pictures.py SHOTS_FOLDER MANUAL_FOLDER
"""
import re
import subprocess
import sys
from pathlib import Path

# The manual's picture: (the shot it comes from, the part kept as
# WIDTHxHEIGHT+X+Y, or None for all of it).
PICTURES = {
    "overview.png": ("bars_docked.png", None),
    "main-window.png": ("tabs_top.png", None),
    "tabs-left.png": ("tabs_left.png", None),
    "tabs-vertical.png": ("tabs_vertical_mode.png", "380x170+0+0"),
    "wallpaper.png": ("wallpaper.png", "380x170+0+0"),
    "view-style-0.png": ("view_style_0.png", "380x140+0+0"),
    "view-style-1.png": ("view_style_1.png", "380x100+0+0"),
    "view-style-2.png": ("view_style_2.png", "380x190+0+0"),
    "view-style-3.png": ("view_style_3.png", "380x130+0+0"),
    "view-style-4.png": ("view_style_4.png", "380x110+0+0"),
    "view-style-5.png": ("view_style_5.png", "380x290+0+0"),
    "view-style-6.png": ("view_style_6.png", "380x330+0+0"),
    "view-style-7.png": ("view_style_7.png", "380x330+0+0"),
    "button-style-0.png": ("button_style_0.png", "168x44+0+24"),
    "button-style-1.png": ("button_style_1.png", "168x44+0+24"),
    "button-style-2.png": ("button_style_2.png", "168x44+0+24"),
    "button-style-3.png": ("button_style_3.png", "168x44+0+24"),
    "button-style-4.png": ("button_style_4.png", "168x44+0+24"),
    "focus-frame.png": ("focus_frame_0.png", "168x90+0+24"),
    "title-popup.png": ("title_popup.png", None),
    "bars-docked.png": ("bars_docked.png", "380x112+0+0"),
    "smart-bar.png": ("smart_bar.png", None),
    "keyword-bar.png": ("keyword_bar.png", None),
    "history-bar.png": ("history_bar.png", None),
    "caption-strip.png": ("caption_strip.png", None),
    "folder-menu.png": ("manual_folder_menu.png", None),
    "screen-saver-menu.png": ("screen_saver_menu.png", None),
    "main-menu.png": ("main_menu.png", None),
    "entry-menu.png": ("entry_menu.png", None),
    "per-user-message.png": ("per_user_message.png", None),
    "organise.png": ("organise.png", None),
    "entry-properties.png": ("entry_properties.png", None),
    "page-properties.png": ("page_properties.png", None),
    "icon-chooser.png": ("icon_chooser.png", None),
    "process-picker.png": ("process_picker.png", None),
    "run-with-arguments.png": ("run_with_arguments.png", None),
    "about.png": ("about.png", None),
    "broken-links.png": ("broken_links.png", None),
}
SETTINGS_TABS = ["general", "interval", "layout", "hide", "scroll", "view", "background", "color", "sound",
                 "keyboard", "resource-bar", "system-buttons", "folder1", "folder2", "folder3", "corner"]
for _index, _tab in enumerate(SETTINGS_TABS):
    PICTURES[f"settings-{_tab}.png"] = (f"manual_settings_{_index:02d}.png", None)

# A picture above this is looked at again: crop it closer.
LARGEST = 60 * 1024


def take(shot, crop, target):
    command = ["convert", str(shot)]
    if crop:
        command += ["-crop", crop, "+repage"]
    command += ["-strip", "-define", "png:compression-level=9", "-define", "png:exclude-chunks=date,time",
                str(target)]
    subprocess.run(command, check=True, timeout=60)


def pictures_shown(manual):
    shown = {}
    for page in sorted(manual.glob("*.html")):
        for src in re.findall(r'<img[^>]*\ssrc="([^"]+)"', page.read_text(encoding="utf-8")):
            shown.setdefault(src, []).append(page.name)
    return shown


def main():
    shots, manual = Path(sys.argv[1]), Path(sys.argv[2])
    img = manual / "img"
    img.mkdir(parents=True, exist_ok=True)
    problems = []
    for name, (shot, crop) in PICTURES.items():
        source = shots / shot
        if not source.exists():
            problems.append(f"no shot {source} for img/{name}")
            continue
        take(source, crop, img / name)
        size = (img / name).stat().st_size
        if size > LARGEST:
            problems.append(f"img/{name} is {size} bytes")
    for src, pages in pictures_shown(manual).items():
        if not (manual / src).exists():
            problems.append(f"{src}, shown by {', '.join(pages)}, is missing")
    unused = set(PICTURES) - {Path(src).name for src in pictures_shown(manual)}
    for name in sorted(unused):
        print(f"img/{name} is shown by no page", file=sys.stderr)
    for problem in problems:
        print(problem, file=sys.stderr)
    print(f"{len(PICTURES)} pictures in {img}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
