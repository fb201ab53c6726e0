# A program of the product still running when Install is clicked: the
# installer asks to close it. Retry asks again while it runs, and goes on
# once it has ended; Cancel ends the run with 1602 and installs nothing.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"
source "$VWI_ROOT/tests/harness/product-lib.sh"

product_server running-apps || exit 1
clean_machine
dist="$VWI_OUT/running-apps"
product_dist "$dist"
BOX="Vimzee Home 27"  # the product's full name
release="$VWI_OUT/running-apps.release"

# Stands for Vimzee Home running: its single-instance semaphore exists until
# the release file does.
hold_application() {
  rm -f "$release" "$VWI_OUT/running-apps.held"
  "$WINE64" "$DRIVER_EXE" hold-semaphore VimzeeHome.Application.Running \
    "$(wine_path "$release")" >"$VWI_OUT/running-apps.held" 2>/dev/null &
  holder=$!
  _e2e_pids+=($!)
  wait_until 30 grep -qs held "$VWI_OUT/running-apps.held"
}
box_shown() { [ "$(driver count-boxes "$BOX")" = 1 ]; }
product_installed() { test -f "$WINEPREFIX/drive_c/Program Files/Orvanta/Product.exe"; }

# Cancel: nothing is installed.
check "the application runs" hold_application
start_installer run "$dist"
wait_control install 60
click_control install
text=$(driver wait-box "$BOX" 20000)
check "Install asks to close the running applications" \
  grep -q "^The following applications should be closed before continuing" <<<"$text"
check "the box lists it by name" grep -qx "Vimzee Home" <<<"$(tr -d '\r' <<<"$text")"
press_box "$BOX" retry
check "Retry while it runs asks again" wait_until 10 box_shown
press_box "$BOX" cancel
check "Cancel ends the run, cancelled" equals "$(exit_code "$run" 20)" 1602
check "nothing was downloaded" equals "$(grep -c 'Vimzee.msi' \
  "$VWI_OUT/running-apps-servers/servers/nginx-access.log")" 0
check "nothing was installed" test ! -e "$WINEPREFIX/drive_c/Program Files/Orvanta/Product.exe"
touch "$release"

# Retry once the application has ended: the installation goes on ("/l" ends
# the run by itself, with the product started).
check "the application runs again" hold_application
start_installer run "$dist" /l
wait_control install 60
click_control install
driver wait-box "$BOX" 20000 >/dev/null
touch "$release"
wait "$holder"
press_box "$BOX" retry
check "the installation completes" equals "$(exit_code "$run" 120)" 0
check "the product is installed" product_installed
check "no box is left" equals "$(driver count-boxes "$BOX")" 0

clean_machine
finish
