#!/usr/bin/env python3
"""Writes a zip whose bytes depend only on the files' contents and one date:
entries sorted by name, each dated EPOCH (seconds since 1970, UTC), with
fixed permissions and no extra fields.

Usage: make-zip.py OUTPUT EPOCH FILE...   (entries are named by base name)
"""
import os
import sys
import time
import zipfile


def main() -> None:
    output, epoch, files = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
    # Zip dates are local calendar fields from 1980 on; the epoch's UTC fields are used.
    date = time.gmtime(max(epoch, 315532800))[:6]
    with zipfile.ZipFile(output + ".tmp", "w") as archive:
        for path in sorted(files, key=os.path.basename):
            entry = zipfile.ZipInfo(os.path.basename(path), date_time=date)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 3  # Unix, so that the permissions below are read
            entry.external_attr = (0o100755 if os.access(path, os.X_OK) else 0o100644) << 16
            with open(path, "rb") as source:
                archive.writestr(entry, source.read(), compresslevel=9)
    os.replace(output + ".tmp", output)


if __name__ == "__main__":
    main()
