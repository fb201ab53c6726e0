# Unattended and repeated runs: "/s" installs without ever showing a window;
# a run on the installed product at the offered version ends at the
# validator's question; a newer offer opens the wizard on the status panel.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"
source "$VWI_ROOT/tests/harness/product-lib.sh"

product_server wizard-silent || exit 1
clean_machine
browser_log="$VWI_OUT/wizard-silent-browser.log"
record_browser "$browser_log"
dist="$VWI_OUT/wizard-silent"
product_dist "$dist"

# "/s": not one window, ever, while the product is installed.
check "nothing is on the screen before the run" equals "$(driver count-visible)" 0
start_installer run "$dist" /s
shown=0
for _ in $(seq 1 300); do
  running "$run" || break
  visible=$(driver count-visible)
  [ "$visible" != 0 ] && shown=$visible && screenshot silent-visible
  sleep 0.2
done
check "the silent run ends by itself" equals "$(exit_code "$run" 10)" 0
check "no window was visible during the silent run" equals "$shown" 0
check "the product is installed" test -f "$WINEPREFIX/drive_c/Program Files/Orvanta/Product.exe"
check "the package saw the folder" equals "$(reg_value "$PRODUCT_KEY" InstallDir)" 'C:\Program Files\Orvanta\'
check "the prerequisite ran" equals "$(reg_value "$PROGRAMS_KEY\\Prerequisite" Runs)" 0x1
check "the product was not started" equals "$(reg_value "$PROGRAMS_KEY\\Product" Runs)" ""
# Each package crossed the network once: the server sent, over all requests
# for it, exactly its size (the size query brings no body).
access_log="$VWI_OUT/wizard-silent-servers/servers/nginx-access.log"
for package in install/Vimzee.msi install/vc_redist.exe; do
  sent=$(awk -v p="/$package" '$7 == p { s += $10 } END { print s + 0 }' "$access_log")
  check "the server sent $package once" equals "$sent" "$(stat -c %s "$WWW/$package")"
done

# The offered version is the installed one: the validator's question, no wizard.
start_installer run "$dist"
text=$(driver wait-box "$CAPTION" 60000)
screenshot already-installed
check "the installed product is reported" \
  equals "$text" "Vimzee Home is already installed. Would you like to launch it?"
press_box "$CAPTION" yes
check "the run ends as already installed" equals "$(exit_code "$run" 30)" 1638
check "no wizard was opened" equals "$(driver window-state "$MAIN_CLASS")" none
check "Yes started the installed product" equals "$(reg_value "$PROGRAMS_KEY\\Product" Runs)" 0x1

# A newer offer for the installed product: straight to the status panel,
# which updates it; Start Now then starts it without a home page.
version_file 27.0.0.6  # newer by its last part
start_installer run "$dist"
check "the wizard opens on the status panel" wait_control status_label 60
check "without the settings panel" equals "$(control_rect install)" ""
settle
screenshot installed-status
check "the update finishes on the success panel" wait_control start_now 120
click_control start_now
check "Start Now ends the run" equals "$(exit_code "$run" 30)" 0
check "no home page for a product that was installed" equals "$(cat "$browser_log")" ""
check "the product was started" equals "$(reg_value "$PROGRAMS_KEY\\Product" Runs)" 0x2
check "the prerequisite was not run again" equals "$(reg_value "$PROGRAMS_KEY\\Prerequisite" Runs)" 0x1

clean_machine
finish
