# Only one copy runs: a second copy restores the first copy's minimised wizard,
# brings it to the front and ends without a window of its own.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"
source "$VWI_ROOT/tests/harness/product-lib.sh"

dist="$VWI_OUT/single-instance"
make_dist "$dist"
mkdir -p "$dist/config"
cp "$VWI_ROOT/demo/config/manifestHome.xml" "$dist/config/"

iconic() { [ "$(driver window-state "$MAIN_CLASS")" = iconic ]; }

start_installer first "$dist" /n
check "the first copy shows its wizard" driver wait-window "$MAIN_CLASS" 20000
check "the work folders are made in the protected place, not beside the program" \
  bash -c "test -d '$(run_folder)/msi' -a ! -e '$dist/msi'"
driver minimise "$MAIN_CLASS"
check "the wizard is minimised" wait_until 5 iconic

start_installer second "$dist"
check "the second copy ends by itself" equals "$(exit_code "$second" 30)" 0
check "the first copy's wizard is restored" equals "$(driver window-state "$MAIN_CLASS")" normal
check "and is in front" equals "$(driver foreground)" "$MAIN_CLASS"
check "the first copy still runs" running "$first"
screenshot single-instance-restored

close_wizard "Vimzee Home" >/dev/null
check "the first copy ends as cancelled when its wizard closes" equals "$(exit_code "$first" 20)" 1602

finish
