#!/usr/bin/env bash
# The download benchmark: a 256 MiB file from nginx on loopback, fetched by
# DownloadToFile under Wine, by a bare WinINet loop of the same shape in the
# same run, and by curl, alternating, several runs; prints every run and the
# medians, the ratios and the cost of the per-batch flush. Each run also
# downloads the file from the fault server whole and with its connection cut
# twice (at a third and two thirds, each cut resumed by a retry).
#   bench/download/run.sh [BUILD_WIN_DIR] [RUNS] [MIB]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd)
runs=${2:-5}
mib=${3:-256}
exe=$build/bench/bench_download.exe
[ -f "$exe" ] || { echo "build bench_download first (ninja -C $build bench_download)" >&2; exit 1; }
out=$build/bench/download
mkdir -p "$out"
"$root/tests/harness/servers/make_www.sh" "$out/www" "$mib"
# shellcheck source=../../tests/harness/wine-env.sh
source "$root/tests/harness/wine-env.sh"
# shellcheck source=../../tests/harness/servers/servers.sh
source "$root/tests/harness/servers/servers.sh"
wine_env_start "$build" >/dev/null
rm -f "$out/servers/nginx-access.log"
servers_start "$out" "$out/www"
trap 'servers_stop; wine_env_stop' EXIT
url="http://127.0.0.1:$VWI_NGINX_PORT/big.bin"
bytes=$((mib * 1024 * 1024))
target=$(wine_path "$out")
results=$out/results.txt
: >"$results"
for run in $(seq 1 "$runs"); do
  t=$(curl -s -o "$out/curl.bin" -w '%{time_total}' "$url")
  [ "$(stat -c %s "$out/curl.bin")" -eq "$bytes" ] || { echo "curl short" >&2; exit 1; }
  rm -f "$out/curl.bin"
  echo "curl $t" >>"$results"
  order=$([ $((run % 2)) -eq 0 ] && echo reverse || echo forward)
  wine_run "$exe" "$url" "$bytes" "$target" "$order" | tr -d '\r' >>"$results"
  fault="http://127.0.0.1:$VWI_FAULT_PORT"
  wine_run "$exe" cut "$target" "$bytes" "$fault/file/big.bin" \
    "$fault/dropfile/cut-$$-$run/$((bytes / 3))/big.bin?cuts=2" | tr -d '\r' >>"$results"
  echo "run $run ($order): $(tail -8 "$results" | awk '{printf "%s %ss  ", $1, $2}')"
done
python3 - "$results" "$mib" "$out/servers/nginx-access.log" <<'PY'
import statistics, sys
times = {}
sent = {}
for line in open(sys.argv[3]):
    f = line.split()
    if len(f) > 9 and f[6] == "/big.bin":
        sent.setdefault(f[5].strip('"'), []).append(int(f[9]))
for line in open(sys.argv[1]):
    name, secs = line.split()[:2]
    if secs == "FAILED":
        sys.exit("a transfer failed: " + line)
    times.setdefault(name, []).append(float(secs))
mib = int(sys.argv[2])
med = {k: statistics.median(v) for k, v in times.items()}
for k in ["curl", "bare-flush", "ours-flush", "bare-noflush", "ours-noflush", "whole", "cut"]:
    print("%-13s median %7.3f s  %7.1f MiB/s  (runs: %s)" % (
        k, med[k], mib / med[k], " ".join("%.2f" % t for t in times[k])))
print("size query     median %7.3f s  (runs: %s)" % (
    med["size-query"], " ".join("%.3f" % t for t in times["size-query"])))
for method, counts in sorted(sent.items()):
    print("server sent for %-4s requests: %d requests, %s bytes each (min/median/max)" % (
        method, len(counts), "/".join(str(x) for x in (min(counts), int(statistics.median(counts)), max(counts)))))
print("DownloadToFile / bare loop (flush):    %.2fx" % (med["ours-flush"] / med["bare-flush"]))
print("DownloadToFile / bare loop (no flush): %.2fx" % (med["ours-noflush"] / med["bare-noflush"]))
print("DownloadToFile / curl:                 %.2fx" % (med["ours-flush"] / med["curl"]))
print("cut twice / whole (fault server):      %.2fx, %+.3f s (of which 3 s are the retry waits)" % (
    med["cut"] / med["whole"], med["cut"] - med["whole"]))
print("per-batch flush cost (ours):           %+.3f s (%.2fx)" % (
    med["ours-flush"] - med["ours-noflush"], med["ours-flush"] / med["ours-noflush"]))
print("per-batch flush cost (bare):           %+.3f s (%.2fx)" % (
    med["bare-flush"] - med["bare-noflush"], med["bare-flush"] / med["bare-noflush"]))
PY
