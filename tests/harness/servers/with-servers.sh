#!/usr/bin/env bash
# Runs one command with the loopback download servers up, their ports in the
# environment; the test programs of the download and validation folders are
# registered with this script in front of Wine.
#   with-servers.sh COMMAND ARGS...
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${VWI_SERVERS_OUT:-$(dirname "$(readlink -f "${@: -1}" 2>/dev/null || echo .)")}
# The program is the first argument that ends in .exe (after the emulator).
for arg in "$@"; do
  case $arg in *.exe) out=$(dirname "$(readlink -f "$arg")")/servers-$(basename "$arg" .exe) ;; esac
done
mkdir -p "$out"
"$here/make_www.sh" "$out/www" >/dev/null || exit 1
# shellcheck source=servers.sh
source "$here/servers.sh"
servers_start "$out" "$out/www" || exit 1
"$@"
status=$?
servers_stop
exit $status
