#!/usr/bin/env bash
# Lists the libraries in an executable's import table and fails when one is
# not in the allowed list (names without ".dll", any case).
#   check-imports.sh OBJDUMP EXECUTABLE "allowed names"
set -euo pipefail
objdump=$1 exe=$2 allowed=" ${3,,} "
status=0
while read -r dll; do
  name=${dll,,}
  name=${name%.dll}
  if [[ $allowed != *" $name "* ]]; then
    echo "error: $(basename "$exe") imports $dll, which Windows may load from beside it" >&2
    status=1
  fi
done < <("$objdump" -p "$exe" | awk '/^\tDLL Name:/ {print $3}')
exit $status
