# Downloads on a bad network, whole program, silent: a package whose
# connection drops halfway is asked for the rest (and started over by a server
# that ignores the range), so is one whose server falls silent for longer than
# the stall limit, a busy server is asked again, and a missing file
# fails at once, with the outcome it always had and a box that names the
# refusal. Each try is in the log.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"
source "$VWI_ROOT/tests/harness/product-lib.sh"

product_server bad-network || exit 1
dist="$VWI_OUT/bad-network"
manifest="$dist/config/manifestHome.xml"
logs="$VWI_OUT/bad-network-logs"
rm -rf "$logs" && mkdir -p "$logs"
FAULT="http://127.0.0.1:$VWI_FAULT_PORT"
msi_size=$(stat -c %s "$WWW/install/Vimzee.msi")
half=$((msi_size / 2))

# (The URLs hold no "&": sed would read it in the replacement.)
# The fault server's record of the requests for a key: "RANGE STATUS" a line.
seen() { curl -s "$FAULT/seen/$1" | tr '\n' ';'; }
digest=$(sha256sum "$WWW/install/Vimzee.msi" | cut -c1-64)
# A silent run whose main package comes from URL; prints its exit code. With
# its digest the package is kept for reuse at the end of the run, where its
# bytes can be compared (the run's own folder is gone by then).
run_with_main_package() { # url log [no-digest]
  clean_machine
  clean_cache
  product_dist "$dist"
  sed -i "s|<full_url>$SERVER/install/Vimzee.msi</full_url>|<full_url>$1</full_url>|" "$manifest"
  [ -z "${3:-}" ] && sed -i "s|^    </main_component>|      <sha256>$digest</sha256>\n    </main_component>|" "$manifest"
  run_again "$2"
}
# The distribution as it stands, run again on a clean machine.
run_again() { # log
  clean_machine
  start_installer run "$dist" /s /log "$(wine_path "$1")"
  answer_boxes "$run" 120 >"$1.box"
  exit_code "$run" 30
}
installed() { [ -n "$(reg_value "HKLM\\$PRODUCT_REGISTRY" exe)" ]; }
same_bytes() { cmp -s "$WWW/install/Vimzee.msi" "$PLACE/cache/msi/Vimzee.msi"; }

key="drop-$$-$RANDOM"
code=$(run_with_main_package "$FAULT/dropfile/$key/$half/install/Vimzee.msi" "$logs/drop.log")
check "a dropped main package is finished and installed" equals "$code" 0
check "the package on disk is the served one" same_bytes
check "the retry asked for the rest and got it" \
  equals "$(seen "$key")" "- 200;bytes=$half- 206;"
check "the log has the try: reason, offset and wait" \
  grep -Eq "Retry 1 of 3 for $FAULT/dropfile/$key/$half/install/Vimzee.msi after connection dropped \(1203[01]\): from byte $half in 1 s" \
  "$logs/drop.log"
check "the product is installed" installed

key="norange-$$-$RANDOM"
code=$(run_with_main_package "$FAULT/dropfile/$key/$half/install/Vimzee.msi?norange" \
  "$logs/norange.log")
check "a server that ignores the range: finished" equals "$code" 0
check "the file was started over and is the served one" same_bytes
check "the answer to the range was the whole file" \
  equals "$(seen "$key")" "- 200;bytes=$half- 200;"

key="stall-$$-$RANDOM"
code=$(run_with_main_package "$FAULT/dropfile/$key/$half/install/Vimzee.msi?stall=40" \
  "$logs/stall.log")
check "a package whose server falls silent for 40 s halfway: finished" equals "$code" 0
check "the package on disk is the served one" same_bytes
check "after 30 s of silence the rest was asked for" \
  equals "$(seen "$key")" "- 200;bytes=$half- 206;"
check "the log names the stall" \
  grep -q "Retry 1 of 3 for .* after stalled: from byte $half in 1 s" "$logs/stall.log"

