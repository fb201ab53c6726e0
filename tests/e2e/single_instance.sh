# A second copy of the installer only raises the first and ends without a window;
# a copy whose installation data is missing says so and ends with an error code.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"

dist="$VWI_OUT/single-instance"
make_dist "$dist"
caption="Vimzee Web Installer"

start_installer first "$dist"
check "the first copy reports its missing installation data" \
  driver wait-box "$caption" 20000
text=$(driver wait-box "$caption" 1000)
check "the message names the manifest" \
  grep -q 'config\\manifestHome.xml' <<<"$text"
screenshot single-instance-first

start_installer second "$dist" /s
check "the second copy ends by itself" equals "$(exit_code "$second" 20)" 0
check "the second copy shows nothing" equals "$(driver count-boxes "$caption")" 1
check "the first copy still runs" running "$first"

driver press-box "$caption" 1
check "the first copy ends with the set-up failure code" equals "$(exit_code "$first" 20)" 1603

finish
