# The fixture product behind the loopback server, for the whole-program
# scenarios of the wizard. Source after e2e-lib.sh:
#
#   product_server NAME            www folder with the packages, servers up; sets SERVER, WWW
#   version_file [PRODUCT_VERSION] the server's version file (patch offer PRODUCT_VERSION)
#   product_dist FOLDER [PREFIX]   distribution folder whose manifest points at the server;
#                                  PREFIX "slow" sends the prerequisite slowly
#   clean_machine                  the product, its keys and the fixture programs' records gone
#   reg_value KEY NAME             prints a registry value's data (empty when missing)
#   run_folder                     the newest run's work folder in the protected place
#   clean_cache                    the packages earlier runs kept for reuse gone
#   answer_boxes RUN SECONDS       presses OK in every box until the run ends; prints the first
source "$VWI_ROOT/tests/harness/servers/servers.sh"

PRODUCT_CODE='{6A3C2F10-3B7E-4C55-9D0A-0F1E2D3C4B50}'
PRODUCT_VERSION=27.0.0.5
PRODUCT_KEY='HKLM\SOFTWARE\Orvanta\VimzeeFixture\Package'
PROGRAMS_KEY='HKCU\Software\Orvanta\VimzeeFixture\Programs'
PRODUCT_REGISTRY='SOFTWARE\Orvanta\VimzeeE2E'
RUNTIME_KEY='HKLM\SOFTWARE\Wow6432Node\Microsoft\VisualStudio\14.0\VC\Runtimes\x64'
CAPTION="Vimzee Home"
FIXTURES="$VWI_BUILD_WIN/fixtures/install"
# Where an elevated run works (every run is elevated under Wine).
PLACE="$WINEPREFIX/drive_c/ProgramData/Vimzee Web Installer"

product_server() { # name
  WWW="$VWI_OUT/$1-www"
  rm -rf "$WWW" && mkdir -p "$WWW/install"
  # The product's versions have four parts, as the version rule compares them.
  cp "$FIXTURES/product_1.0.0.msi" "$WWW/install/Vimzee.msi"
  msibuild "$WWW/install/Vimzee.msi" -q \
    "UPDATE \`Property\` SET \`Value\` = '$PRODUCT_VERSION' WHERE \`Property\` = 'ProductVersion'"
  cp "$FIXTURES/language_pack.exe" "$WWW/install/language_pack_1031.exe"
  # A prerequisite of a few hundred kilobytes, so a slow download lasts
  # seconds; the padding after the program does not change what it does.
  cp "$FIXTURES/prerequisite.exe" "$WWW/install/vc_redist.exe"
  head -c 400000 /dev/zero >>"$WWW/install/vc_redist.exe"
  "$WINE64" "$(wine_path "$FIXTURES/make_transform.exe")" \
    "$(wine_path "$WWW/install/1031.mst")" 1031 >/dev/null 2>&1
  # A fresh server folder: the scenarios read its access log.
  rm -rf "$VWI_OUT/$1-servers"
  servers_start "$VWI_OUT/$1-servers" "$WWW" || return 1
  SERVER="http://127.0.0.1:$VWI_NGINX_PORT"
  version_file "$PRODUCT_VERSION"
}

version_file() { # patch product version
  cat >"$WWW/version.xml" <<XML
<?xml version="1.0" encoding="utf-8"?>
<vrelwebinstaller>
  <product_code>$PRODUCT_CODE</product_code>
  <fresh_install>
    <product_version>$PRODUCT_VERSION</product_version>
    <min_web_installer_version>27.0.1.10</min_web_installer_version>
    <web_installer_download_url>$SERVER/install/VimzeeHomeSetup.exe</web_installer_download_url>
  </fresh_install>
  <patch_install>
    <product_version>${1:-$PRODUCT_VERSION}</product_version>
    <min_web_installer_version>27.0.1.10</min_web_installer_version>
    <web_installer_download_url>$SERVER/install/VimzeeHomeSetup.exe</web_installer_download_url>
  </patch_install>
</vrelwebinstaller>
XML
}

product_dist() { # folder [slow]
  local folder=$1 slow=${2:+/slow}
  make_dist "$folder"
  mkdir -p "$folder/config"
  cp -r "$VWI_ROOT/demo/language" "$folder/"
  cat >"$folder/config/manifestHome.xml" <<XML
<?xml version="1.0" encoding="utf-8"?>
<vrelwebinstaller>
  <web_installer_version>27.0.1.12</web_installer_version>
  <product_code>$PRODUCT_CODE</product_code>
  <product>
    <pid>EN-VZH-27</pid>
    <full_name>Vimzee Home 27</full_name>
    <short_name>$CAPTION</short_name>
    <registry>$PRODUCT_REGISTRY</registry>
    <standalone>false</standalone>
    <standalone_version>$PRODUCT_VERSION</standalone_version>
    <version_check_url>$SERVER/version.xml</version_check_url>
    <main_component>
      <name>Vimzee.msi</name>
      <executable>Product.exe</executable>
      <full_url>$SERVER/install/Vimzee.msi</full_url>
      <transform>
        <lang_id>1031</lang_id>
        <name>1031.mst</name>
        <full_url>$SERVER/install/1031.mst</full_url>
      </transform>
    </main_component>
    <language_pack>
      <lang_id>1031</lang_id>
      <pid>DE-VZH-27-LP</pid>
      <name>language_pack_1031</name>
      <full_url>$SERVER/install/language_pack_1031.exe</full_url>
    </language_pack>
    <dependency>
      <name>vc_redist.exe</name>
      <full_url>$SERVER$slow/install/vc_redist.exe</full_url>
      <install_commandline>/install /quiet</install_commandline>
    </dependency>
  </product>
</vrelwebinstaller>
XML
}

