# Source from a benchmark: the fixture product of the whole-program scenarios
# behind its loopback server, for a benchmark under Wine.
#
#   bench_product NAME BUILD_WIN_DIR EXE...   checks that bench/EXE.exe are
#       built, starts Wine and the server, and makes the distribution folder
#       $dist; sets bench (the benchmark programs' folder) and VWI_OUT
bench_product() { # name build exe...
  local name=$1 exe
  build=$(cd "$2" && pwd)
  shift 2
  bench="$build/bench"
  for exe in "$@"; do
    [ -f "$bench/$exe.exe" ] || { echo "build $exe first (ninja -C $build $exe)" >&2; exit 1; }
  done
  export VWI_ROOT=$root VWI_BUILD_WIN=$build VWI_OUT=$build/bench/$name
  mkdir -p "$VWI_OUT"
  source "$root/tests/harness/e2e-lib.sh"
  source "$root/tests/harness/product-lib.sh"
  wine_env_start "$build" >/dev/null
  product_server "bench-$name" >/dev/null || exit 1
  dist="$VWI_OUT/dist"
  product_dist "$dist"
}
