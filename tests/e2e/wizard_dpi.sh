# The wizard at the screen scales users choose: with the prefix's screen DPI
# at 120, 144 and 192, the window, the settings rows and the slide show take
# the scaled sizes (steps of 25 %), and the pictures and texts are drawn at
# that scale (screenshots). The test screen is 1920 x 1200: at 192 DPI the
# wizard is 1322 x 892.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"
source "$VWI_ROOT/tests/harness/product-lib.sh"

product_server wizard-dpi || exit 1
clean_machine
dist="$VWI_OUT/wizard-dpi"
product_dist "$dist" slow
desktop='HKCU\Control Panel\Desktop'
set_dpi() { "$WINE64" reg add "$desktop" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
size_of() { # left top right bottom
  read -r l t r b <<<"$1"
  echo "$((r - l)) x $((b - t))"
}

for dpi in 120 144 192; do
  # trunc(px * step): the interface scales in steps of 25 %.
  scale() { echo $(($1 * dpi / 96)); }
  set_dpi "$dpi"
  park_mouse
  start_installer run "$dist"
  check "at $dpi DPI the wizard opens on the settings panel" wait_control install 60
  settle
  screenshot "dpi-$dpi-settings"
  # The client area is 660 wide at 96 DPI, inside a border of 1 px scaled.
  border=$(scale 1)
  check "the window is $(scale 660) + 2 x $border by $(scale 446)" \
    equals "$(size_of "$(driver window-rect "$MAIN_CLASS")")" "$(($(scale 660) + 2 * border)) x $(scale 446)"
  check "the browse button is $(scale 24) px wide" \
    equals "$(size_of "$(control_rect browse)" | cut -d' ' -f1)" "$(scale 24)"
  read -r fl ft fr fb <<<"$(control_rect folder_edit)"
  read -r wl wt wr wb <<<"$(driver window-rect "$MAIN_CLASS")"
  check "the folder box ends $(scale 68) + $(scale 24) px before the client's edge" \
    equals "$((wr - border - fr))" "$(($(scale 68) + $(scale 24)))"
  [ "$dpi" = 144 ] && window_picture "dpi-$dpi-settings" settings-144dpi
  click_control install
  check "the status panel follows" wait_control slide_show 30
  slide=$(control_rect slide_show)
  check "the slide show is $(scale 660) x $(scale 284)" \
    equals "$(size_of "$slide")" "$(scale 660) x $(scale 284)"
  # The first slide has faded in by then, and the slow download still runs
  # when the close below comes: the picture is looked at after the run.
  sleep 3
  screenshot "dpi-$dpi-status"
  driver close "$MAIN_CLASS" >/dev/null
  driver wait-box "$CAPTION" 20000 >/dev/null
  press_box "$CAPTION" yes
  check "and the run ends when cancelled" equals "$(exit_code "$run" 60)" 1602
  # shellcheck disable=SC2086 # the rectangle's four numbers
  check "the slide show showed a picture" \
    test "$(region_colours "dpi-$dpi-status" $slide)" -gt 50
  clean_machine
  # The next run downloads the whole prerequisite again, as slowly.
  clean_cache
done
set_dpi 96
finish
