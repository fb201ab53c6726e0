# The wizard as a screen reader meets it: a client in another process reads
# each control's role, state, value and name through the platform's
# accessibility library, before and after a state change, and activates
# controls the way assistive technology does.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"
source "$VWI_ROOT/tests/harness/product-lib.sh"

product_server wizard-accessible || exit 1
clean_machine
record_browser "$VWI_OUT/wizard-accessible-browser.log"
dist="$VWI_OUT/wizard-accessible"
product_dist "$dist" slow
geo='HKCU\Control Panel\International\Geo'
nation=$(reg_value "$geo" Nation)
reads() { driver accessible "$MAIN_CLASS" "$(control_id "$1")"; }
acts() { driver accessible-do "$MAIN_CLASS" "$(control_id "$1")"; }
# The "key=value" field of a description (the name runs to the end).
field() { # description key
  case $2 in
    name) echo "${1#* name=}" ;;
    *) tr ' ' '\n' <<<"${1% name=*}" | sed -n "s/^$2=//p" ;;
  esac
}
has_state() { [[ "+$(field "$1" state)+" == *"+$2+"* ]]; }
lacks_state() { ! has_state "$@"; }

# A user in a region that requires explicit consent: the box starts empty.
"$WINE64" reg add "$geo" /v Nation /d 94 /f >/dev/null 2>&1
park_mouse
start_installer run "$dist"
check "the wizard opens on the settings panel" wait_control install 60
settle

install=$(reads install)
echo "Install: $install"
check "Install is a push button" equals "$(field "$install" role)" 43
check "named Install" equals "$(field "$install" name)" "Install"
check "reported unavailable while grey" has_state "$install" unavailable
check "with no action to offer" equals "$(field "$install" action)" ""
check "a screen reader cannot activate it" equals "$(acts install)" refused
settle
check "and the wizard stays on the settings panel" equals "$(control_text install)" Install

box=$(reads accept_box)
echo "licence box: $box"
check "the licence box is a check box" equals "$(field "$box" role)" 44
check "named by its label and link" equals "$(field "$box" name)" "I accept the License Terms"
check "not checked" lacks_state "$box" checked
check "offering Check" equals "$(field "$box" action)" Check
check "activated through the interface" equals "$(acts accept_box)" done
settle
box=$(reads accept_box)
echo "licence box after: $box"
check "then it reports checked" has_state "$box" checked
check "and offers Uncheck" equals "$(field "$box" action)" Uncheck
install=$(reads install)
check "and Install becomes available" lacks_state "$install" unavailable
check "offering Press" equals "$(field "$install" action)" Press
if [ -n "$nation" ]; then
  "$WINE64" reg add "$geo" /v Nation /d "$nation" /f >/dev/null 2>&1
else
  "$WINE64" reg delete "$geo" /v Nation /f >/dev/null 2>&1
fi

link=$(reads license_link)
echo "link: $link"
check "the licence terms are a link" equals "$(field "$link" role)" 30
check "named License Terms" equals "$(field "$link" name)" "License Terms"
check "linked" has_state "$link" linked
check "and focusable" has_state "$link" focusable

expander=$(reads settings_expander)
echo "expander: $expander"
check "the expander reports expanded" has_state "$expander" expanded
check "offering Collapse" equals "$(field "$expander" action)" Collapse
acts settings_expander >/dev/null
settle
expander=$(reads settings_expander)
read -r cl ct cr cb <<<"$(driver window-rect "$MAIN_CLASS")"
check "activating it collapses the section" equals "$((cb - ct))" 360
check "then it reports collapsed" has_state "$expander" collapsed
check "offering Expand" equals "$(field "$expander" action)" Expand
acts settings_expander >/dev/null
settle
check "and it expands again" has_state "$(reads settings_expander)" expanded

# Install, pressed through the interface, starts the installation.
check "Install activated through the interface" equals "$(acts install)" done
check "the status panel shows" wait_control slide_show 30
bar=$(reads progress_bar)
echo "progress bar: $bar"
check "the progress bar is a progress bar" equals "$(field "$bar" role)" 48
check "read-only" has_state "$bar" readonly
check "whose value is a percentage" grep -qE '^[0-9]+%$' <<<"$(field "$bar" value)"
check "named after the status line" grep -qE '^(Initializing|Downloading|Installing)' <<<"$(field "$bar" name)"
slides=$(reads slide_show)
echo "slide show: $slides"
check "the slide show is a graphic" equals "$(field "$slides" role)" 40
check "named after the product" equals "$(field "$slides" name)" "Vimzee Home 27"
# The value follows the installation.
first=$(field "$bar" value)
for _ in $(seq 1 60); do
  now=$(field "$(reads progress_bar)" value)
  [ -n "$now" ] && [ "$now" != "$first" ] && break
  sleep 1
done
echo "progress value: $first then $now"
check "and its value follows the installation" test "${now%\%}" -gt "${first%\%}"

check "the success panel shows" wait_control start_now 120
start=$(reads start_now)
echo "Start Now: $start"
check "Start Now is an available push button" equals "$(field "$start" role) $(field "$start" action)" "43 Press"
driver close "$MAIN_CLASS" >/dev/null
exit_code "$run" 30 >/dev/null
finish
