# Closing the wizard during the status panel's start wait: nothing starts
# while the question is open, so No after five seconds finds nothing
# downloaded and the installation then runs; Yes ends the run at once with
# nothing downloaded.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"
source "$VWI_ROOT/tests/harness/product-lib.sh"

product_server wizard-start-wait || exit 1
clean_machine
dist="$VWI_OUT/wizard-start-wait"
product_dist "$dist"
access_log="$VWI_OUT/wizard-start-wait-servers/servers/nginx-access.log"
packages() { grep -c 'GET /install/' "$access_log"; }

# Opens the status panel and asks to close the wizard at once, inside the
# three-second wait before the installation starts.
close_in_start_wait() { # variable for the run
  park_mouse
  start_installer "$1" "$dist"
  wait_control install 60 || return 1
  click_control install
  wait_control status_label 10 || return 1
  driver close "$MAIN_CLASS"
  [ "$(driver wait-box "$CAPTION" 20000)" = "Are you sure you want to cancel the installation?" ]
}

# Answered No after five seconds.
check "the question comes during the start wait" close_in_start_wait run
sleep 5
check "nothing was downloaded while it was open" equals "$(packages)" 0
press_box "$CAPTION" no
check "after No the installation runs to the success panel" wait_control start_now 120
check "the product is installed" test -f "$WINEPREFIX/drive_c/Program Files/Orvanta/Product.exe"
click_control start_now
exit_code "$run" 30 >/dev/null

# Answered Yes.
clean_machine
before=$(packages)
check "the question comes during the start wait again" close_in_start_wait run
press_box "$CAPTION" yes
check "Yes ends the run at once, cancelled" equals "$(exit_code "$run" 10)" 1602
check "with nothing downloaded" equals "$(packages)" "$before"
check "and nothing installed" test ! -e "$WINEPREFIX/drive_c/Program Files/Orvanta/Product.exe"

clean_machine
finish
