#!/usr/bin/env bash
# The skinned controls under Wine at 96 and 144 DPI: the gallery program shows
# every control in its states; screenshots are checked at points computed
# from the controls' positions (which the gallery reports) and the DPI's step
# factor, and real mouse input drives the action button and the caption's
# Close button. Screenshots stay in $VWI_OUT/gallery/.
set -uo pipefail
# shellcheck source=../harness/wine-env.sh
source "$VWI_ROOT/tests/harness/wine-env.sh"

exe="$VWI_BUILD_WIN/tests/gallery/vwi_gallery.exe"
out="$VWI_OUT/gallery"
mkdir -p "$out"
failures=0
checks=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

set_dpi() {
  "$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
# The Wine environment belongs to the caller; only the DPI setting is ours to restore.
trap 'set_dpi 96' EXIT

# Pixel (x, y) of a screenshot as RRGGBB.
pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: 2>/dev/null | cut -c1-6; }

# expect SHOT NAME X Y RRGGBB  |  expect_not SHOT NAME X Y RRGGBB
expect() {
  local got
  got=$(pixel "$1" "$3" "$4")
  checks=$((checks + 1))
  if [ "${got^^}" = "${5^^}" ]; then echo "ok   $2 ($3,$4) $got"; else fail "$2 ($3,$4): got $got, want $5"; fi
}
# After real input: X delivers it to Wine when it will, so the screenshot is
# taken again (for 3 s at most) until the pixel shows the state.
expect_soon() { # SHOT NAME X Y RRGGBB
  local got i
  for i in $(seq 1 15); do
    shot "$1"
    got=$(pixel "$1" "$3" "$4")
    [ "${got^^}" = "${5^^}" ] && break
    sleep 0.2
  done
  checks=$((checks + 1))
  if [ "${got^^}" = "${5^^}" ]; then echo "ok   $2 ($3,$4) $got"; else fail "$2 ($3,$4): got $got, want $5"; fi
}
expect_not() {
  local got
  got=$(pixel "$1" "$3" "$4")
  checks=$((checks + 1))
  if [ "${got^^}" != "${5^^}" ]; then echo "ok   $2 ($3,$4) $got is not $5"; else fail "$2 ($3,$4): got $got"; fi
}

# Reads "name left top right bottom" lines into NAME_l, NAME_t, NAME_r, NAME_b.
read_layout() {
  local name l t r b
  while read -r name l t r b; do
    case $name in
      dpi | ready | click | close) ;;
      *) eval "${name}_l=$l ${name}_t=$t ${name}_r=$r ${name}_b=$b" ;;
    esac
  done < <(tr -d '\r' <"$1")
}

# The step factor's scaling: sc PX -> trunc(factor * PX).
sc() { awk -v f="$factor" -v p="$1" 'BEGIN { printf "%d", f * p }'; }

start_gallery() { # layout-file [open-combo]
  rm -f "$1"
  "$WINE64" "$exe" "$(wine_path "$(dirname "$1")")\\$(basename "$1")" "${2:-}" &
  gallery_pid=$!
  local i
  for i in $(seq 1 300); do
    grep -q '^ready' "$1" 2>/dev/null && break
    sleep 0.1
  done
  grep -q '^ready' "$1" 2>/dev/null || { fail "gallery did not start"; return 1; }
  sleep 0.5
}

stop_gallery() {
  kill "$gallery_pid" 2>/dev/null
  wait "$gallery_pid" 2>/dev/null
}

shot() { import -display "$DISPLAY" -window root "$1" >/dev/null 2>&1; }

static_checks() { # dpi
  local dpi=$1 layout="$out/layout-$1.txt" img="$out/gallery-$1.png"
  xdotool mousemove 2 2
  start_gallery "$layout" open-combo || return
  shot "$img"
  stop_gallery
  read_layout "$layout"
  grep -q "^dpi $dpi $dpi" "$layout" || fail "gallery ran at $(grep '^dpi' "$layout"), not $dpi"

  local midY=$(((window_t + window_b) / 2))
  expect "$img" "frame border left" "$window_l" "$midY" 18191E
  expect_not "$img" "outside the frame" $((window_l - 1)) "$midY" 18191E
  expect "$img" "frame border right" $((window_r - 1)) "$midY" 18191E
  expect_not "$img" "outside the frame right" "$window_r" "$midY" 18191E
  [ $((client_t - window_t)) -eq $(($(sc 28) + $(sc 1))) ] ||
    fail "client starts $((client_t - window_t)) px below the top, want $(($(sc 28) + $(sc 1)))"

  local states=(normal:07A5D8 hover:17BEF4 pressed:058AB5 disabled:707070) s name colour
  for s in "${states[@]}"; do
    name=action_${s%%:*}
    colour=${s##*:}
    eval "local l=\$${name}_l t=\$${name}_t b=\$${name}_b"
    expect "$img" "$name fill" $((l + $(sc 10))) $(((t + b) / 2)) "$colour"
    expect_not "$img" "$name rounded corner" "$l" "$t" "$colour"
  done

  local bw bx0 yc edge
  bw=$(sc 400)
  for name in progress_0 progress_425 progress_1000; do
    eval "local l=\$${name}_l r=\$${name}_r t=\$${name}_t b=\$${name}_b"
    bx0=$((l + (r - l - bw) / 2))
    yc=$(((t + b) / 2))
    case $name in
      progress_0) expect "$img" "$name track" $((bx0 + bw / 2)) "$yc" 4B4746 ;;
      progress_425)
        edge=$((bx0 + bw * 425 / 1000))
        expect "$img" "$name fill before the edge" $((edge - 3)) "$yc" 07A5D8
        expect "$img" "$name track after the edge" $((edge + 3)) "$yc" 4B4746
        ;;
      progress_1000) expect "$img" "$name fill at the end" $((bx0 + bw - $(sc 8))) "$yc" 07A5D8 ;;
    esac
    expect "$img" "$name background" $((l + 1)) "$t" 18191E
  done

  expect "$img" "focused edit border" "$edit_focused_l" $(((edit_focused_t + edit_focused_b) / 2)) 368AD3
  expect "$img" "read-only edit border" "$edit_readonly_l" $(((edit_readonly_t + edit_readonly_b) / 2)) 2F3034
  expect "$img" "closed combo strip" $((combo_closed_r - 3)) $((combo_closed_t + 3)) 414246
  expect "$img" "closed combo border" "$combo_closed_l" $(((combo_closed_t + combo_closed_b) / 2)) 2F3034
  if [ -n "${combo_list_l:-}" ]; then
    local item=$((dpi * 22 / 96))
    expect "$img" "open combo list border" "$combo_list_l" $(((combo_list_t + combo_list_b) / 2)) 368AD3
    expect "$img" "open combo selected item" $((combo_list_l + 2)) $((combo_list_t + 1 + item / 2)) 333C43
    expect "$img" "open combo next item" $((combo_list_l + 2)) $((combo_list_t + 1 + item + item / 2)) 141A20
  else
    fail "the combo's list was not open"
  fi

  local aw=$((slides_r - slides_l)) y=$((slides_t + $(sc 30)))
  expect "$img" "outgoing slide" $((slides_l + $(sc 20))) "$y" E6781E
  expect "$img" "gap between slides" $((slides_l + aw / 2)) "$y" 18191E
  expect "$img" "incoming slide" $((slides_r - $(sc 20))) "$y" 28AA5A

  local cx=$(((check_ticked_l + check_ticked_r) / 2))
  local ctop=$(((check_ticked_t + check_ticked_b) / 2 - $(sc 16) / 2))
  expect "$img" "ticked check box" "$cx" $((ctop + $(sc 2))) 07A5D8
}

