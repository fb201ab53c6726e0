#!/usr/bin/env bash
# The wizard over a long run of the status panel and its slide show: an
# update of the installed fixture product whose prerequisite arrives slowly
# (64 KiB/s, padded to last MINUTES), sampled every 30 s by bench_window:
# working set, private bytes, handles, GDI and USER objects. Growth shows as
# a rising column. (Under Wine the handle and object counts of another
# process read 0.)
#   bench/wizard/leak.sh [BUILD_WIN_DIR] [MINUTES]
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
minutes=${2:-10}
source "$root/bench/product-bench.sh"
bench_product leak "${1:-$root/build/win}" bench_window
clean_machine
# The product is installed first; a newer offer then opens the status panel.
(cd "$dist" && "$WINE64" "$DRIVER_EXE" run "$(wine_path "$dist/VimzeeWebInstaller.exe")" /s \
  >/dev/null 2>&1)
version_file 27.0.0.6
head -c $((minutes * 60 * 65536 + 65536 * 30)) /dev/zero >>"$WWW/install/vc_redist.exe"
product_dist "$dist" slow
run_ms=$((minutes * 60000))
(cd "$dist" && "$WINE64" "$(wine_path "$bench/bench_window.exe")" "$MAIN_CLASS" 1000 "$run_ms" 30000 \
  "$(wine_path "$dist/VimzeeWebInstaller.exe")" 2>/dev/null | tr -d '\r') | tee "$VWI_OUT/samples.txt"
clean_machine
python3 - "$VWI_OUT/samples.txt" <<'PY'
import sys
rows = [l.split() for l in open(sys.argv[1]) if l.startswith("sample")]
if len(rows) < 2:
    sys.exit("too few samples")
first, last = rows[0], rows[-1]
mib = lambda r, i: int(r[i]) / 1048576.0
print("working set: %.1f MiB at %ss, %.1f MiB at %ss (%+.1f MiB)" % (
    mib(first, 3), first[1], mib(last, 3), last[1], mib(last, 3) - mib(first, 3)))
print("largest working set: %.1f MiB" % max(mib(r, 3) for r in rows))
PY
