#!/usr/bin/env bash
# Fills a folder with what the loopback servers serve to the download tests:
# the fixture version files and packages, and generated binary files whose
# bytes follow the fault server's pattern.
#   make_www.sh WWW_DIR [BIG_MIB]   (BIG_MIB: also a big.bin of that many MiB)
set -euo pipefail
www=$1
here=$(cd "$(dirname "$0")" && pwd)
fixtures=$(cd "$here/../../fixtures/download" && pwd)
mkdir -p "$www"
cp -r "$fixtures/served/." "$www/"
python3 - "$www" "${2:-0}" <<'PY'
import os, sys
www, big = sys.argv[1], int(sys.argv[2])
def pattern(start, count):
    return bytes(((i * 7 + i // 4096) & 0xFF) for i in range(start, start + count))
for name, size in [("pkg-40961.bin", 40961), ("pkg-8192.bin", 8192), ("one.bin", 1),
                   ("prereq.exe", 50000), ("main.msi", 123457), ("lp.exe", 4096 * 3), ("updater.exe", 70000)]:
    path = os.path.join(www, name)
    if not os.path.exists(path) or os.path.getsize(path) != size:
        with open(path, "wb") as f:
            f.write(pattern(0, size))
if big:
    path = os.path.join(www, "big.bin")
    size = big * 1024 * 1024
    if not os.path.exists(path) or os.path.getsize(path) != size:
        block = os.urandom(1024 * 1024)
        with open(path, "wb") as f:
            for _ in range(big):
                f.write(block)
PY
