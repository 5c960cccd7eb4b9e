#!/usr/bin/env bash
# How long a folder of 10,000 files takes to show its submenu in the folder
# menu, under Wine. Runs in the Wine prefix and on the display of the caller
# (WINEPREFIX, DISPLAY), with the Wine tests of a build:
#   bench/folder_menu_wine.sh build/win/tests/win/vantor_win_tests.exe
set -euo pipefail
exe=${1:?the path of vantor_win_tests.exe}
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
timeout 600 wine "$exe" --gtest_also_run_disabled_tests --gtest_filter='*FolderMenuTiming*' |
  grep -E 'folder of|FAILED' || true
