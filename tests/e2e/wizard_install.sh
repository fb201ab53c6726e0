# A fresh installation through the wizard, as a user clicks through it:
# settings panel, Install, the status panel's progress, the success panel,
# Start Now. Then the same wizard with "/l", which starts the product and
# closes without the success panel.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"
source "$VWI_ROOT/tests/harness/product-lib.sh"

product_server wizard-install || exit 1
clean_machine
browser_log="$VWI_OUT/wizard-install-browser.log"
record_browser "$browser_log"
dist="$VWI_OUT/wizard-install"
product_dist "$dist" slow

start_installer run "$dist"
park_mouse
check "the wizard opens on the settings panel" wait_control install 60
settle
screenshot wizard-settings
window_picture wizard-settings settings
read -r wl wt wr wb <<<"$(driver window-rect "$MAIN_CLASS")"
check "the main window measures 662 x 446" equals "$((wr - wl)) x $((wb - wt))" "662 x 446"
read -r il it ir ib <<<"$(control_rect install)"
check "the Install button measures 300 x 34" equals "$((ir - il)) x $((ib - it))" "300 x 34"
check "the Install button is centred" equals "$(((il + ir) / 2 - wl))" "$(((wr - wl) / 2))"
check "the Install button is blue (enabled)" \
  equals "$(pixel wizard-settings $((il + 20)) $((it + 5)))" 07A5D8
check "the panel background is dark" equals "$(pixel wizard-settings $((wl + 20)) $((wt + 120)))" 18191E
read -r bl bt br bb <<<"$(control_rect accept_box)"
echo "licence box at $bl $bt $br $bb"
check "the licence box is ticked (blue with a white tick)" \
  box_ticked wizard-settings "$bl" "$bt" "$br" "$bb"
# The rows at their 96-DPI places, in panel coordinates (the Install button
# is at 180, 174).
ox=$((il - 180)) oy=$((it - 174))
read -r el et er eb <<<"$(control_rect settings_expander)"
read -r fl ft fr fb <<<"$(control_rect folder_edit)"
check "the licence row is at 224" equals "$((bt - oy))" 224
check "the section row is at 305" equals "$((et - oy))" 305
check "the folder row is at 361, 30 px high" equals "$((ft - oy)) $((fb - ft))" "361 30"
check "the separator line is at 333" equals "$(pixel wizard-settings $((ox + 100)) $((oy + 333)))" 282828
check "the client area is 416 px high (above the 1 px border)" equals "$((wb - 1 - oy))" 416
check "the folder box shows the default folder" \
  equals "$(control_text folder_edit)" 'C:\Program Files\Orvanta'

click_control install
driver watch-text "$MAIN_CLASS" "$(control_id status_label)" 120000 >"$VWI_OUT/wizard-install-status.txt" &
watch_status=$!
driver watch-text "$MAIN_CLASS" "$(control_id percent_label)" 120000 >"$VWI_OUT/wizard-install-percent.txt" &
watch_percent=$!
check "the status panel follows" wait_control slide_show 30
screenshot_until 10 wizard-status slide_shown wizard-status
window_picture wizard-status status
read -r sl st sr sb <<<"$(control_rect slide_show)"
check "the slide show spans the panel, 284 px high" equals "$((sr - sl)) x $((sb - st))" "660 x 284"
colours=$(region_colours wizard-status "$sl" "$st" "$sr" "$sb")
check "the slide show shows a picture ($colours colours)" test "$colours" -gt 50
check "the success panel follows the installation" wait_control start_now 120
# The picture shows the panel complete: Start Now drawn.
read -r nl nt nr nb <<<"$(control_rect start_now)"
for _ in $(seq 1 20); do
  screenshot wizard-success
  [ "$(pixel wizard-success $((nl + 20)) $((nt + 8)))" = 07A5D8 ] && break
  sleep 0.25
done
check "the success panel shows Start Now" \
  equals "$(pixel wizard-success $((nl + 20)) $((nt + 8)))" 07A5D8
window_picture wizard-success success
program="$WINEPREFIX/drive_c/Program Files/Orvanta/Product.exe"
check "the product's program is installed in the chosen folder" test -f "$program"
check "the package saw the folder" equals "$(reg_value "$PRODUCT_KEY" InstallDir)" 'C:\Program Files\Orvanta\'
check "the prerequisite ran once" equals "$(reg_value "$PROGRAMS_KEY\\Prerequisite" Runs)" 0x1
check "no language pack ran for English" equals "$(reg_value "$PROGRAMS_KEY\\LanguagePack" Runs)" ""
check "the product's path is recorded" \
  equals "$(reg_value "HKLM\\$PRODUCT_REGISTRY" exe)" 'C:\Program Files\Orvanta\Product.exe'

click_control start_now
check "Start Now closes the wizard and ends the run" equals "$(exit_code "$run" 30)" 0
check "the home page was opened once" equals "$(cat "$browser_log")" "http://127.0.0.1/vimzee/home"
check "the product was started" equals "$(reg_value "$PROGRAMS_KEY\\Product" Runs)" 0x1
wait "$watch_status" "$watch_percent"
statuses=$(cat "$VWI_OUT/wizard-install-status.txt")
check "the status line showed the download" grep -qx "Downloading, please wait..." <<<"$statuses"
check "the status line ended Finished." equals "$(tail -1 <<<"$statuses")" "Finished."
percents=$(grep -c '%$' "$VWI_OUT/wizard-install-percent.txt")
check "the percentage moved ($percents values)" test "$percents" -ge 4
check "the percentage ended at 100.0%" equals "$(tail -1 "$VWI_OUT/wizard-install-percent.txt")" "100.0%"

# "/l": the same installation starts the product at its end, without the
# success panel.
clean_machine
: >"$browser_log"
start_installer run "$dist" /l
check "the /l wizard opens on the settings panel" wait_control install 60
click_control install
# The success panel, once shown, would stay until Start Now is clicked.
success_seen=no
for _ in $(seq 1 200); do
  running "$run" || break
  control_rect start_now >/dev/null && success_seen=yes
  sleep 0.3
done
check "the /l run ends by itself" equals "$(exit_code "$run" 10)" 0
check "no success panel was shown" equals "$success_seen" no
check "the product was started at the end" equals "$(reg_value "$PROGRAMS_KEY\\Product" Runs)" 0x1
check "no home page was opened" equals "$(cat "$browser_log")" ""

clean_machine
finish