key="busy-$$-$RANDOM"
code=$(run_with_main_package "$FAULT/busyfile/$key/2/install/Vimzee.msi" "$logs/busy.log")
check "503 twice, then the package: finished" equals "$code" 0
check "three requests" equals "$(seen "$key")" "- 503;- 503;- 200;"
check "the log has both waits" \
  grep -q "Retry 2 of 3 for .* after status 503: from the start in 2 s" "$logs/busy.log"

key="wrong-$$-$RANDOM"
clean_machine
clean_cache
product_dist "$dist"
sed -i -e "s|<full_url>$SERVER/install/Vimzee.msi</full_url>|<full_url>$FAULT/wrongfile/$key/1/install/Vimzee.msi</full_url>|" \
  -e "s|^    </main_component>|      <sha256>$digest</sha256>\n    </main_component>|" "$manifest"
code=$(run_again "$logs/wrong.log")
check "a package that fails its digest once is fetched again and installed" equals "$code" 0
check "twice" equals "$(seen "$key")" "- 200;- 200;"
check "the log says why" grep -q "Item Vimzee.msi: its digest does not match; downloaded once more" \
  "$logs/wrong.log"
code=$(run_again "$logs/reuse.log")
check "a second run with the package kept for reuse installs" equals "$code" 0
check "without asking for it again" equals "$(seen "$key")" "- 200;- 200;"
check "the log says it was reused" \
  grep -q "Item Vimzee.msi: reused from an earlier download, its digest matches" "$logs/reuse.log"

code=$(run_with_main_package "$FAULT/status/404?len=10" "$logs/missing.log" no-digest)
check "a missing package ends as a failed download" equals "$code" 1612
check "with a box that names the refusal" \
  grep -q "^The download server refused the download (HTTP status 404)" "$logs/missing.log.box"
check "and the address with its status" \
  grep -qF "$FAULT/status/404?len=10: status 404" "$logs/missing.log.box"
check "it was asked for once" \
  equals "$(grep -c "Request size query $FAULT/status/404" "$logs/missing.log")" 1
check "and never retried" bash -c "! grep -q '^.* Retry ' '$logs/missing.log'"

# In the wizard: while the main package waits to be asked again, the status
# line says so and counts down, the time line says "calculating"; closing
# the wizard then (Yes) ends the run at once, cancelled.
key="wizard-$$-$RANDOM"
clean_machine
product_dist "$dist"
sed -i "s|<full_url>$SERVER/install/Vimzee.msi</full_url>|<full_url>$FAULT/busyfile/$key/9/install/Vimzee.msi?after=20</full_url>|" \
  "$manifest"
start_installer run "$dist"
wait_control install 60
click_control install
waiting_text() {
  case "$(control_text status_label)" in
    "Connection interrupted. Retrying in "*" seconds...") return 0 ;;
  esac
  return 1
}
check "the status line tells of the wait" wait_until 60 waiting_text
check "the time line calculates" \
  equals "$(control_text time_label)" "Calculating time remaining..."
screenshot bad-network-retrying
close_wizard "$CAPTION" >/dev/null
check "closing during the wait ends the run at once, cancelled" equals "$(exit_code "$run" 5)" 1602
check "the package was asked for once" equals "$(seen "$key")" "- 503;"

# Closing while the server has fallen silent in the middle of the main
# package ends the run at once too: no read holds the cancel up.
key="silent-$$-$RANDOM"
clean_machine
product_dist "$dist"
sed -i "s|<full_url>$SERVER/install/Vimzee.msi</full_url>|<full_url>$FAULT/dropfile/$key/$half/install/Vimzee.msi?stall=60</full_url>|" \
  "$manifest"
start_installer run "$dist"
wait_control install 60
click_control install
asked_once() { [ "$(seen "$key")" = "- 200;" ]; }
check "the main package was asked for" wait_until 60 asked_once
sleep 2 # well into the silence: the close must not wait for it to end
close_wizard "$CAPTION" >/dev/null
check "closing during the silence ends the run at once, cancelled" equals "$(exit_code "$run" 5)" 1602
check "without another request" equals "$(seen "$key")" "- 200;"

clean_machine
finish
