"""zip.py ZIP FOLDER [MTIME]: zips FOLDER (by its name, from its parent) into ZIP
the same way every time: the files in sorted order, each dated MTIME (seconds
since 1970, UTC; now when not given), no extra fields with other times or
owners, deflated at level 9."""
import os
import sys
import time
import zipfile

zip_path, folder = sys.argv[1], sys.argv[2]
stamp = time.gmtime(int(sys.argv[3]) if len(sys.argv) > 3 else time.time())
date_time = (max(stamp.tm_year, 1980),) + tuple(stamp[1:6])
parent = os.path.dirname(os.path.abspath(folder))
names = []
for root, _dirs, files in os.walk(folder):
    names += [os.path.relpath(os.path.join(root, f), parent) for f in files]
with zipfile.ZipFile(zip_path, "w") as archive:
    for name in sorted(names):
        info = zipfile.ZipInfo(name.replace(os.sep, "/"), date_time)
        info.compress_type = zipfile.ZIP_DEFLATED
        info.external_attr = 0o644 << 16
        with open(os.path.join(parent, name), "rb") as f:
            archive.writestr(info, f.read(), compresslevel=9)
