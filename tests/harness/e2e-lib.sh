# Helpers for the whole-program scenarios (tests/e2e/*.sh). scripts/test runs
# each scenario with the Wine environment up and these variables set:
# VWI_ROOT, VWI_BUILD_WIN, VWI_OUT, WINEPREFIX, DISPLAY.
set -uo pipefail
source "$VWI_ROOT/tests/harness/wine-env.sh"

# The installer as the publisher ships it: signed (here by the tests' own
# publisher, whose root the prefix trusts), so it takes only newer installers
# signed by the same publisher.
INSTALLER_EXE="$VWI_BUILD_WIN/fixtures/signing/VimzeeWebInstaller.exe"
UNSIGNED_INSTALLER_EXE="$VWI_BUILD_WIN/bin/VimzeeWebInstaller.exe"
SIGNING="$VWI_BUILD_WIN/fixtures/signing"
DRIVER_EXE="$VWI_BUILD_WIN/bin/vwi_driver.exe"
MAIN_CLASS=VrelMasterInstallerClassName

_e2e_failures=0
_e2e_passes=0
_e2e_pids=()

driver() { "$WINE64" "$DRIVER_EXE" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }
driver trust-root "$(wine_path "$SIGNING/pki/publisher-root.der")" >/dev/null

# The wizard's controls by name, read from the program's own resource
# identifiers: IDC_STATUS_LABEL (122) is "status_label". Scenarios name the
# controls they find; the numbers stay the program's.
declare -gA CONTROL=()
while read -r _ name id; do
  name=${name#IDC_}
  CONTROL[${name,,}]=$id
done < <(grep -E '^#define IDC_[A-Z_]+ [0-9]+$' "$VWI_ROOT/src/res/resource_ids.h")
control_id() { # name
  [ -n "${CONTROL[$1]:-}" ] || { echo "  no control is named '$1'" >&2; return 1; }
  echo "${CONTROL[$1]}"
}
# The name of a control's number (the number itself when it has none).
control_name() { # id
  local name
  for name in "${!CONTROL[@]}"; do [ "${CONTROL[$name]}" = "$1" ] && { echo "$name"; return 0; }; done
  echo "$1"
}
control_text() { driver control-text "$MAIN_CLASS" "$(control_id "$1")"; }
control_rect() { driver control-rect "$MAIN_CLASS" "$(control_id "$1")"; }
# The name of the control that has the keyboard focus.
focused() { control_name "$(driver focus-id "$MAIN_CLASS")"; }
# A box's buttons by the answer they give.
declare -gA ANSWER=([ok]=1 [cancel]=2 [abort]=3 [retry]=4 [ignore]=5 [yes]=6 [no]=7)
press_box() { driver press-box "$1" "${ANSWER[$2]:?no answer is named $2}"; }

check() { # description command...
  local what=$1
  shift
  if "$@" >/dev/null; then
    echo "ok: $what"
    _e2e_passes=$((_e2e_passes + 1))
  else
    echo "FAILED: $what"
    _e2e_failures=$((_e2e_failures + 1))
  fi
}

equals() { [ "$1" = "$2" ] || { echo "  expected '$2', got '$1'" >&2; return 1; }; }
differs() { [ "$1" != "$2" ] || { echo "  expected anything but '$2'" >&2; return 1; }; }

# A distribution folder: the executable beside config/ and language/.
make_dist() { # folder
  rm -rf "$1"
  mkdir -p "$1"
  cp "$INSTALLER_EXE" "$1/"
}

# Starts the installer in the background (through the driver, which records
# its full exit code) and stores its run's name in the variable named first.
start_installer() { # variable folder args...
  local variable=$1 folder=$2
  shift 2
  local name="run_$RANDOM$RANDOM"
  local exe
  exe=$(wine_path "$folder/VimzeeWebInstaller.exe")
  (cd "$folder" && exec "$WINE64" "$DRIVER_EXE" run "$exe" "$@" >"$VWI_OUT/$name.exit" 2>/dev/null) &
  _e2e_pids+=($!)
  eval "_e2e_pid_$name=$!"
  printf -v "$variable" '%s' "$name"
}

# Runs the command every 0.2 s until it succeeds or the seconds have passed;
# the status is the command's last.
wait_until() { # seconds command...
  local seconds=$1 _
  shift
  for _ in $(seq 1 $((seconds * 5))); do
    "$@" && return 0
    sleep 0.2
  done
  "$@"
}

running() { # run
  local pid_var="_e2e_pid_$1"
  kill -0 "${!pid_var}" 2>/dev/null
}

# Waits for a run to end and prints its exit code ("timeout" when it did not end).
exit_code() { # run seconds
  local pid_var="_e2e_pid_$1" i
  for i in $(seq 1 $(($2 * 10))); do
    if ! kill -0 "${!pid_var}" 2>/dev/null; then
      tr -d '\r\n' <"$VWI_OUT/$1.exit"
      return 0
    fi
    sleep 0.1
  done
  echo timeout
}

# Closes the wizard as the user does from the settings panel: the close
# request, then Yes to the question whether to cancel the installation.
# Prints the question's text.
close_wizard() { # caption of the question (the product's short name)
  driver close "$MAIN_CLASS"
  driver wait-box "$1" 20000 && press_box "$1" yes
}

# Waits until the wizard has handled the input so far and painted what it
# changed; at once when it has no window. Scenarios settle where they would
# otherwise sleep: after a key, a click or a pointer move whose effect they
# read next.
settle() { driver settle "$MAIN_CLASS" 5000 >/dev/null || true; }

screenshot() { wine_screenshot "$VWI_OUT/$1.png"; }
# Takes the screenshot again until the check on it holds (seconds at most):
# for a look the scenario waits for, not one it only records.
screenshot_until() { # seconds screenshot-name command...
  local deadline=$((SECONDS + $1)) name=$2
  shift 2
  settle
  # By the clock: a large screen's picture and its check take a while.
  while [ "$SECONDS" -lt "$deadline" ]; do
    screenshot "$name"
    "$@" 2>/dev/null && return 0
    sleep 0.25
  done
  screenshot "$name"
  "$@"
}

finish() {
  local pid
  for pid in "${_e2e_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  echo "$_e2e_passes passed, $_e2e_failures failed"
  [ "$_e2e_failures" -eq 0 ]
}
