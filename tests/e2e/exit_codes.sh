# The exit code of every outcome a run can have here, each checked against
# the README's table; the log of "/log" and the silent hand-over to a newer
# installer with the run's own options.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"
source "$VWI_ROOT/tests/harness/product-lib.sh"

product_server exit-codes || exit 1
clean_machine
dist="$VWI_OUT/exit-codes"
manifest="$dist/config/manifestHome.xml"
readme="$VWI_ROOT/README.md"

# The README's table row for a code: "| 1602 | cancelled ... |".
documented() { # code
  grep -q "^| $1 | ." "$readme"
}
# Checks a run's exit code and that the README documents it.
check_code() { # description run seconds code
  check "$1 ends with $4" equals "$(exit_code "$2" "$3")" "$4"
  check "the README documents $4" documented "$4"
}
# A manifest line's text replaced (sed expression) in the distribution's manifest.
edit_manifest() { sed -i "$1" "$manifest"; }

# Installed, with a log; the package's own log lies beside it.
product_dist "$dist"
logs="$VWI_OUT/exit-codes-logs"
rm -rf "$logs" && mkdir -p "$logs"
start_installer run "$dist" /s /log "$(wine_path "$logs/setup.log")"
check_code "a silent installation" "$run" 180 0
log=$(tr -d '\r' <"$logs/setup.log")
check "the log names the manifest" grep -q "^20[0-9-]* [0-9:.]* Manifest: .*config\\\\manifestHome.xml$" <<<"$log"
check "the log has the manifest's values" grep -q "  pid: EN-VZH-27$" <<<"$log"
check "the log has the versions and the decision" \
  grep -q "Version check (fresh_install): this installer 27.0.1.12, required at least 27.0.1.10; product offered $PRODUCT_VERSION; decision: go on" <<<"$log"
check "the log has the requests with status, size and time" \
  grep -Eq "Request GET file $SERVER/install/Vimzee.msi: status 200, [0-9]+ bytes, [0-9]+ ms, ok$" <<<"$log"
check "the log has each item's outcome" grep -q "Item Vimzee.msi: installed$" <<<"$log"
check "and the installer's result code" grep -q "Package Vimzee.msi: installer result 0$" <<<"$log"
check "the log ends with the final state and exit code" \
  equals "$(tail -1 <<<"$log" | cut -c25-)" "Run ended: installation finished; exit code 0"
check "the main package wrote its verbose log beside it" test -s "$logs/setup.Vimzee.msi.log"

# Installed already: the validator's question, answered No.
start_installer run "$dist" /s
text=$(driver wait-box "$CAPTION" 60000)
check "the installed version is reported" grep -q "already installed" <<<"$text"
press_box "$CAPTION" no
check_code "a run on the installed version" "$run" 30 1638

# Cancelled: the wizard closed from the settings panel.
clean_machine
start_installer run "$dist"
check "the wizard opens" wait_control install 60
close_wizard "$CAPTION" >/dev/null
check_code "a wizard closed from the settings panel" "$run" 30 1602

# A package that fails.
cp "$FIXTURES/failing.msi" "$WWW/install/Vimzee.msi"
start_installer run "$dist" /s
answer_boxes "$run" 180 >/dev/null
check_code "a failing package" "$run" 30 1603
clean_machine

# A package that asks for a restart.
cp "$FIXTURES/product_1.0.0.msi" "$WWW/install/Vimzee.msi"
msibuild "$WWW/install/Vimzee.msi" -q \
  "UPDATE \`Property\` SET \`Value\` = '$PRODUCT_VERSION' WHERE \`Property\` = 'ProductVersion'"
msibuild "$WWW/install/Vimzee.msi" -q \
  "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Condition\`, \`Sequence\`) VALUES ('ScheduleReboot', '', 6590)"
start_installer run "$dist" /s
answer_boxes "$run" 180 >/dev/null
check_code "a package that needs a restart" "$run" 30 3010
check "the product is installed" test -f "$WINEPREFIX/drive_c/Program Files/Orvanta/Product.exe"
clean_machine

