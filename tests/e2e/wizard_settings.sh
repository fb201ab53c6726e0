# The settings panel's own rules, with real mouse and keyboard input: the
# licence box in a region that requires consent, a relative folder, the
# expander, and a close request answered No.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"
source "$VWI_ROOT/tests/harness/product-lib.sh"

product_server wizard-settings || exit 1
clean_machine
dist="$VWI_OUT/wizard-settings"
product_dist "$dist"
geo='HKCU\Control Panel\International\Geo'
nation=$(reg_value "$geo" Nation)

settings_shown() {
  control_rect install && return 0
  echo "  the wizard is $(driver window-state "$MAIN_CLASS"), $(driver count-boxes "$CAPTION") questions open" >&2
  return 1
}

install_look() { # screenshot-name: the colour inside the Install button
  local l t r b
  read -r l t r b <<<"$(control_rect install)"
  pixel "$1" $((l + 20)) $((t + 5))
}

# A user in a region that requires explicit consent (Nation 94).
"$WINE64" reg add "$geo" /v Nation /d 94 /f >/dev/null 2>&1
park_mouse
start_installer run "$dist"
check "the wizard opens on the settings panel" wait_control install 60
settle
screenshot consent-unticked
check "Install starts disabled (grey)" equals "$(install_look consent-unticked)" 707070
read -r bl bt br bb <<<"$(control_rect accept_box)"
check "the licence box starts empty" region_has consent-unticked "$bl" "$bt" "$br" "$bb" 707070
click_control install
settle
check "a disabled Install does nothing" control_rect install
click_control accept_box
settle
xdotool mousemove 5 500
settle
screenshot consent-ticked
check "ticking the box enables Install (blue)" equals "$(install_look consent-ticked)" 07A5D8
check "the licence box is ticked" box_ticked consent-ticked "$bl" "$bt" "$br" "$bb"
click_control accept_box
settle
xdotool mousemove 5 500
settle
screenshot consent-unticked-again
check "unticking disables Install again" equals "$(install_look consent-unticked-again)" 707070
if [ -n "$nation" ]; then
  "$WINE64" reg add "$geo" /v Nation /d "$nation" /f >/dev/null 2>&1
else
  "$WINE64" reg delete "$geo" /v Nation /f >/dev/null 2>&1
fi

# The wizard opened centred on the screen's work area (no taskbar here).
read -r wl wt wr wb <<<"$(driver window-rect "$MAIN_CLASS")"
read -r sw sh <<<"$(xdotool getdisplaygeometry)"
check "the wizard opens centred on the screen" \
  equals "$wl $wt" "$(((sw - (wr - wl)) / 2)) $(((sh - (wb - wt)) / 2))"

# The expander collapses the settings: the window is 86 px lower, and stays
# where the user moved it.
# Wine's X11 driver has once placed the moved window elsewhere than asked;
# what counts is that the wizard keeps it wherever it went.
moved_to() { [ "$(driver window-rect "$MAIN_CLASS" | cut -d' ' -f1-2)" = "$1" ]; }
driver move "$MAIN_CLASS" 40 30
wait_until 5 moved_to "40 30"
read -r wl wt wr wb <<<"$(driver window-rect "$MAIN_CLASS")"
check "the window moves away from the centre" differs "$wl $wt" "$(((sw - (wr - wl)) / 2)) $(((sh - (wb - wt)) / 2))"
click_control settings_expander
settle
read -r cl ct cr cb <<<"$(driver window-rect "$MAIN_CLASS")"
check "collapsing makes the window 662 x 360" equals "$((cr - cl)) x $((cb - ct))" "662 x 360"
check "a moved window stays where it was put" equals "$cl $ct" "$wl $wt"
screenshot settings-collapsed
click_control settings_label
settle
read -r cl ct cr cb <<<"$(driver window-rect "$MAIN_CLASS")"
check "clicking the section label expands it again" equals "$((cr - cl)) x $((cb - ct))" "662 x 446"
check "and it still stays there" equals "$cl $ct" "$wl $wt"

# A relative folder: the warning box with the path, the panel kept and the
# last valid folder shown again.
click_control accept_box  # tick: consent was required when the panel opened
click_control folder_edit
xdotool key ctrl+a
xdotool type --delay 20 'Program Files\Product'
settle
check "the folder box holds the typed text" \
  equals "$(control_text folder_edit)" 'Program Files\Product'
click_control install
text=$(driver wait-box "$CAPTION" 20000)
screenshot invalid-folder
check "a relative folder gives the warning" \
  equals "$text" 'The specified path Program Files\Product is unavailable.'
press_box "$CAPTION" ok
settle
check "the settings panel is kept" control_rect install
check "the folder box shows the last valid folder" \
  equals "$(control_text folder_edit)" 'C:\Program Files\Orvanta'

# A close request answered No keeps the wizard as it was.
driver close "$MAIN_CLASS"
text=$(driver wait-box "$CAPTION" 20000)
check "closing asks whether to cancel" equals "$text" "Are you sure you want to cancel the installation?"
check "the question closes on No" press_box "$CAPTION" no
settle
check "No keeps the wizard open" running "$run"
check "on the settings panel" settings_shown
close_wizard "$CAPTION" >/dev/null
check "Yes ends the run as cancelled" equals "$(exit_code "$run" 20)" 1602
check "nothing was installed" test ! -e "$WINEPREFIX/drive_c/Program Files/Orvanta/Product.exe"

finish
