#!/usr/bin/env python3
"""Writes the navigation list of every page of the manual (docs/manual) from
the one list below, between the lines <!-- nav --> and <!-- /nav -->, and
marks the page itself. Run it after adding or renaming a page.

usage: manual_nav.py [MANUAL_FOLDER]
"""
import html
import re
import sys
from pathlib import Path

# (page, title, the pages under it); a group without a page of its own has None.
PAGES = [
    ("index.html", "はじめに", []),
    ("data.html", "データの保存場所", []),
    ("main-window.html", "メインウィンドウ", []),
    ("pages-and-entries.html", "ページとボタン", []),
    ("bars.html", "バー", []),
    ("system-buttons.html", "フォルダメニューとシステムボタン", []),
    ("menus-and-keys.html", "メニューとキー", []),
    (None, "ダイアログ", [
        ("organise.html", "編集"),
        ("entry-properties.html", "ボタンのプロパティ"),
        ("icon-chooser.html", "アイコンの選択"),
        ("process-picker.html", "プログラム名の取得"),
        ("page-properties.html", "ページのプロパティ"),
        ("run-with-arguments.html", "引数を指定して実行"),
        ("broken-links.html", "リンク切れの確認"),
        ("about.html", "バージョン情報"),
    ]),
    ("settings.html", "設定", [
        ("settings-general.html", "一般"),
        ("settings-interval.html", "インターバル"),
        ("settings-layout.html", "レイアウト"),
        ("settings-hide.html", "隠れ方"),
        ("settings-scroll.html", "スクロール"),
        ("settings-view.html", "表示"),
        ("settings-background.html", "背景"),
        ("settings-color.html", "色"),
        ("settings-sound.html", "サウンド"),
        ("settings-keyboard.html", "キーボード"),
        ("settings-resource-bar.html", "リソースバー"),
        ("settings-system-buttons.html", "システムボタン"),
        ("settings-folder1.html", "フォルダ1"),
        ("settings-folder2.html", "フォルダ2"),
        ("settings-folder3.html", "フォルダ3"),
        ("settings-corner.html", "コーナーコール"),
    ]),
]

NAV = re.compile(r"<!-- nav -->.*?<!-- /nav -->", re.S)


def link(page, title, current):
    mark = ' aria-current="page"' if page == current else ""
    return f'<a href="{page}"{mark}>{html.escape(title)}</a>'


def nav_for(current):
    lines = ["<!-- nav -->", '<nav aria-label="目次">', '<p class="manual-title">Vantor マニュアル</p>', "<ul>"]
    for page, title, children in PAGES:
        if not children:
            lines.append(f"<li>{link(page, title, current)}</li>")
            continue
        lines.append(f"<li>{link(page, title, current) if page else html.escape(title)}")
        lines.append("<ul>")
        lines += [f"<li>{link(child, child_title, current)}</li>" for child, child_title in children]
        lines.append("</ul></li>")
    lines += ["</ul>", "</nav>", "<!-- /nav -->"]
    return "\n".join(lines)


def all_pages():
    for page, _, children in PAGES:
        if page:
            yield page
        for child, _ in children:
            yield child


def main():
    manual = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parents[1] / "docs" / "manual")
    missing = []
    for page in all_pages():
        path = manual / page
        if not path.exists():
            missing.append(page)
            continue
        text = path.read_text(encoding="utf-8")
        if not NAV.search(text):
            missing.append(f"{page} (no <!-- nav --> lines)")
            continue
        path.write_text(NAV.sub(lambda _: nav_for(page), text), encoding="utf-8")
    listed = set(all_pages())
    for path in sorted(manual.glob("*.html")):
        if path.name not in listed:
            missing.append(f"{path.name} is in no list")
    for problem in missing:
        print(problem, file=sys.stderr)
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
