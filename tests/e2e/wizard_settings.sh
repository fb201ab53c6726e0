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
  driver control-rect "$MAIN_CLASS" 133 && return 0
  echo "  the wizard is $(driver window-state "$MAIN_CLASS"), $(driver count-boxes "$CAPTION") questions open" >&2
  return 1
}

install_look() { # screenshot-name: the colour inside the Install button
  local l t r b
  read -r l t r b <<<"$(driver control-rect "$MAIN_CLASS" 133)"
  pixel "$1" $((l + 20)) $((t + 5))
}

# A user in a region that requires explicit consent (Nation 94).
"$WINE64" reg add "$geo" /v Nation /d 94 /f >/dev/null 2>&1
park_mouse
start_installer run "$dist"
check "the wizard opens on the settings panel" wait_control 133 60
sleep 1
screenshot consent-unticked
check "Install starts disabled (grey)" equals "$(install_look consent-unticked)" 707070
read -r bl bt br bb <<<"$(driver control-rect "$MAIN_CLASS" 134)"
check "the licence box starts empty" region_has consent-unticked "$bl" "$bt" "$br" "$bb" 707070
click_control 133
sleep 1
check "a disabled Install does nothing" driver control-rect "$MAIN_CLASS" 133
click_control 134
sleep 1
xdotool mousemove 5 500
sleep 0.5
screenshot consent-ticked
check "ticking the box enables Install (blue)" equals "$(install_look consent-ticked)" 07A5D8
check "the licence box is ticked" box_ticked consent-ticked "$bl" "$bt" "$br" "$bb"
click_control 134
sleep 1
xdotool mousemove 5 500
sleep 0.5
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
click_control 138
sleep 1
read -r cl ct cr cb <<<"$(driver window-rect "$MAIN_CLASS")"
check "collapsing makes the window 662 x 360" equals "$((cr - cl)) x $((cb - ct))" "662 x 360"
check "a moved window stays where it was put" equals "$cl $ct" "$wl $wt"
screenshot settings-collapsed
click_control 136
sleep 1
read -r cl ct cr cb <<<"$(driver window-rect "$MAIN_CLASS")"
check "clicking the section label expands it again" equals "$((cr - cl)) x $((cb - ct))" "662 x 446"
check "and it still stays there" equals "$cl $ct" "$wl $wt"

# A relative folder: the warning box with the path, the panel kept and the
# last valid folder shown again.
click_control 134  # tick: consent was required when the panel opened
click_control 143
xdotool key ctrl+a
xdotool type --delay 20 'Program Files\Product'
sleep 0.5
check "the folder box holds the typed text" \
  equals "$(driver control-text "$MAIN_CLASS" 143)" 'Program Files\Product'
click_control 133
text=$(driver wait-box "$CAPTION" 20000)
screenshot invalid-folder
check "a relative folder gives the warning" \
  equals "$text" 'The specified path Program Files\Product is unavailable.'
driver press-box "$CAPTION" 1
sleep 1
check "the settings panel is kept" driver control-rect "$MAIN_CLASS" 133
check "the folder box shows the last valid folder" \
  equals "$(driver control-text "$MAIN_CLASS" 143)" 'C:\Program Files\Orvanta'

# A close request answered No keeps the wizard as it was.
driver close "$MAIN_CLASS"
text=$(driver wait-box "$CAPTION" 20000)
check "closing asks whether to cancel" equals "$text" "Are you sure you want to cancel the installation?"
check "the question closes on No" driver press-box "$CAPTION" 7
sleep 1
check "No keeps the wizard open" running "$run"
check "on the settings panel" settings_shown
close_wizard "$CAPTION" >/dev/null
check "Yes ends the run as cancelled" equals "$(exit_code "$run" 20)" 1602
check "nothing was installed" test ! -e "$WINEPREFIX/drive_c/Program Files/Orvanta/Product.exe"

finish
