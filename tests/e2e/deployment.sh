# What a deployment tool learns from an unattended run, whole program,
# silent: a prerequisite's exit code is read (3010 and 1641 end the run 3010,
# 1603 stops it before the main package with 1603 and no box), a Windows
# Installer busy with another installation (1618) is waited for and tried
# again, and given up on with 1618 when the wait runs out (the tests' build,
# whose limit is short); a main package that schedules a restart is
# installed with the restart suppressed and ends 3010; in the wizard the
# wait shows in the status line; "/?" shows the options and ends 0.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"
source "$VWI_ROOT/tests/harness/product-lib.sh"

product_server deployment || exit 1
dist="$VWI_OUT/deployment"
logs="$VWI_OUT/deployment-logs"
rm -rf "$logs" && mkdir -p "$logs"
prerequisite_key="$PROGRAMS_KEY\\Prerequisite"

# The prerequisite's exit codes for its runs, in order ("1618,0").
prerequisite_answers() { "$WINE64" reg add "$prerequisite_key" /v ExitCodes /d "$1" /f >/dev/null 2>&1; }
silent_run() { # log [executable]
  product_dist "$dist"
  if [ -n "${2:-}" ]; then cp "$2" "$dist/VimzeeWebInstaller.exe" || return 1; fi
  start_installer run "$dist" /s /log "$(wine_path "$1")"
  answer_boxes "$run" 120 >"$1.box"
  exit_code "$run" 60
}
installed() { [ -n "$(reg_value "HKLM\\$PRODUCT_REGISTRY" exe)" ]; }
not_installed() { ! installed; }

for code in 3010 1641; do
  clean_machine
  clean_cache
  prerequisite_answers "$code"
  check "a prerequisite that answers $code ends the run 3010" \
    equals "$(silent_run "$logs/restart-$code.log")" 3010
  check "and the product is installed" installed
  check "the log names the prerequisite and the restart" \
    grep -qF "Item vc_redist.exe: program ended with exit code $code: a restart is needed to finish" \
    "$logs/restart-$code.log"
done

clean_machine
clean_cache
prerequisite_answers 1603
check "a prerequisite that fails ends the run 1603" equals "$(silent_run "$logs/failed.log")" 1603
check "the main package is not installed" not_installed
check "the log names the prerequisite and its code" \
  grep -qF "Item vc_redist.exe: program ended with exit code 1603" "$logs/failed.log"
check "and a silent run shows no box for it" equals "$(cat "$logs/failed.log.box")" ""

# The tests' build waits for a busy installer as long as VWI_TEST_BUSY_LIMIT_MS says.
test_exe="$VWI_BUILD_WIN/bin/VimzeeWebInstallerTestSwitches.exe"
export VWI_TEST_BUSY_LIMIT_MS=4000
clean_machine
clean_cache
prerequisite_answers 1618,1618,0
check "a busy installer is waited for and tried again" \
  equals "$(silent_run "$logs/busy.log" "$test_exe")" 0
check "three runs of the prerequisite" equals "$(reg_value "$prerequisite_key" Runs)" 0x3
check "the log tells the wait" \
  grep -qF "Item vc_redist.exe: another installation is in progress (1618); trying again in" \
  "$logs/busy.log"

export VWI_TEST_BUSY_LIMIT_MS=2000
clean_machine
clean_cache
prerequisite_answers 1618
check "an installer busy past the limit ends the run 1618" \
  equals "$(silent_run "$logs/busy-always.log" "$test_exe")" 1618
check "the log says it gave up" \
  grep -qF "Item vc_redist.exe: another installation was still in progress after 2 s; giving up" \
  "$logs/busy-always.log"

# In the wizard the wait is shown, and a restart to finish ends the run 3010.
export VWI_TEST_BUSY_LIMIT_MS=12000
clean_machine
clean_cache
prerequisite_answers 1618,1618,3010
product_dist "$dist"
cp "$test_exe" "$dist/VimzeeWebInstaller.exe"
start_installer run "$dist" /log "$(wine_path "$logs/wizard-busy.log")"
check "the wizard opens" wait_control install 60
click_control install
waiting() { [ "$(control_text status_label)" = "Waiting for another installation to finish..." ]; }
check "the status line says that it waits for another installation" wait_until 30 waiting
check "the wizard reaches its end" wait_control start_now 120
settle
screenshot deployment-restart
driver close "$MAIN_CLASS" >/dev/null
check "and the run ends 3010" equals "$(exit_code "$run" 30)" 3010
unset VWI_TEST_BUSY_LIMIT_MS

# A main package that schedules a restart.
clean_machine
clean_cache
msibuild "$WWW/install/Vimzee.msi" -q \
  "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Condition\`, \`Sequence\`) VALUES ('ScheduleReboot', '', 6550)"
check "a main package that schedules a restart ends the run 3010" \
  equals "$(silent_run "$logs/schedules.log")" 3010
check "it was installed with the restart suppressed" \
  grep -qE "Package Vimzee.msi: installing .* REBOOT=ReallySuppress\]" "$logs/schedules.log"
check "and the log names it" \
  grep -qF "Item Vimzee.msi: installed, installer result 3010: a restart is needed to finish" \
  "$logs/schedules.log"
clean_machine

# The options, for whoever asks.
make_dist "$dist"
start_installer run "$dist" /?
text=$(driver wait-box "Vimzee Web Installer" 30000)
check "/? shows the options" grep -qF "/log FILE" <<<"$text"
press_box "Vimzee Web Installer" ok
check "and ends 0" equals "$(exit_code "$run" 30)" 0
finish
