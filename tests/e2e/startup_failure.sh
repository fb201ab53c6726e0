# A copy whose installation data is missing says so and ends with an error code;
# a second copy started meanwhile ends without showing anything.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"

dist="$VWI_OUT/startup-failure"
make_dist "$dist"
caption="Vimzee Web Installer"

start_installer first "$dist"
check "the first copy reports its missing installation data" \
  driver wait-box "$caption" 20000
text=$(driver wait-box "$caption" 1000)
check "the message names the manifest" \
  grep -q 'config\\manifestHome.xml' <<<"$text"
screenshot startup-failure-box

start_installer second "$dist" /s
check "the second copy ends by itself" equals "$(exit_code "$second" 20)" 0
check "the second copy shows nothing" equals "$(driver count-boxes "$caption")" 1
check "the first copy still runs" running "$first"

press_box "$caption" ok
check "the first copy ends with the manifest-unusable code" equals "$(exit_code "$first" 20)" 1610

finish
