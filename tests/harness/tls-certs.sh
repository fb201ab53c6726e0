# Source this file to make the certificates of the HTTPS scenarios:
#
#   make_tls_certs DIR
#
# DIR/trusted-root.der: a test authority the scenario trusts in the prefix;
# DIR/<name>.pem and DIR/<name>.key for these servers of localhost:
#   good      issued by the trusted authority, valid now
#   expired   issued by the trusted authority, valid only in 2020
#   stranger  issued by an authority nobody trusts
#   misnamed  issued by the trusted authority for another name

_tls_ca() { # dir name subject
  openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 3650 -subj "/CN=$3" \
    -addext basicConstraints=critical,CA:true -addext keyUsage=critical,keyCertSign,cRLSign \
    -keyout "$1/$2.key" -out "$1/$2.pem" 2>/dev/null
}

# A server certificate from an authority, with the given dates.
_tls_server() { # dir name authority san start end
  local dir=$1 name=${4%%,*}
  openssl req -newkey rsa:2048 -nodes -sha256 -subj "/CN=${name#*:}" -keyout "$dir/$2.key" \
    -out "$dir/$2.csr" 2>/dev/null
  printf 'subjectAltName=%s\nextendedKeyUsage=serverAuth\nbasicConstraints=CA:false\n' "$4" \
    >"$dir/$2.ext"
  mkdir -p "$dir/ca-$2"
  : >"$dir/ca-$2/index.txt"
  cat >"$dir/ca-$2/ca.conf" <<CONF
[ca]
default_ca = test
[test]
database = $dir/ca-$2/index.txt
new_certs_dir = $dir/ca-$2
serial = $dir/ca-$2/serial
default_md = sha256
policy = anything
unique_subject = no
[anything]
commonName = supplied
CONF
  openssl rand -hex 8 >"$dir/ca-$2/serial"
  openssl ca -batch -config "$dir/ca-$2/ca.conf" -cert "$dir/$3.pem" -keyfile "$dir/$3.key" \
    -in "$dir/$2.csr" -out "$dir/$2.pem" -extfile "$dir/$2.ext" -notext \
    -startdate "$5" -enddate "$6" >/dev/null 2>&1
}

make_tls_certs() { # dir
  local dir
  mkdir -p "$1"
  dir=$(cd "$1" && pwd)
  _tls_ca "$dir" trusted-root "Vimzee Test TLS Authority"
  _tls_ca "$dir" stranger-root "Unknown Inspection Authority"
  openssl x509 -in "$dir/trusted-root.pem" -outform der -out "$dir/trusted-root.der"
  local now_start now_end
  now_start=$(date -u -d '-1 day' +%Y%m%d%H%M%SZ)
  now_end=$(date -u -d '+30 days' +%Y%m%d%H%M%SZ)
  local here=DNS:localhost,IP:127.0.0.1
  _tls_server "$dir" good trusted-root "$here" "$now_start" "$now_end"
  _tls_server "$dir" expired trusted-root "$here" 20200101000000Z 20201231000000Z
  _tls_server "$dir" stranger stranger-root "$here" "$now_start" "$now_end"
  _tls_server "$dir" misnamed trusted-root DNS:elsewhere.example "$now_start" "$now_end"
  local name
  for name in good expired stranger misnamed; do
    [ -s "$dir/$name.pem" ] || { echo "tls-certs: $name was not made" >&2; return 1; }
  done
}
