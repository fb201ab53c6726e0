# An offline layout, whole program: "/layout DIR" (relative to the folder
# the installer starts in) makes from the loopback server a folder with the
# installer, a standalone manifest, the languages and every package; made
# again it fetches only what differs; with the server stopped, the layout's
# own installer installs the product silently and asks the network for
# nothing; "/lang 1031" lays out German and English alone.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"
source "$VWI_ROOT/tests/harness/product-lib.sh"

product_server offline_layout || exit 1
trap servers_stop EXIT
dist="$VWI_OUT/offline_layout"
logs="$VWI_OUT/offline_layout-logs"
layout="$dist/Vimzee 27 offline"
rm -rf "$logs" && mkdir -p "$logs"
clean_machine
clean_cache
product_dist "$dist"
# The prerequisite with its digest, checked on the way in and again later.
digest=$(sha256sum "$WWW/install/vc_redist.exe" | cut -c1-64)
sed -i "s|<install_commandline>/install /quiet</install_commandline>|&<sha256>$digest</sha256>|" \
  "$dist/config/manifestHome.xml"

start_installer run "$dist" /layout "Vimzee 27 offline" /log "$(wine_path "$logs/layout.log")"
check "the layout is made" equals "$(exit_code "$run" 120)" 0
for file in VimzeeWebInstaller.exe config/manifestHome.xml language/1031/stringHome.ini \
  language/1036/stringHome.ini msi/Vimzee.msi transform/1031.mst component/vc_redist.exe \
  component/language_pack_1031.exe; do
  check "it holds $file" test -s "$layout/$file"
done
check "its manifest is standalone" grep -q "<standalone>true</standalone>" \
  "$layout/config/manifestHome.xml"
check "and otherwise the same" equals \
  "$(sed 's|<standalone>true</standalone>|<standalone>false</standalone>|' "$layout/config/manifestHome.xml")" \
  "$(cat "$dist/config/manifestHome.xml")"
check "the main package is the server's" cmp "$layout/msi/Vimzee.msi" "$WWW/install/Vimzee.msi"
check "nothing was installed" bash -c "! '$WINE64' reg query 'HKLM\\$PRODUCT_REGISTRY' >/dev/null 2>&1"

# Made again over a changed file: only that one is fetched.
echo "changed" >"$layout/transform/1031.mst"
start_installer run "$dist" /layout "Vimzee 27 offline" /log "$(wine_path "$logs/again.log")"
check "the layout is made again" equals "$(exit_code "$run" 120)" 0
check "the changed file is fetched" grep -qF "Layout: 1031.mst downloaded to" "$logs/again.log"
check "the prerequisite that matches its digest is kept" \
  grep -qF "Layout: vc_redist.exe is there already" "$logs/again.log"
check "and the main package of the same size" \
  grep -qF "Layout: Vimzee.msi is there already" "$logs/again.log"
check "the transform is the server's again" cmp "$layout/transform/1031.mst" "$WWW/install/1031.mst"

rm -rf "$VWI_OUT/offline_layout-german"
start_installer run "$dist" /layout "$(wine_path "$VWI_OUT/offline_layout-german")" /lang 1031
check "a layout of one language is made" equals "$(exit_code "$run" 120)" 0
check "with /lang the layout holds that language" test -d "$VWI_OUT/offline_layout-german/language/1031"
check "and English" test -d "$VWI_OUT/offline_layout-german/language/1033"
check "and no other" test ! -e "$VWI_OUT/offline_layout-german/language/1036"

# Offline: nothing answers at the server's address any more.
servers_stop
start_installer run "$layout" /s /log "$(wine_path "$logs/offline.log")"
answer_boxes "$run" 120 >"$logs/offline.box"
check "the layout installs with no network" equals "$(exit_code "$run" 60)" 0
check "the product is installed" test -n "$(reg_value "HKLM\\$PRODUCT_REGISTRY" exe)"
check "and no request was made" bash -c "! grep -q 'Request ' '$logs/offline.log'"
clean_machine

finish
