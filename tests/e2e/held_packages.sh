# The file that was checked is the file that is used: while the installer
# waits for a prerequisite program, every package it has downloaded is held
# in the run's own folder, so another program can neither write to it,
# rename it nor delete it. Once the installation is over the folder goes.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"
source "$VWI_ROOT/tests/harness/product-lib.sh"

product_server held-packages || exit 1
clean_machine
dist="$VWI_OUT/held-packages"
product_dist "$dist"
# The prerequisite program waits long enough for the attempts below.
"$WINE64" reg add "$PROGRAMS_KEY\\Prerequisite" /v WaitMs /t REG_DWORD /d 8000 /f >/dev/null 2>&1

start_installer run "$dist" /s
prerequisite_runs() { [ "$(reg_value "$PROGRAMS_KEY\\Prerequisite" Runs)" = 0x1 ]; }
wait_until 60 prerequisite_runs
check "the installer is waiting for the prerequisite program" \
  equals "$(reg_value "$PROGRAMS_KEY\\Prerequisite" Runs)" 0x1
run_dir=$(run_folder)
package="$run_dir/msi/Vimzee.msi"
program=$(ls "$run_dir"/component/*vc_redist.exe 2>/dev/null | head -1)
check "the packages lie in the run's own protected folder ($run_dir)" test -f "$package"
check "and nothing beside the program" test ! -e "$dist/msi"
check "the main package is held: no write, rename or delete" \
  equals "$(driver tamper "$(wine_path "$package")")" "write:32 rename:32 delete:32"
check "so is the prerequisite program while it runs" \
  equals "$(driver tamper "$(wine_path "$program")")" "write:32 rename:32 delete:32"
check "the installation completes" equals "$(exit_code "$run" 120)" 0
check "the product is installed" test -f "$WINEPREFIX/drive_c/Program Files/Orvanta/Product.exe"
# Once the run is over nothing holds the package, and its folder is gone.
check "after the run its folder is removed" test ! -e "$run_dir"

clean_machine
finish
