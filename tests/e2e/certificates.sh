# HTTPS downloads, whole program, silent, from servers of localhost whose
# certificates come from a test authority trusted in the prefix: a good
# certificate installs; one out of its dates, one from an authority nobody
# trusts (as a network that inspects secure connections would present) and
# one for another name each end as a failed download (1612) with the
# sentence for that cause, and the log gives the WinINet code and the address.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"
source "$VWI_ROOT/tests/harness/product-lib.sh"
source "$VWI_ROOT/tests/harness/tls-certs.sh"

certs="$VWI_OUT/certificates-tls"
make_tls_certs "$certs" || exit 1
export VWI_TLS_SERVERS=""
for name in good expired stranger misnamed; do
  VWI_TLS_SERVERS+="$name:$certs/$name.pem:$certs/$name.key "
done
product_server certificates || exit 1
check "the test authority is trusted in the prefix" \
  driver trust-root "$(wine_path "$certs/trusted-root.der")"
dist="$VWI_OUT/certificates"
manifest="$dist/config/manifestHome.xml"
logs="$VWI_OUT/certificates-logs"
rm -rf "$logs" && mkdir -p "$logs"
installed() { [ -n "$(reg_value "HKLM\\$PRODUCT_REGISTRY" exe)" ]; }

# A silent run whose main package comes from the HTTPS server NAME; prints its
# exit code, its box in LOG.box.
run_over() { # name log
  local port_name="VWI_TLS_PORT_$1"
  clean_machine
  clean_cache
  product_dist "$dist"
  sed -i "s|<full_url>$SERVER/install/Vimzee.msi</full_url>|<full_url>https://localhost:${!port_name}/install/Vimzee.msi</full_url>|" \
    "$manifest"
  start_installer run "$dist" /s /log "$(wine_path "$2")"
  answer_boxes "$run" 120 >"$2.box"
  exit_code "$run" 30
}

check "a trusted certificate installs" equals "$(run_over good "$logs/good.log")" 0
check "the product is installed" installed

refused() { # name code sentence
  local log="$logs/$1.log" port_name="VWI_TLS_PORT_$1"
  check "a $1 certificate ends as a failed download" equals "$(run_over "$1" "$log")" 1612
  check "its box says why" grep -qF "$3" "$log.box"
  check "the log gives the code and the address" \
    grep -qF "https://localhost:${!port_name}/install/Vimzee.msi: certificate refused ($2)" "$log"
}
refused expired 12037 "The download server's certificate is not valid at this computer's date and time."
refused stranger 12045 "The download server's certificate was issued by an authority this computer does not trust."
refused misnamed 12038 "The download server's certificate was issued for another name."
finish
