# Links from a language file are data: a licence link that names a local
# program, followed with the keyboard, starts nothing and opens no browser;
# a web address in its place opens in the browser.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"
source "$VWI_ROOT/tests/harness/product-lib.sh"

product_server hostile-links || exit 1
clean_machine
browser_log="$VWI_OUT/hostile-links-browser.log"
record_browser "$browser_log"
dist="$VWI_OUT/hostile-links"
product_dist "$dist"
key() { xdotool key --delay 100 "$@"; settle; }

# Points the English licence link at `target` (the file stays UTF-16).
licence_link() { # target
  local file="$dist/language/1033/stringHome.ini"
  iconv -f UTF-16 -t UTF-8 "$file" | sed "s|^IDS_RLINK_TERMS=.*|IDS_RLINK_TERMS=$1\r|" |
    iconv -f UTF-8 -t UTF-16 >"$file.new" && mv "$file.new" "$file"
}

# Opens the wizard, follows the licence link with Enter and Space, closes it.
follow_licence_link() {
  park_mouse
  start_installer run "$dist"
  wait_control license_link 60 || return 1
  read -r wl wt wr wb <<<"$(driver window-rect "$MAIN_CLASS")"
  xdotool mousemove $((wl + 20)) $((wt + 120))
  settle
  local tabs=0
  while [ "$(focused)" != license_link ] && [ $tabs -lt 8 ]; do
    key Tab
    tabs=$((tabs + 1))
  done
  key Return
  key space
  # The browser stand-in writes its log when a link is followed, and a
  # refused link writes nothing: wait for either a little.
  wait_until 2 test -s "$browser_log"
  settle
  close_wizard "$CAPTION" >/dev/null
  exit_code "$run" 30 >/dev/null
}

program=$(wine_path "$FIXTURES/Product.exe")
licence_link "$program"
follow_licence_link
check "a licence link naming a local program started nothing" \
  equals "$(reg_value "$PROGRAMS_KEY\\Product" Runs)" ""
check "and opened no browser" equals "$(cat "$browser_log")" ""

licence_link 'file:///C:/windows/system32/winver.exe'
follow_licence_link
check "a file: link opened nothing" equals "$(cat "$browser_log")" ""

licence_link 'https://www.example.com/vimzee/license-terms'
follow_licence_link
check "a web licence link opens in the browser" \
  grep -q '^https://www.example.com/vimzee/license-terms' "$browser_log"

clean_machine
finish
