#!/usr/bin/env bash
# The size map of the shipped program: links it once more, unstripped and
# with the linker's map, from the Windows tree's own objects and command,
# then prints the sizes by section, library and object.
#   bench/size/run.sh [BUILD_WIN_DIR] [TOP]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd)
top=${2:-25}
out=$build/bench/size
mkdir -p "$out"
ninja -C "$build" bin/VimzeeWebInstaller.exe >/dev/null
command=$(ninja -C "$build" -t commands bin/VimzeeWebInstaller.exe | tail -1)
link=${command#": && "}
link=${link%% && cd *}            # the import check after the link
link=${link/ -s / }               # keep the symbols for the map
link=${link/-o bin\/VimzeeWebInstaller.exe/-o $out/VimzeeWebInstaller.map.exe -Wl,-Map=$out/linker.map}
(cd "$build" && eval "$link")
echo "shipped: $(stat -c %s "$build/bin/VimzeeWebInstaller.exe") bytes"
x86_64-w64-mingw32-size -A "$out/VimzeeWebInstaller.map.exe" | awk '$1 ~ /^\.(text|rdata|data|pdata|xdata|rsrc|idata|reloc)$/ {printf "  %-8s %9d\n", $1, $2}'
python3 "$root/bench/size/size_map.py" "$out/linker.map" "$top"
echo "largest symbols:"
x86_64-w64-mingw32-nm --size-sort -S -C "$out/VimzeeWebInstaller.map.exe" | grep -v " \.[a-z_]*$" |
  tail -n "$top" | tac |
  while read -r _ size _ name; do printf '  %9d  %s\n' "$((16#$size))" "$name"; done
