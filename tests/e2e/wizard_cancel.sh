# Closing the wizard while a download runs: No lets the paused download go
# on over the same request to the end; Yes cancels, and the run ends with
# nothing installed. Closing the success panel opens the home page.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"
source "$VWI_ROOT/tests/harness/product-lib.sh"

product_server wizard-cancel || exit 1
clean_machine
browser_log="$VWI_OUT/wizard-cancel-browser.log"
record_browser "$browser_log"
dist="$VWI_OUT/wizard-cancel"
product_dist "$dist" slow
access_log="$VWI_OUT/wizard-cancel-servers/servers/nginx-access.log"

# Starts an installation and waits until the slow download is under way.
start_download() { # variable for the run
  start_installer "$1" "$dist"
  wait_control install 60 || return 1
  click_control install
  wait_until 30 downloading
}
downloading() { [ "$(control_text status_label)" = "Downloading, please wait..." ]; }

# Answered No.
check "the download starts" start_download run
wait_until 10 progress_moved
driver close "$MAIN_CLASS"
text=$(driver wait-box "$CAPTION" 20000)
check "closing asks whether to cancel" equals "$text" "Are you sure you want to cancel the installation?"
screenshot cancel-question
wait_until 5 text_steady percent_label
before=$(control_text percent_label)
# Long enough that a download that went on would move the bar.
sleep 3
after=$(control_text percent_label)
check "the download waits while the question is open ($before)" equals "$after" "$before"
press_box "$CAPTION" no
check "after No the installation completes" wait_control start_now 120
# The engine asks for the file's size (HEAD) and then for the whole; a
# download that had to start again would show a second GET.
check "the paused download went on in the same request" \
  equals "$(grep -c 'GET /slow/install/vc_redist.exe' "$access_log")" 1
check "which delivered the whole file" \
  equals "$(grep -c "GET /slow/install/vc_redist.exe HTTP/1.1\" 200 $(stat -c %s "$WWW/install/vc_redist.exe")" "$access_log")" 1
check "the product is installed" test -f "$WINEPREFIX/drive_c/Program Files/Orvanta/Product.exe"
screenshot cancel-no-success

# The success panel's Close button: the home page, then the end, without
# starting the product.
read -r wl wt wr wb <<<"$(driver window-rect "$MAIN_CLASS")"
xdotool mousemove $((wr - 16)) $((wt + 15)) click 1
check "the caption's Close button ends the run" equals "$(exit_code "$run" 20)" 0
check "the home page was opened" equals "$(cat "$browser_log")" "http://127.0.0.1/vimzee/home"
check "the product was not started" equals "$(reg_value "$PROGRAMS_KEY\\Product" Runs)" ""

# Answered Yes.
clean_machine
check "the second download starts" start_download run
driver watch-text "$MAIN_CLASS" "$(control_id status_label)" 60000 >"$VWI_OUT/wizard-cancel-status.txt" &
watch_status=$!
driver watch-text "$MAIN_CLASS" "$(control_id percent_label)" 60000 >"$VWI_OUT/wizard-cancel-percent.txt" &
watch_percent=$!
sleep 1
driver close "$MAIN_CLASS"
driver wait-box "$CAPTION" 20000 >/dev/null
press_box "$CAPTION" yes
driver close "$MAIN_CLASS"
settle
check "a second close request while cancelling asks nothing" equals "$(driver count-boxes "$CAPTION")" 0
check "after Yes the run ends as cancelled" equals "$(exit_code "$run" 60)" 1602
wait "$watch_status" "$watch_percent"
check "the status line showed Cancelling..." grep -qx "Cancelling..." "$VWI_OUT/wizard-cancel-status.txt"
check "the bar fell to 0" equals "$(tail -1 "$VWI_OUT/wizard-cancel-percent.txt")" "0.0%"
check "nothing was installed" test ! -e "$WINEPREFIX/drive_c/Program Files/Orvanta/Product.exe"
check "the package never ran" equals "$(reg_value "$PRODUCT_KEY" InstallDir)" ""
check "the prerequisite never ran" equals "$(reg_value "$PROGRAMS_KEY\\Prerequisite" Runs)" ""

clean_machine
finish
