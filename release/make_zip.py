#!/usr/bin/env python3
"""Writes the Windows download: quillon-<version>-win64.zip and SHA256SUMS.

usage: SOURCE_DATE_EPOCH=<commit time> make_zip.py <quillon.exe> <version> <dist folder>

Only the inputs reach the bytes: entries in a fixed order, every one dated from
SOURCE_DATE_EPOCH, with fixed attributes and no extra fields, so the folder, clock,
umask and locale of the build leave no trace.
"""

import hashlib
import os
import sys
import time
import zipfile
from pathlib import Path

here = Path(__file__).resolve().parent


def windows_text(path, version):
    # Notepad users get CRLF line ends.
    text = path.read_text(encoding="utf-8").replace("{version}", version)
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")


def main():
    exe, version, dist = sys.argv[1:]
    stamp = time.gmtime(int(os.environ["SOURCE_DATE_EPOCH"]))[:6]
    entries = {
        "quillon.exe": Path(exe).read_bytes(),
        "README.txt": windows_text(here / "README.txt", version),
        "LICENSE": windows_text(here.parent / "LICENSE", version),
    }
    name = f"quillon-{version}-win64.zip"
    zip_path = Path(dist) / name
    with zipfile.ZipFile(zip_path, "w") as zf:
        for entry in sorted(entries):
            info = zipfile.ZipInfo(entry, date_time=stamp)
            info.create_system = 0  # made on Windows: attributes are DOS ones, here none
            info.external_attr = 0
            zf.writestr(info, entries[entry], zipfile.ZIP_DEFLATED, 9)
    digest = hashlib.sha256(zip_path.read_bytes()).hexdigest()
    (Path(dist) / "SHA256SUMS").write_text(f"{digest}  {name}\n", encoding="ascii")


if __name__ == "__main__":
    main()
