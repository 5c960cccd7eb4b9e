#!/usr/bin/env python3
"""Writes the release zips dist/Vantor-<version>-<arch>.zip: the program, the
manual (docs/manual, whatever it holds, under manual/; left out while there
is none), the Japanese read-me and the licence.

The same inputs give the same bytes: names in sorted order, one fixed time,
no permissions of this machine, the same compression. The version is the one
in src/win/res/version.h, which the program's resources and about box show.
"""
import argparse
import re
import sys
import zipfile
from pathlib import Path

FIXED_TIME = (1980, 1, 1, 0, 0, 0)  # the earliest a zip can say
MANUAL_LINE = "詳しい使い方は manual フォルダのマニュアルをご覧ください。"


def version(root):
    text = (root / "src" / "win" / "res" / "version.h").read_text(encoding="utf-8")
    parts = [re.search(rf"#define VANTOR_VERSION_{p}\s+(\d+)", text) for p in ("MAJOR", "MINOR", "PATCH", "BUILD")]
    if not all(parts):
        sys.exit("version.h does not define VANTOR_VERSION_MAJOR, _MINOR, _PATCH and _BUILD")
    return ".".join(m.group(1) for m in parts)


def windows_text(text):
    """For Notepad on any Windows: UTF-8 with a byte-order mark, CR LF."""
    return "\ufeff".encode("utf-8") + text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")


def contents(root, exe, ver):
    """{name in the zip: bytes}."""
    manual = root / "docs" / "manual"
    manual_files = sorted(p for p in manual.rglob("*") if p.is_file()) if manual.is_dir() else []
    readme = (root / "docs" / "dist" / "Readme.txt").read_text(encoding="utf-8")
    readme = readme.replace("@VERSION@", ver)
    readme = readme.replace("@MANUAL@\n", MANUAL_LINE + "\n" if manual_files else "")
    files = {
        "Vantor.exe": Path(exe).read_bytes(),
        "Readme.txt": windows_text(readme),
        "LICENSE.txt": windows_text((root / "LICENSE").read_text(encoding="utf-8")),
    }
    for p in manual_files:
        files["manual/" + p.relative_to(manual).as_posix()] = p.read_bytes()
    return files


def write_zip(path, files):
    temporary = path.with_name(path.name + ".tmp")
    with zipfile.ZipFile(temporary, "w") as z:
        for name in sorted(files):
            info = zipfile.ZipInfo(name, FIXED_TIME)
            info.create_system = 0  # MS-DOS: no Unix permissions
            info.external_attr = 0x20  # FILE_ATTRIBUTE_ARCHIVE, as Windows writes files
            info.compress_type = zipfile.ZIP_DEFLATED
            z.writestr(info, files[name], compresslevel=9)
    temporary.replace(path)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--root", required=True, help="the source tree")
    ap.add_argument("--out", required=True, help="the folder the zips go to")
    ap.add_argument("--exe", action="append", required=True, metavar="ARCH=PATH",
                    help="the program built for ARCH (x86, x64)")
    args = ap.parse_args()
    root = Path(args.root)
    out = Path(args.out)
    out.mkdir(parents=True, exist_ok=True)
    ver = version(root)
    for item in args.exe:
        arch, exe = item.split("=", 1)
        path = out / f"Vantor-{ver}-{arch}.zip"
        files = contents(root, exe, ver)
        write_zip(path, files)
        manual = sum(1 for name in files if name.startswith("manual/"))
        print(f"{path}: {', '.join(n for n in sorted(files) if not n.startswith('manual/'))}"
              f"{f', manual/ ({manual} files)' if manual else ', no manual'}")


if __name__ == "__main__":
    main()
