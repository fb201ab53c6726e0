#!/usr/bin/env bash
# The install engine's overhead: a silent engine run of the fixture product
# against Msiexec installing the same packages alone, alternating, in one
# run under Wine; prints every run and the medians.
#   bench/install/run.sh [BUILD_WIN_DIR] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd)
runs=${2:-7}
exe=$build/bench/bench_install.exe
[ -f "$exe" ] || { echo "build bench_install first (ninja -C $build bench_install)" >&2; exit 1; }
# shellcheck source=../../tests/harness/wine-env.sh
source "$root/tests/harness/wine-env.sh"
wine_env_start "$build" >/dev/null
wine_run "$exe" "$runs"
