#!/usr/bin/env bash
# A silent installation of the fixture product, whole program, against its
# floor in the same run, alternating: the same bytes fetched once by a bare
# WinINet loop (bench_download fetch), the prerequisite run and msiexec
# installing the main package. Ours is shown with and without the fixed
# waits the program keeps (3 s before the start, 200 ms after the check).
# Prints every run, min/median/max and the ratio.
#   bench/silent/run.sh [BUILD_WIN_DIR] [RUNS]
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
runs=${2:-5}
source "$root/bench/product-bench.sh"
bench_product silent "${1:-$root/build/win}" bench_download
fetch="$bench/bench_download.exe"
floor_dir="$VWI_OUT/floor"
mkdir -p "$floor_dir"
folder='C:\Program Files\Orvanta'
now() { date +%s.%N; }
floor() {
  rm -f "$floor_dir"/*
  "$WINE64" "$(wine_path "$fetch")" fetch "$(wine_path "$floor_dir")" \
    "$SERVER/install/vc_redist.exe" "$SERVER/install/Vimzee.msi" >/dev/null 2>&1 || return 1
  "$WINE64" "$(wine_path "$floor_dir/vc_redist.exe")" /install /quiet >/dev/null 2>&1
  "$WINE64" msiexec /i "$(wine_path "$floor_dir/Vimzee.msi")" /qn INSTALLDIR="$folder" >/dev/null 2>&1
}
ours() {
  (cd "$dist" && "$WINE64" "$DRIVER_EXE" run "$(wine_path "$dist/VimzeeWebInstaller.exe")" /s \
    >"$VWI_OUT/ours.exit" 2>/dev/null)
  [ "$(tr -d '\r' <"$VWI_OUT/ours.exit")" = 0 ]
}
results="$VWI_OUT/results.txt"
: >"$results"
for run in $(seq 1 "$runs"); do
  steps=(floor ours)
  [ $((run % 2)) -eq 0 ] && steps=(ours floor)
  for step in "${steps[@]}"; do
    clean_machine
    start=$(now)
    if "$step"; then
      echo "$step $(echo "$(now) - $start" | bc)" >>"$results"
    else
      echo "$step FAILED" >>"$results"
    fi
    test -f "$WINEPREFIX/drive_c/Program Files/Orvanta/Product.exe" || echo "$step: product missing" >&2
  done
  echo "run $run: $(tail -2 "$results" | tr '\n' ' ')"
done
clean_machine
python3 - "$results" <<'PY'
import statistics, sys
times = {}
for line in open(sys.argv[1]):
    name, value = line.split()
    if value == "FAILED":
        sys.exit("a run failed: " + line)
    times.setdefault(name, []).append(float(value))
times["ours-without-waits"] = [t - 3.2 for t in times["ours"]]
for name in ("floor", "ours", "ours-without-waits"):
    v = times[name]
    print("%-19s min %6.2f s  median %6.2f s  max %6.2f s" % (
        name, min(v), statistics.median(v), max(v)))
print("ours without the fixed waits / floor: %.2fx" % (
    statistics.median(times["ours-without-waits"]) / statistics.median(times["floor"])))
PY
