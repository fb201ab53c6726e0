# A network that answers the download with a sign-in page of its own (a
# hotel's or an airport's), whole program, silent: whether the page says it
# is HTML or not, and whether the package has a digest or not, nothing is
# handed to the Windows Installer or kept, the run ends as a failed download
# (1612), the box tells the user to sign in, and the log names the address.
# The validator tells the same of a page in place of the version file.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"
source "$VWI_ROOT/tests/harness/product-lib.sh"

product_server sign-in-page || exit 1
dist="$VWI_OUT/sign-in-page"
manifest="$dist/config/manifestHome.xml"
logs="$VWI_OUT/sign-in-page-logs"
rm -rf "$logs" && mkdir -p "$logs"
FAULT="http://127.0.0.1:$VWI_FAULT_PORT"
digest=$(sha256sum "$WWW/install/Vimzee.msi" | cut -c1-64)
not_installed() { [ -z "$(reg_value "HKLM\\$PRODUCT_REGISTRY" exe)" ]; }
nothing_kept() { [ ! -e "$PLACE/cache/msi/Vimzee.msi" ]; }

# (The URLs hold no "&": sed would read it in the replacement.)
for page in "page?type=text/html digest" "page?type=application/octet-stream no-digest"; do
  read -r route digested <<<"$page"
  log="$logs/$digested.log"
  clean_machine
  clean_cache
  product_dist "$dist"
  sed -i "s|<full_url>$SERVER/install/Vimzee.msi</full_url>|<full_url>$FAULT/$route</full_url>|" \
    "$manifest"
  [ "$digested" = digest ] &&
    sed -i "s|^    </main_component>|      <sha256>$digest</sha256>\n    </main_component>|" "$manifest"
  start_installer run "$dist" /s /log "$(wine_path "$log")"
  answer_boxes "$run" 120 >"$log.box"
  check "a sign-in page ($route, $digested) ends as a failed download" \
    equals "$(exit_code "$run" 30)" 1612
  check "its box says to sign in" \
    grep -q "^The network returned a web page instead of the download. If this network needs you to sign in" \
    "$log.box"
  check "and names the address" grep -qF "$FAULT/$route: a web page instead of the download" \
    "$log.box"
  check "the log names the address" grep -qF "$FAULT/$route" "$log"
  check "nothing was installed" not_installed
  check "and nothing kept" nothing_kept
done

# The version file's address answered with a page: the validator says so.
clean_machine
product_dist "$dist"
sed -i "s|<version_check_url>.*</version_check_url>|<version_check_url>$FAULT/page</version_check_url>|" \
  "$manifest"
start_installer run "$dist"
text=$(driver wait-box "$CAPTION" 60000)
check "a page in place of the version file tells the user to sign in" \
  equals "$(head -1 <<<"$text")" "The network returned a web page instead of the download. If this network needs you to sign in, open a web browser, sign in, and try again."
press_box "$CAPTION" ok
check "and ends as a failed download" equals "$(exit_code "$run" 20)" 1612
finish
