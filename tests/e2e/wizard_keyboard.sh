# The wizard without a mouse: Tab and Shift+Tab through the settings panel in
# reading order with a visible focus mark, the collapsed section out of
# reach, Space on the licence box, Enter on
# Install, Escape for the close request, Enter on Start Now.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"
source "$VWI_ROOT/tests/harness/product-lib.sh"

product_server wizard-keyboard || exit 1
clean_machine
record_browser "$VWI_OUT/wizard-keyboard-browser.log"
dist="$VWI_OUT/wizard-keyboard"
product_dist "$dist" slow
key() { xdotool key --delay 100 "$@"; settle; }

# Focus marks wait for the keyboard, as Windows has it by default (the
# prefix shows them always: bit 0x20 of the first byte).
desktop='HKCU\Control Panel\Desktop'
mask=$(reg_value "$desktop" UserPreferencesMask)
"$WINE64" reg add "$desktop" /v UserPreferencesMask /t REG_BINARY /d 1000028012000000 /f \
  >/dev/null 2>&1
park_mouse
start_installer run "$dist"
check "the wizard opens on the settings panel" wait_control install 60
# Without a window manager, keys go to the window under the pointer: rest it
# on the panel's background, away from every control.
read -r wl wt wr wb <<<"$(driver window-rect "$MAIN_CLASS")"
xdotool mousemove $((wl + 20)) $((wt + 120))
settle
# Before any key, Install has the focus but shows no focus mark.
check "Install has the focus at first" equals "$(focused)" install
screenshot keyboard-untouched
read -r il it ir ib <<<"$(control_rect install)"
lacks() { ! region_has "$@"; }
check "with no focus ring before the keyboard is used" \
  lacks keyboard-untouched $((il + 1)) $((it + 1)) $((il + 40)) $((it + 5)) FFFFFF
# Wherever the focus starts, Tab walks the controls in reading order.
while [ "$(focused)" != browse ]; do
  key Tab
  tabs=$((${tabs:-0} + 1))
  [ "$tabs" -gt 8 ] && break
done
order=""
for _ in 1 2 3 4 5 6; do
  key Tab
  order="$order $(focused)"
done
check "Tab goes Install, licence box, licence link, expander, folder, browse" \
  equals "$order" " install accept_box license_link settings_expander folder_edit browse"
order=""
for _ in 1 2 3 4 5 6; do
  key shift+Tab
  order="$order $(focused)"
done
check "Shift+Tab goes back" equals "$order" " folder_edit settings_expander license_link accept_box install browse"

# A collapsed section's rows are out of the keyboard's reach.
key shift+Tab shift+Tab
check "the expander has the focus" equals "$(focused)" settings_expander
key space
read -r cl ct cr cb <<<"$(driver window-rect "$MAIN_CLASS")"
check "Space on the expander collapses the section" equals "$((cb - ct))" 360
order=""
for _ in 1 2 3 4; do
  key Tab
  order="$order $(focused)"
done
check "Tab then skips the folder and Browse" equals "$order" " install accept_box license_link settings_expander"
key space
read -r cl ct cr cb <<<"$(driver window-rect "$MAIN_CLASS")"
check "Space expands it again" equals "$((cb - ct))" 446
key Tab
check "and the rows are back in the order" equals "$(focused)" folder_edit
screenshot keyboard-folder-focused
read -r fl ft fr fb <<<"$(control_rect folder_edit)"
check "the folder box shows its focus border when tabbed into" \
  region_has keyboard-folder-focused "$fl" "$ft" "$fr" "$((ft + 1))" 368AD3
key Tab

key shift+Tab shift+Tab shift+Tab shift+Tab
check "the licence box has the focus" equals "$(focused)" accept_box
screenshot keyboard-box-focused
read -r bl bt br bb <<<"$(control_rect accept_box)"
check "its focus mark is visible" region_has keyboard-box-focused "$bl" "$bt" "$br" "$bb" 368AD3
key space
screenshot keyboard-box-unticked
read -r il it ir ib <<<"$(control_rect install)"
check "Space unticks the licence box: Install turns grey" \
  equals "$(pixel keyboard-box-unticked $((il + 20)) $((it + 8)))" 707070
key space
screenshot keyboard-box-ticked
check "Space ticks it again: Install is blue" \
  equals "$(pixel keyboard-box-ticked $((il + 20)) $((it + 8)))" 07A5D8
# Held down, the key repeats; the box still changes once, on release.
xdotool keydown space
sleep 1.5
screenshot keyboard-box-held
check "a held Space changes nothing before its release" \
  equals "$(pixel keyboard-box-held $((il + 20)) $((it + 8)))" 07A5D8
xdotool keyup space
settle
screenshot keyboard-box-released
check "and one thing on release: unticked" \
  equals "$(pixel keyboard-box-released $((il + 20)) $((it + 8)))" 707070
key space
check "the box keeps its name for screen readers" \
  equals "$(control_text accept_box)" "I accept the License Terms"
check "the action button's label is its window text" \
  equals "$(control_text install)" "Install"

key shift+Tab
check "Install has the focus" equals "$(focused)" install
screenshot keyboard-install-focused
check "its focus ring is visible" region_has keyboard-install-focused \
  $((il + 1)) $((it + 1)) $((il + 40)) $((it + 5)) FFFFFF
key Return
check "Enter on Install starts the installation" wait_control status_label 30
wait_until 30 progress_moved
key Escape
text=$(driver wait-box "$CAPTION" 20000)
check "Escape asks whether to cancel" equals "$text" "Are you sure you want to cancel the installation?"
press_box "$CAPTION" no
check "after No the installation completes" wait_control start_now 120
settle
key Return
check "Enter on the success panel is Start Now" equals "$(exit_code "$run" 30)" 0
check "the product was started" equals "$(reg_value "$PROGRAMS_KEY\\Product" Runs)" 0x1

"$WINE64" reg add "$desktop" /v UserPreferencesMask /t REG_BINARY /d "${mask:-3000028012000000}" \
  /f >/dev/null 2>&1
clean_machine
finish