mouse_checks() { # dpi
  local dpi=$1 layout="$out/mouse-$1.txt" img
  xdotool mousemove 2 2
  start_gallery "$layout" || return
  read_layout "$layout"
  local ax=$((action_normal_l + $(sc 10))) ay=$(((action_normal_t + action_normal_b) / 2))

  # A real mouse arrives in several motion events; so does this one.
  xdotool mousemove $((ax - 6)) "$ay"; sleep 0.1
  xdotool mousemove "$ax" "$ay"
  img="$out/mouse-$dpi-hover.png"
  expect_soon "$img" "action button under the mouse" "$ax" "$ay" 17BEF4
  xdotool mousedown 1
  img="$out/mouse-$dpi-held.png"
  expect_soon "$img" "action button held over it" "$ax" "$ay" 17BEF4
  xdotool mousemove $((action_normal_l + 2)) $((action_normal_b + $(sc 30)))
  img="$out/mouse-$dpi-dragged-out.png"
  expect_soon "$img" "action button held, mouse outside" "$ax" "$ay" 058AB5
  xdotool mouseup 1
  img="$out/mouse-$dpi-released-outside.png"
  expect_soon "$img" "action button after release outside" "$ax" "$ay" 07A5D8
  grep -q '^click 1001' "$layout" && fail "release outside clicked the action button"
  xdotool mousemove "$ax" "$ay" click 1; sleep 0.4
  checks=$((checks + 1))
  grep -q '^click 1001' "$layout" && echo "ok   click on the action button reached the dialog" ||
    fail "a click on the action button sent no command"

  local cx=$((window_r - 1 - $(sc 30) / 2)) cy=$((window_t + 1 + $(sc 14)))
  xdotool mousemove "$cx" "$cy"
  img="$out/mouse-$dpi-close-hover.png"
  expect_soon "$img" "Close under the mouse" "$((window_r - 2))" $((window_t + 2)) B52724
  expect "$img" "Close box ends at the caption's bottom" "$((window_r - 2))" $((window_t + $(sc 28))) B52724
  expect "$img" "client area starts below the caption" "$((window_r - 2))" $((window_t + $(sc 28) + $(sc 1))) 18191E
  expect "$img" "frame border beside Close" "$((window_r - 1))" $((window_t + 2)) 18191E
  expect "$img" "Minimize stays normal" $((window_r - 1 - $(sc 30) - 2)) $((window_t + 2)) 18191E
  xdotool mousedown 1
  img="$out/mouse-$dpi-close-pressed.png"
  expect_soon "$img" "Close pressed" "$((window_r - 2))" $((window_t + 2)) 95100E
  xdotool mouseup 1
  local i status=""
  for i in $(seq 1 50); do
    if ! kill -0 "$gallery_pid" 2>/dev/null; then
      wait "$gallery_pid"
      status=$?
      break
    fi
    sleep 0.1
  done
  checks=$((checks + 1))
  if [ "$status" = 2 ] && grep -q '^close' "$layout"; then
    echo "ok   the caption's Close button closed the window"
  else
    fail "Close did not close the window (status ${status:-still running})"
    stop_gallery
  fi
}

for dpi in 96 144; do
  echo "== gallery at $dpi DPI"
  set_dpi "$dpi"
  factor=$(awk -v d="$dpi" 'BEGIN { q = d / 96; print (q < 1.25 ? 1 : q < 1.5 ? 1.25 : q < 2 ? 1.5 : 2) }')
  static_checks "$dpi"
  mouse_checks "$dpi"
done

echo "gallery: screenshots in $out"
# The last line counts the checks for the test run's summary.
echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
