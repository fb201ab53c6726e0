# Through the system's proxy, whole program, silent: with the prefix's
# Internet settings naming a proxy (tinyproxy on 127.0.0.1), a silent
# installation completes and every request is seen at the proxy, the main
# package's over HTTPS through CONNECT; a proxy
# that asks for a password (Basic) ends the silent run as a failed download
# (1612), nobody is asked, and the log names the proxy. In the wizard the
# person is asked (the system's credential dialog): a wrong password asks
# again, the right one serves the whole run, three wrong ones in a row end it
# as a failed download with the proxy's sentence, and Cancel ends it
# cancelled (1602).
source "$VWI_ROOT/tests/harness/e2e-lib.sh"
source "$VWI_ROOT/tests/harness/product-lib.sh"
source "$VWI_ROOT/tests/harness/tls-certs.sh"

certs="$VWI_OUT/proxy-tls"
make_tls_certs "$certs" || exit 1
export VWI_TLS_SERVERS="good:$certs/good.pem:$certs/good.key"
product_server proxy || exit 1
driver trust-root "$(wine_path "$certs/trusted-root.der")" >/dev/null
secure="https://localhost:$VWI_TLS_PORT_good"
dist="$VWI_OUT/proxy"
logs="$VWI_OUT/proxy-logs"
rm -rf "$logs" && mkdir -p "$logs"
settings='HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings'
proxy_pids=()

# A tinyproxy on a free port, logging every request; its port in `port`.
start_proxy() { # name [user password]
  local conf="$logs/$1.conf"
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
  cat >"$conf" <<CONF
Port $port
Listen 127.0.0.1
Timeout 60
LogFile "$logs/$1-proxy.log"
LogLevel Info
MaxClients 20
Allow 127.0.0.1
${2:+BasicAuth $2 $3}
CONF
  tinyproxy -d -c "$conf" >/dev/null 2>&1 &
  proxy_pids+=($!)
  wait_until 10 bash -c "exec 3<>/dev/tcp/127.0.0.1/$port" 2>/dev/null
}
# A proxy that answers 407 to every request without the right password;
# each request and its verdict in $logs/<name>-proxy.log.
start_locked_proxy() { # name user password
  rm -f "$logs/$1.port"
  python3 "$VWI_ROOT/tests/harness/servers/auth_proxy.py" --port-file "$logs/$1.port" \
    --log "$logs/$1-proxy.log" --user "$2" --password "$3" &
  proxy_pids+=($!)
  wait_until 10 test -s "$logs/$1.port"
  port=$(cat "$logs/$1.port")
}
use_proxy() { # port
  "$WINE64" reg add "$settings" /v ProxyEnable /t REG_DWORD /d 1 /f >/dev/null 2>&1
  "$WINE64" reg add "$settings" /v ProxyServer /t REG_SZ /d "127.0.0.1:$1" /f >/dev/null 2>&1
}
# The lane's later scenarios go direct again.
stop_proxies() {
  "$WINE64" reg delete "$settings" /v ProxyEnable /f >/dev/null 2>&1
  "$WINE64" reg delete "$settings" /v ProxyServer /f >/dev/null 2>&1
  local pid
  for pid in "${proxy_pids[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
}
trap 'stop_proxies; servers_stop' EXIT
silent_run() { # log
  clean_machine
  clean_cache
  product_dist "$dist"
  sed -i "s|<full_url>$SERVER/install/Vimzee.msi</full_url>|<full_url>$secure/install/Vimzee.msi</full_url>|" \
    "$dist/config/manifestHome.xml"
  start_installer run "$dist" /s /log "$(wine_path "$1")"
  answer_boxes "$run" 120 >"$1.box"
  exit_code "$run" 60
}
installed() { [ -n "$(reg_value "HKLM\\$PRODUCT_REGISTRY" exe)" ]; }
seen_at_proxy() { # proxy-log path
  grep -q "GET http://127.0.0.1:$VWI_NGINX_PORT$2 " "$1"
}

start_proxy open
use_proxy "$port"
check "through the proxy, a silent installation completes" equals "$(silent_run "$logs/open.log")" 0
check "the product is installed" installed
for path in /version.xml /install/vc_redist.exe; do
  check "the proxy saw $path" seen_at_proxy "$logs/open-proxy.log" "$path"
done
check "and the HTTPS package's tunnel" \
  grep -q "CONNECT localhost:$VWI_TLS_PORT_good " "$logs/open-proxy.log"

start_locked_proxy locked vimzee s3cret
use_proxy "$port"
check "a proxy that asks for a password ends the silent run as a failed download" \
  equals "$(silent_run "$logs/locked.log")" 1612
check "the log names the proxy and what it asked" \
  grep -qF "The proxy 127.0.0.1:$port asks for a user name and password (status 407)" "$logs/locked.log"
check "and the password is never in the log" bash -c "! grep -q s3cret '$logs/locked.log'"

# With a person at the wizard the same proxy is asked about: the question
# names the proxy, a wrong password asks again, and the right answer serves
# every later request.
clean_machine
clean_cache
product_dist "$dist"
start_installer run "$dist" /log "$(wine_path "$logs/asked.log")"
text=$(driver wait-credentials "$CAPTION" 60000)
check "the person is asked for the proxy's user name and password" \
  grep -qF "The proxy server 127.0.0.1:$port asks for a user name and password" <<<"$text"
check "and gives a wrong password" driver fill-credentials "$CAPTION" vimzee wrong
check "which asks again" driver wait-credentials "$CAPTION" 60000
check "and the right one" driver fill-credentials "$CAPTION" vimzee s3cret
check "the wizard opens" wait_control install 60
click_control install
check "and installs through the proxy" wait_control start_now 120
settle
driver close "$MAIN_CLASS" >/dev/null
check "the run ends finished" equals "$(exit_code "$run" 30)" 0
check "the log tells the refused answer" \
  grep -qF "asks for a user name and password (status 407); the ones given were refused" \
  "$logs/asked.log"
check "asked twice in all" equals "$(grep -c "asks for a user name and password" "$logs/asked.log")" 2
check "the packages came with the password" \
  grep -q "GET http://127.0.0.1:$VWI_NGINX_PORT/install/Vimzee.msi accepted" "$logs/locked-proxy.log"
check "the password is never in the log" bash -c "! grep -q s3cret '$logs/asked.log'"

# Three wrong passwords in a row: the run ends as a failed download, and its
# box says what the proxy asked.
clean_machine
start_installer run "$dist"
for try in 1 2 3; do
  driver wait-credentials "$CAPTION" 60000 >/dev/null
  driver fill-credentials "$CAPTION" vimzee "wrong$try" >/dev/null
done
text=$(answer_boxes "$run" 60)
check "three wrong passwords end in the proxy's sentence" \
  grep -qF "The proxy server asks for a user name and password" <<<"$text"
check "and the run ends as a failed download" equals "$(exit_code "$run" 30)" 1612

# Cancel in the question ends the run as cancelled.
clean_machine
start_installer run "$dist"
driver wait-credentials "$CAPTION" 60000 >/dev/null
driver cancel-credentials "$CAPTION" >/dev/null
check "Cancel in the proxy's question ends the run cancelled" equals "$(exit_code "$run" 30)" 1602
finish