# A package whose bytes differ from its digest.
edit_manifest "s|^    </main_component>|      <sha256>$(printf '0%.0s' $(seq 1 64))</sha256>\n    </main_component>|"
start_installer run "$dist" /s /log "$(wine_path "$logs/integrity.log")"
answer_boxes "$run" 180 >/dev/null
check_code "a payload that fails its digest" "$run" 30 1620
check "nothing was installed" test ! -e "$WINEPREFIX/drive_c/Program Files/Orvanta/Product.exe"
check "the log names the cause" \
  grep -q "Run ended: installation failed, payload integrity; exit code 1620" "$logs/integrity.log"

# Not enough disk space: the prerequisite announces 100 terabytes.
product_dist "$dist"
edit_manifest "s|<full_url>$SERVER/install/vc_redist.exe</full_url>|<full_url>http://127.0.0.1:$VWI_FAULT_PORT/huge/100000000000000</full_url>|"
start_installer run "$dist" /s
text=$(answer_boxes "$run" 120)
check "the user is told the megabytes needed" grep -q "at least 95367442 MB of disk space" <<<"$text"
check_code "a full volume" "$run" 30 112

# The server cannot be reached.
product_dist "$dist"
edit_manifest "s|<version_check_url>.*</version_check_url>|<version_check_url>http://127.0.0.1:9/version.xml</version_check_url>|"
start_installer run "$dist" /s /log "$(wine_path "$logs/unreachable.log")"
answer_boxes "$run" 60 >/dev/null
check_code "an unreachable server" "$run" 30 1612
check "the log has the failed request" \
  grep -q "Request GET stream http://127.0.0.1:9/version.xml: no answer, 0 bytes, [0-9]* ms, failed" \
  "$logs/unreachable.log"

# The manifest is missing.
make_dist "$dist"
start_installer run "$dist" /s
driver wait-box "Vimzee Web Installer" 30000 >/dev/null && press_box "Vimzee Web Installer" ok
check_code "a missing manifest" "$run" 30 1610

# A log path that cannot be written goes to the temporary folder.
product_dist "$dist"
edit_manifest "s|<version_check_url>.*</version_check_url>|<version_check_url>http://127.0.0.1:9/version.xml</version_check_url>|"
find "$WINEPREFIX/drive_c" -name unwritable-e2e.log -delete
start_installer run "$dist" /s /log 'Q:\no\such\folder\unwritable-e2e.log'
answer_boxes "$run" 60 >/dev/null
check_code "a run with an unwritable log" "$run" 30 1612
temp_log=$(find "$WINEPREFIX/drive_c" -name unwritable-e2e.log | head -1)
check "the log went to the temporary folder ($temp_log)" grep -qi '/temp/unwritable-e2e.log$' <<<"$temp_log"
check "and says so" grep -q 'The log cannot be written to "Q:\\no\\such\\folder\\unwritable-e2e.log"; it is written to ".*unwritable-e2e.log" instead.' "$temp_log"

# A silent run hands over to the newer installer with its own options and
# ends with the newer copy's exit code (the fixture program ends with the
# code its registry key names).
record='HKCU\Software\Orvanta\VimzeeFixture\Programs\LanguagePack'
"$WINE64" reg delete "$record" /f >/dev/null 2>&1
"$WINE64" reg add "$record" /v ExitCode /t REG_DWORD /d 1638 /f >/dev/null 2>&1
cp "$SIGNING/same-publisher.exe" "$WWW/install/VimzeeHomeSetup.exe"
sed -i 's|<min_web_installer_version>27.0.1.10</min_web_installer_version>|<min_web_installer_version>27.0.1.13</min_web_installer_version>|' "$WWW/version.xml"
product_dist "$dist"
start_installer run "$dist" /s /lang 1031 /log "$(wine_path "$logs/handover.log")"
check_code "a silent hand-over" "$run" 120 1638
line=$(reg_value "$record" CommandLine)
check "the newer installer got the run's options ($line)" \
  grep -q "\" /n /s /lang 1031 /log $(wine_path "$logs/handover.log" | sed 's/\\/\\\\/g')$" <<<"$line"
check "the log records the hand-over and its result" \
  grep -q "The newer installer ended with exit code 1638" "$logs/handover.log"
"$WINE64" reg delete "$record" /f >/dev/null 2>&1
version_file "$PRODUCT_VERSION"

clean_machine
finish
