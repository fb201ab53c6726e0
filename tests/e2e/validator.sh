# The validator before the wizard: an unreachable server stops the run with its
# message, a server that requires a newer installer gets it downloaded and
# started with "/n" at exit when it is the publisher's own (and refused when it
# is another's), and an up-to-date installer goes on to the wizard.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"
source "$VWI_ROOT/tests/harness/product-lib.sh"

www="$VWI_OUT/validator-www"
rm -rf "$www" && mkdir -p "$www/fresh"
# The newer installer: a fixture program signed by the same (test) publisher.
cp "$SIGNING/same-publisher.exe" "$www/fresh/VimzeeHomeSetup.exe"
servers_start "$VWI_OUT/validator" "$www" || exit 1
server="http://127.0.0.1:$VWI_NGINX_PORT"

version_file() { # minimum installer version
  cat >"$www/version.xml" <<XML
<?xml version="1.0" encoding="utf-8"?>
<vrelwebinstaller>
  <product_code>{5C1F3A7E-2B4D-4E8A-9F61-3D7C0A9B2E45}</product_code>
  <fresh_install>
    <product_version>27.0.0.5</product_version>
    <min_web_installer_version>$1</min_web_installer_version>
    <web_installer_download_url>$server/fresh/VimzeeHomeSetup.exe</web_installer_download_url>
  </fresh_install>
</vrelwebinstaller>
XML
}

dist_with_version_url() { # folder url
  make_dist "$1"
  mkdir -p "$1/config"
  sed "s|<version_check_url>.*</version_check_url>|<version_check_url>$2</version_check_url>|" \
    "$VWI_ROOT/demo/config/manifestHome.xml" >"$1/config/manifestHome.xml"
}

caption="Vimzee Home"
record='HKCU\Software\Orvanta\VimzeeFixture\Programs\LanguagePack'

# The server cannot be reached.
dist_with_version_url "$VWI_OUT/validator-unreachable" "http://127.0.0.1:9/version.xml"
start_installer run "$VWI_OUT/validator-unreachable"
text=$(driver wait-box "$caption" 60000)
check "an unreachable server is reported" \
  equals "$(head -1 <<<"$text")" "Unable to contact the download server. Check your Internet connection and try again. If the issue persists, please contact Customer Care."
check "with the address and the code" \
  equals "$(tail -1 <<<"$text")" "http://127.0.0.1:9/version.xml: no connection (12029)"
screenshot validator-unreachable
press_box "$caption" ok
check "the run ends without the wizard, as a failed download" equals "$(exit_code "$run" 20)" 1612
check "no wizard was opened" equals "$(driver window-state "$MAIN_CLASS")" none

# Version files planted beside the program under every name a run could
# give one, each requiring a newer installer from elsewhere, while the server
# cannot be reached: they are never read, the run ends as unreachable.
dist_with_version_url "$VWI_OUT/validator-planted" "http://127.0.0.1:9/version.xml"
mkdir -p "$VWI_OUT/validator-planted/component"
planted='<vrelwebinstaller><fresh_install><min_web_installer_version>27.0.1.99</min_web_installer_version><web_installer_download_url>http://127.0.0.1:9/evil.exe</web_installer_download_url></fresh_install></vrelwebinstaller>'
for tick in version $(seq 0 50 20000); do
  printf '%s' "$planted" >"$VWI_OUT/validator-planted/component/${tick%version}version.xml"
done
chmod -R a-w "$VWI_OUT/validator-planted/component"
start_installer run "$VWI_OUT/validator-planted" /log "$(wine_path "$VWI_OUT/validator-planted.log")"
text=$(driver wait-box "$caption" 60000)
check "planted version files are never read: the server is unreachable" \
  grep -q "^Unable to contact the download server" <<<"$text"
press_box "$caption" ok
check "the run ends as a failed download" equals "$(exit_code "$run" 20)" 1612
check "no newer installer was asked for" bash -c "! grep -q 'evil.exe' '$VWI_OUT/validator-planted.log'"
chmod -R u+w "$VWI_OUT/validator-planted/component"

# The server requires a newer installer.
"$WINE64" reg delete "$record" /f >/dev/null 2>&1
version_file 27.0.1.13
dist_with_version_url "$VWI_OUT/validator-newer" "$server/version.xml"
start_installer run "$VWI_OUT/validator-newer"
check "the run ends by itself" equals "$(exit_code "$run" 60)" 0
newer_started() {
  line=$("$WINE64" reg query "$record" /v CommandLine 2>/dev/null | tr -d '\r' | grep CommandLine)
  [ -n "$line" ]
}
wait_until 10 newer_started
check "the newer installer was started with /n" grep -q 'Vimzee Home 27.exe" /n$' <<<"$line"
check "from the run's own protected folder" \
  grep -q 'ProgramData\\Vimzee Web Installer\\run-[0-9]*\\updater-[0-9]*\\Vimzee Home 27.exe' <<<"$line"
"$WINE64" reg delete "$record" /f >/dev/null 2>&1

# Newer installers that are not the publisher's own: signed by another
# publisher, by a certificate of the same name from another authority, and
# not signed at all. Each is refused, never started, and the run ends 1620.
damaged="The downloaded file Vimzee Home 27.exe is damaged or has been changed. It was deleted and nothing was installed. Try again later. If the issue persists, please contact Customer Care."
for refused in other-publisher same-subject-other-root unsigned; do
  cp "$SIGNING/$refused.exe" "$www/fresh/VimzeeHomeSetup.exe"
  dist_with_version_url "$VWI_OUT/validator-$refused" "$server/version.xml"
  start_installer run "$VWI_OUT/validator-$refused" /log "$(wine_path "$VWI_OUT/validator-$refused.log")"
  text=$(driver wait-box "$caption" 60000)
  check "a newer installer $refused is told as damaged" equals "$text" "$damaged"
  press_box "$caption" ok
  check "and the run ends 1620" equals "$(exit_code "$run" 20)" 1620
  check "it was never started" equals "$(reg_value "$record" Runs)" ""
  check "the log says why" grep -q "The newer installer .* is refused: it is" "$VWI_OUT/validator-$refused.log"
  check "and no wizard opened" equals "$(driver window-state "$MAIN_CLASS")" none
done

# The newer installer is the publisher's but no program: the user is told,
# and the run has failed.
cp "$SIGNING/not-a-program.exe" "$www/fresh/VimzeeHomeSetup.exe"
dist_with_version_url "$VWI_OUT/validator-unstartable" "$server/version.xml"
start_installer run "$VWI_OUT/validator-unstartable"
text=$(driver wait-box "$caption" 60000)
check "an updater that cannot start is reported" equals "$text" "The updater cannot be launched!"
press_box "$caption" ok
check "and the run ends as failed" equals "$(exit_code "$run" 20)" 1603
cp "$SIGNING/same-publisher.exe" "$www/fresh/VimzeeHomeSetup.exe"

# The installer is recent enough.
version_file 27.0.1.10
dist_with_version_url "$VWI_OUT/validator-current" "$server/version.xml"
start_installer run "$VWI_OUT/validator-current"
check "an up-to-date installer opens the wizard" driver wait-window "$MAIN_CLASS" 60000
check "the version file was never written to disk" \
  bash -c "! find '$WINEPREFIX/drive_c/ProgramData/Vimzee Web Installer' '$VWI_OUT/validator-current' -name '*version.xml' | grep -q ."
close_wizard "Vimzee Home" >/dev/null
check "the wizard closes, cancelled" equals "$(exit_code "$run" 20)" 1602

finish
