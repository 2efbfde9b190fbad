"""Packs a Windows build into the release (see scripts/release):

    release_zip.py BUILD_DIR DIST_DIR

writes DIST_DIR/lumaseek-VERSION-win64.zip and prints its path (scripts/release
writes SHA256SUMS). The same build gives the same zip, byte for byte: the files
go in in a fixed order, each with the same time (SOURCE_DATE_EPOCH, by default
the time of the checked-out commit) and the same attributes, whatever the
files' own times and modes; the text files get Windows line ends.
"""

import os
import subprocess
import sys
import time
import zipfile

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

# (name in the zip, where it comes from: "bin" in the build folder, else the source tree)
CONTENTS = [
    ("lumaseek.exe", "bin"),
    ("lumaseek-cli.exe", "bin"),
    ("README.txt", "docs/README-windows.txt"),
    ("LICENSE.txt", "LICENSE"),
]


def project_version(build_dir):
    with open(os.path.join(build_dir, "CMakeCache.txt")) as cache:
        for line in cache:
            if line.startswith("CMAKE_PROJECT_VERSION:STATIC="):
                return line.split("=", 1)[1].strip()
    sys.exit(f"release_zip: no project version in {build_dir}/CMakeCache.txt")


def source_date_epoch():
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if epoch is None:
        epoch = subprocess.run(["git", "-C", REPO, "log", "-1", "--format=%ct"], check=True,
                               capture_output=True, text=True).stdout
    return int(epoch)


def file_bytes(name, source, build_dir):
    path = os.path.join(build_dir, "bin", name) if source == "bin" else os.path.join(REPO, source)
    with open(path, "rb") as f:
        data = f.read()
    if name.endswith(".txt"):
        data = data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
    return data


def write_zip(path, build_dir, epoch):
    date_time = time.gmtime(epoch)[:6]
    with zipfile.ZipFile(path, "w") as z:
        for name, source in CONTENTS:
            info = zipfile.ZipInfo(name, date_time)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0  # MS-DOS attributes, as Windows writes them
            info.external_attr = 0
            z.writestr(info, file_bytes(name, source, build_dir), compresslevel=9)


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: release_zip.py BUILD_DIR DIST_DIR")
    build_dir, dist_dir = sys.argv[1:]
    zip_name = f"lumaseek-{project_version(build_dir)}-win64.zip"
    zip_path = os.path.join(dist_dir, zip_name)
    os.makedirs(dist_dir, exist_ok=True)
    write_zip(zip_path, build_dir, source_date_epoch())
    print(zip_path)


if __name__ == "__main__":
    main()
