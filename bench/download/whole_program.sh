#!/usr/bin/env bash
# The whole program's download against DownloadToFile alone, side by side in
# one run: a silent installation whose prerequisite is padded to 256 MiB
# (the padding after the program does not change what it does), timed by
# the run log's own request line, and bench_download's DownloadToFile (with
# the per-batch flush) on the same address, alternating. Prints every run,
# min/median/max and the ratio.
#   bench/download/whole_program.sh [BUILD_WIN_DIR] [RUNS] [MIB]
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
runs=${2:-5}
mib=${3:-256}
export WINEPREFIX="$(cd "${1:-$root/build/win}" && pwd)/wine/prefix"
source "$root/bench/product-bench.sh"
bench_product whole_program "${1:-$root/build/win}" bench_download
trap 'servers_stop; wine_env_stop' EXIT
head -c $((mib * 1024 * 1024)) /dev/zero >>"$WWW/install/vc_redist.exe"
bytes=$(stat -c %s "$WWW/install/vc_redist.exe")
url="$SERVER/install/vc_redist.exe"
alone="$VWI_OUT/alone"
results="$VWI_OUT/results.txt"
: >"$results"
whole() {
  local log="$VWI_OUT/run.log"
  clean_machine
  clean_cache
  rm -f "$log"
  (cd "$dist" && "$WINE64" "$DRIVER_EXE" run "$(wine_path "$dist/VimzeeWebInstaller.exe")" /s \
    /log "$(wine_path "$log")" >/dev/null 2>&1)
  # "Request GET file URL: status 200, BYTES bytes, MS ms, ok"
  grep -F "Request GET file $url: status 200, $bytes bytes" "$log" |
    sed -E 's/.* ([0-9]+) ms, ok.*/\1/' | awk '{ printf "whole %.3f\n", $1 / 1000 }'
}
downloadtofile() {
  mkdir -p "$alone" && rm -f "$alone"/*
  "$WINE64" "$(wine_path "$bench/bench_download.exe")" "$url" "$bytes" "$(wine_path "$alone")" \
    2>/dev/null | tr -d '\r' | awk '$1 == "ours-flush" { print "alone", $2 }'
}
for run in $(seq 1 "$runs"); do
  if [ $((run % 2)) -eq 1 ]; then whole >>"$results"; downloadtofile >>"$results"
  else downloadtofile >>"$results"; whole >>"$results"; fi
  echo "run $run: $(tail -2 "$results" | tr '\n' ' ')"
done
python3 - "$results" "$mib" <<'PY'
import statistics, sys
times = {}
for line in open(sys.argv[1]):
    name, secs = line.split()
    times.setdefault(name, []).append(float(secs))
mib = int(sys.argv[2])
for name in ("whole", "alone"):
    v = times.get(name) or sys.exit("no %s runs: a download failed" % name)
    print("%-6s min %6.3f s  median %6.3f s  max %6.3f s  (%.1f MiB/s at the median)" % (
        name, min(v), statistics.median(v), max(v), mib / statistics.median(v)))
print("whole program / DownloadToFile alone: %.2fx" % (
    statistics.median(times["whole"]) / statistics.median(times["alone"])))
PY