reg_value() { # key name
  # Lines read "    NAME    REG_TYPE    DATA"; names may hold spaces and backslashes.
  "$WINE64" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | VALUE_NAME="$2" awk '
    BEGIN { prefix = "    " ENVIRON["VALUE_NAME"] "    " }
    index($0, prefix) == 1 { rest = substr($0, length(prefix) + 1); sub(/^REG_[A-Z_]+    /, "", rest); print rest }'
}

clean_machine() {
  "$WINE64" msiexec /x "$PRODUCT_CODE" /qn >/dev/null 2>&1
  local key
  for key in "$PRODUCT_KEY" "$PROGRAMS_KEY" "$RUNTIME_KEY" "HKLM\\$PRODUCT_REGISTRY" \
    "HKCU\\$PRODUCT_REGISTRY" 'HKCU\SOFTWARE\Orvanta\ResourceLangID'; do
    "$WINE64" reg delete "$key" /f >/dev/null 2>&1
  done
  rm -rf "$WINEPREFIX/drive_c/Program Files/Orvanta" "$WINEPREFIX/drive_c/Program Files/Vimzee Fixture"
  return 0
}

run_folder() { ls -d "$PLACE"/run-* 2>/dev/null | sort -t- -k2 -n | tail -1; }
clean_cache() { rm -rf "$PLACE/cache"; }

# Records the addresses the shell opens in a browser, one per line, instead
# of starting one.
record_browser() { # log file
  local script="$VWI_WINE_OUT/record-browser.sh"  # the prefix's own: lanes run side by side
  printf '#!/bin/sh\necho "$1" >>"%s"\n' "$1" >"$script"
  chmod +x "$script"
  : >"$1"
  "$WINE64" reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$script" /f >/dev/null 2>&1
}

# Moves the mouse pointer off the wizard, so no control shows its hover look.
park_mouse() { xdotool mousemove 5 1000; }

# Clicks the middle of the wizard's visible control ID with the mouse.
click_control() { # name
  local rect
  rect=$(control_rect "$1") || return 1
  read -r left top right bottom <<<"$rect"
  xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click 1
}

# The colour of a screenshot's pixel as six hexadecimal digits (RRGGBB).
pixel() { # screenshot-name x y
  convert "$VWI_OUT/$1.png" -format "%[hex:u.p{$2,$3}]" info: 2>/dev/null | cut -c1-6
}

# True when a rectangle of a screenshot holds a pixel of the colour (RRGGBB).
region_has() { # screenshot-name left top right bottom colour
  local pixels
  pixels=$(convert "$VWI_OUT/$1.png" -crop "$(($4 - $2))x$(($5 - $3))+$2+$3" txt:- 2>/dev/null)
  grep -qi "#$6" <<<"$pixels"
}

# The number of distinct colours in a rectangle of a screenshot.
region_colours() { # screenshot-name left top right bottom
  convert "$VWI_OUT/$1.png" -crop "$(($4 - $2))x$(($5 - $3))+$2+$3" -unique-colors txt:- 2>/dev/null |
    grep -c '^[0-9]'
}

# True when a screenshot shows a picture in the slide show (not a blank panel).
slide_shown() { # screenshot-name
  local l t r b
  read -r l t r b <<<"$(control_rect slide_show)"
  [ -n "$l" ] && [ "$(region_colours "$1" "$l" "$t" "$r" "$b")" -gt 50 ]
}

# True once the overall bar has moved from its start.
progress_moved() {
  local percent
  percent=$(control_text percent_label)
  [ -n "$percent" ] && [ "$percent" != 0.0% ]
}

# True when a control's text reads the same twice, a tenth of a second apart.
text_steady() { # control-name
  local first
  first=$(control_text "$1")
  sleep 0.1
  [ "$(control_text "$1")" = "$first" ]
}

# A check box drawn ticked: blue with a white tick (the empty one is grey).
box_ticked() { # screenshot-name left top right bottom
  region_has "$@" 07A5D8 && region_has "$@" FFFFFF
}

# Waits until the wizard shows control ID (a panel has come); false on timeout.
# The main window cut out of a screenshot, for the README's pictures
# ($VWI_OUT/pictures; scripts/pictures copies them into docs/).
window_picture() { # screenshot-name picture-name
  local l t r b
  read -r l t r b <<<"$(driver window-rect "$MAIN_CLASS")"
  mkdir -p "$VWI_OUT/pictures"
  convert "$VWI_OUT/$1.png" -crop "$((r - l))x$((b - t))+$l+$t" +repage "$VWI_OUT/pictures/$2.png"
}

wait_control() { # name seconds
  local i
  driver wait-window "$MAIN_CLASS" $(($2 * 1000)) || return 1
  for i in $(seq 1 $(($2 * 2))); do
    control_rect "$1" >/dev/null && return 0
    [ "$(driver window-state "$MAIN_CLASS")" = none ] && return 1
    sleep 0.5
  done
  return 1
}

# A text of a distribution folder's language file (UTF-16, "KEY=text" lines).
language_text() { # folder langid key
  iconv -f UTF-16 -t UTF-8 "$1/language/$2/stringHome.ini" | tr -d '\r' |
    sed -n "s/^$3=//p" | head -1
}

# Answers every box (the product's, the Windows Installer's) with OK until
# the run ends; prints the first box's text.
answer_boxes() { # run seconds
  local first="" text i caption
  for i in $(seq 1 $(($2 * 2))); do
    running "$1" || break
    for caption in "$CAPTION" "Windows Installer" Error; do
      if text=$(driver wait-box "$caption" 250); then
        [ -z "$first" ] && first=$text
        press_box "$caption" ok
      fi
    done
  done
  printf '%s' "$first"
}
