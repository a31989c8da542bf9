#!/usr/bin/env python3
"""Writes a zip of the given files, stored flat under their own names, with
fixed times and permissions so that the same files always give the same zip.
Names are stored in UTF-8 with the zip's UTF-8 flag, which Windows honours.

    make_zip.py OUT.zip FILE...
"""
import sys
import zipfile
from pathlib import Path


def main(out, files):
    with zipfile.ZipFile(out, "w", compression=zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        for name in files:
            path = Path(name)
            info = zipfile.ZipInfo(path.name, date_time=(1980, 1, 1, 0, 0, 0))
            info.external_attr = 0o644 << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            z.writestr(info, path.read_bytes())


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2:])
