#!/usr/bin/env bash
# The wizard benchmark, under Wine, each pair in the same run, alternating:
#  - the first visible window of the installer (its validator) against the
#    floor program that only shows a window, and against the same with a
#    marquee progress bar and the installer's application manifest;
#  - the installer's memory, handles and GDI and USER objects 1 s after the
#    wizard appears, against the floor program that paints one Direct2D DC
#    render target.
# Prints every run, then min/median/max and the ratios.
#   bench/wizard/run.sh [BUILD_WIN_DIR] [RUNS]
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
runs=${2:-5}
source "$root/bench/product-bench.sh"
bench_product wizard "${1:-$root/build/win}" bench_window bench_floor bench_floor_marquee
measure() { # label class program args...
  local label=$1 class=$2
  shift 2
  "$WINE64" "$(wine_path "$bench/bench_window.exe")" "$class" 1000 0 0 "$@" 2>/dev/null |
    tr -d '\r' | sed "s/^/$label /"
}
results="$VWI_OUT/results.txt"
: >"$results"
floor=$(wine_path "$bench/bench_floor.exe")
marquee=$(wine_path "$bench/bench_floor_marquee.exe")
installer=$(wine_path "$dist/VimzeeWebInstaller.exe")
for run in $(seq 1 "$runs"); do
  clean_machine
  steps=(window marquee d2d ours)
  [ $((run % 2)) -eq 0 ] && steps=(ours d2d marquee window)
  for step in "${steps[@]}"; do
    case $step in
      window) measure floor-window VwiFloorWindow "$floor" ;;
      marquee) measure floor-marquee VwiFloorWindow "$marquee" ;;
      d2d) measure floor-d2d VwiFloorWindow "$floor" d2d ;;
      ours) (cd "$dist" && measure ours "$MAIN_CLASS" "$installer") ;;
    esac
  done | tee -a "$results" | sed "s/^/run $run: /"
done
python3 - "$results" <<'PY'
import statistics, sys
values = {}
for line in open(sys.argv[1]):
    f = line.split()
    if len(f) >= 3 and f[1] in ("first-window", "class-window"):
        values.setdefault((f[0], f[1]), []).append(float(f[2]))
    elif len(f) >= 13 and f[1] == "sample":
        for name, value in zip(f[3::2], f[4::2]):
            values.setdefault((f[0], name), []).append(float(value))
def show(key, scale=1.0, unit=""):
    v = values.get(key)
    if not v:
        print("%-28s (no value)" % " ".join(key)); return None
    m = statistics.median(v)
    print("%-28s min %9.1f  median %9.1f  max %9.1f %s" % (
        " ".join(key), min(v) / scale, m / scale, max(v) / scale, unit))
    return m
a = show(("floor-window", "first-window"), unit="ms")
m = show(("floor-marquee", "first-window"), unit="ms")
b = show(("ours", "first-window"), unit="ms")
show(("ours", "class-window"), unit="ms (wizard)")
if a and b: print("first window, ours / floor:           %.2fx" % (b / a))
if m and b: print("first window, ours / marquee floor:   %.2fx" % (b / m))
for who in ("floor-d2d", "ours"):
    for name in ("working-set", "private"):
        show((who, name), 1048576.0, "MiB")
    for name in ("handles", "gdi", "user"):
        show((who, name))
c, d = (statistics.median(values.get((w, "working-set"), [0])) for w in ("floor-d2d", "ours"))
if c and d: print("working set 1 s after, ours / floor: %.2fx" % (d / c))
PY
