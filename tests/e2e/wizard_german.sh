# "/lang 1031": the wizard in German from the language file, the German
# transform applied to the package, the German language pack run with "/s",
# and the language values written for the product.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"
source "$VWI_ROOT/tests/harness/product-lib.sh"

product_server wizard-german || exit 1
clean_machine
record_browser "$VWI_OUT/wizard-german-browser.log"
dist="$VWI_OUT/wizard-german"
product_dist "$dist" slow
german() { language_text "$dist" 1031 "$1"; }

start_installer run "$dist" /lang 1031
check "the wizard opens on the settings panel" wait_control install 60
settle
screenshot german-settings
check "the licence label is German" equals "$(control_text accept_label)" \
  "$(german IDS_ACCEPT_LICENSE_TERMS)"
check "the licence link is German" equals "$(control_text license_link)" \
  "$(german IDS_LINK_LICENSE_TERMS)"
check "the folder label is German" equals "$(control_text folder_label)" \
  "$(german IDS_INSTALL_FOLDER)"
click_control install
driver watch-text "$MAIN_CLASS" "$(control_id status_label)" 120000 >"$VWI_OUT/wizard-german-status.txt" &
watch_status=$!
wait_control slide_show 30
screenshot_until 10 german-status slide_shown german-status
check "the success panel follows" wait_control start_now 120
settle
screenshot german-success
driver close "$MAIN_CLASS"
check "closing the success panel ends the run" equals "$(exit_code "$run" 30)" 0
wait "$watch_status"
check "the status line was German" grep -qxF "$(german IDS_STATUS_DOWNLOADING)" \
  "$VWI_OUT/wizard-german-status.txt"
check "and ended German" equals "$(tail -1 "$VWI_OUT/wizard-german-status.txt")" \
  "$(german IDS_STATUS_FINISHED)"

check "the German transform was applied" equals "$(reg_value "$PRODUCT_KEY" TransformLanguage)" 1031
line=$(reg_value "$PROGRAMS_KEY\\LanguagePack" CommandLine)
check "the German language pack ran with /s" grep -q 'language_pack_1031.*" /s$' <<<"$line"
check "the first language is recorded" \
  equals "$(reg_value "HKLM\\$PRODUCT_REGISTRY\\LanguagePacks" InitialLangID)" 0x407
check "the application language is recorded" \
  equals "$(reg_value "HKCU\\$PRODUCT_REGISTRY" ApplicationLanguage)" 0x407
check "the companion program's language is recorded" \
  equals "$(reg_value 'HKCU\SOFTWARE\Orvanta\ResourceLangID' 'C:\Program Files\Orvanta\vrelTandor2.exe')" 1031

clean_machine
finish
