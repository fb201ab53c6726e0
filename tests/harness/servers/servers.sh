# Source this file to run the loopback download servers for one test run.
#
#   source tests/harness/servers/servers.sh
#   servers_start OUT_DIR WWW_DIR   # nginx serving WWW_DIR and the fault server
#   ...                             # VWI_NGINX_PORT, VWI_FAULT_PORT, VWI_WWW set
#   servers_stop                    # stops both by their PIDs (also on exit)
#   VWI_NGINX_RATE=8m servers_start ...   every answer sent at most that fast
#   VWI_TLS_SERVERS="good:cert.pem:key.pem ..." servers_start ...
#                                   also HTTPS servers of the same files, one
#                                   per certificate, on VWI_TLS_PORT_<name>
#
# nginx gets its own config, pid file, logs and temporary folders under
# OUT_DIR/servers; nothing outside that folder is written.

_servers_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
_servers_pids=()

_servers_free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1]); s.close()'
}

_servers_wait_port() { # port
  local i
  for i in $(seq 1 100); do
    if python3 -c "import socket,sys; s=socket.socket(); s.settimeout(0.2); sys.exit(s.connect_ex(('127.0.0.1',$1)))" 2>/dev/null; then
      return 0
    fi
    sleep 0.05
  done
  return 1
}

_servers_nginx_conf() { # dir www port
  cat <<CONF
daemon off;
master_process on;
worker_processes 1;
user $(id -un);
pid $1/nginx.pid;
error_log $1/nginx-error.log warn;
events { worker_connections 64; }
http {
  access_log $1/nginx-access.log;
  client_body_temp_path $1/tmp/body;
  proxy_temp_path $1/tmp/proxy;
  fastcgi_temp_path $1/tmp/fastcgi;
  uwsgi_temp_path $1/tmp/uwsgi;
  scgi_temp_path $1/tmp/scgi;
  types { application/xml xml; application/octet-stream bin msi exe mst; }
  default_type application/octet-stream;
  sendfile on;
  keepalive_timeout 30;
  server {
    listen 127.0.0.1:$3;
    root $2;
    ${VWI_NGINX_RATE:+limit_rate $VWI_NGINX_RATE;}
    # The same files, sent slowly enough to watch (and interrupt) a download.
    location /slow/ { alias $2/; limit_rate 64k; }
  }
$(_servers_tls_blocks "$2")
}
CONF
}

# One HTTPS server block per entry of VWI_TLS_SERVERS ("name:cert:key"),
# each on the port _servers_tls_ports chose for it.
_servers_tls_blocks() { # www
  local entry name cert key port
  for entry in ${VWI_TLS_SERVERS:-}; do
    IFS=: read -r name cert key <<<"$entry"
    port=${_servers_tls_port[$name]}
    printf '  server {\n    listen 127.0.0.1:%s ssl;\n    root %s;\n' "$port" "$1"
    printf '    ssl_certificate %s;\n    ssl_certificate_key %s;\n  }\n' "$cert" "$key"
  done
}

_servers_tls_ports() {
  declare -gA _servers_tls_port=()
  local entry name
  for entry in ${VWI_TLS_SERVERS:-}; do
    name=${entry%%:*}
    _servers_tls_port[$name]=$(_servers_free_port)
  done
}

servers_start() { # out_dir www_dir
  local dir www port try
  mkdir -p "$1/servers/tmp"
  dir=$(cd "$1/servers" && pwd)
  www=$(cd "$2" && pwd)
  for try in 1 2 3 4 5; do
    port=$(_servers_free_port)
    _servers_tls_ports
    _servers_nginx_conf "$dir" "$www" "$port" >"$dir/nginx.conf"
    nginx -p "$dir" -c "$dir/nginx.conf" -e "$dir/nginx-error.log" >>"$dir/nginx.out" 2>&1 &
    local pid=$!
    if _servers_wait_port "$port" && kill -0 "$pid" 2>/dev/null; then
      _servers_pids+=("$pid")
      export VWI_NGINX_PORT=$port
      local name
      for name in "${!_servers_tls_port[@]}"; do
        _servers_wait_port "${_servers_tls_port[$name]}" || true
        export "VWI_TLS_PORT_$name=${_servers_tls_port[$name]}"
      done
      break
    fi
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
  done
  [ -n "${VWI_NGINX_PORT:-}" ] || { echo "servers: nginx did not start (see $dir)" >&2; return 1; }

  rm -f "$dir/fault.port"
  python3 "$_servers_here/fault_server.py" --port-file "$dir/fault.port" --root "$www" \
    >"$dir/fault.log" 2>&1 &
  _servers_pids+=($!)
  local i
  for i in $(seq 1 100); do [ -s "$dir/fault.port" ] && break; sleep 0.05; done
  [ -s "$dir/fault.port" ] || { echo "servers: fault server did not start" >&2; return 1; }
  export VWI_FAULT_PORT=$(cat "$dir/fault.port")
  _servers_wait_port "$VWI_FAULT_PORT" || return 1
  # The Windows programs see the Linux root as drive Z:.
  export VWI_WWW="Z:${www//\//\\}"
  trap servers_stop EXIT
}

servers_stop() {
  local pid
  for pid in "${_servers_pids[@]}"; do
    kill "$pid" >/dev/null 2>&1 || true
    wait "$pid" 2>/dev/null || true
  done
  _servers_pids=()
}
