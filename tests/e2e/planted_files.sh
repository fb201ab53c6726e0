# Files planted beside the installer and in its work folders, as any program
# or browser could leave them in a download folder, run nothing: libraries
# named like the ones the installer uses are not loaded (Wine searches as
# Windows does for the libraries set native-first here), and a program named
# like the Windows Installer's is not started while an .msi prerequisite
# installs. The silent installation completes all the same.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"
source "$VWI_ROOT/tests/harness/product-lib.sh"

PREREQUISITE_CODE='{6A3C2F10-3B7E-4C55-9D0A-0F1E2D3C4B70}'
PREREQUISITE_KEY='HKLM\SOFTWARE\Apple Inc.\Bonjour'
planted="$VWI_BUILD_WIN/fixtures/planted"
loads="$VWI_OUT/planted-loads.log"

clean_prerequisite() {
  "$WINE64" msiexec /x "$PREREQUISITE_CODE" /qn >/dev/null 2>&1
  "$WINE64" reg delete "$PREREQUISITE_KEY" /f >/dev/null 2>&1
  return 0
}

product_server planted || exit 1
clean_machine
clean_prerequisite
# The prerequisite is a Windows Installer package, so Msiexec runs for it.
cp "$FIXTURES/prerequisite.msi" "$WWW/install/bonjour.msi"
dist="$VWI_OUT/planted"
product_dist "$dist"
sed -i -e 's|<name>vc_redist.exe</name>|<name>bonjour.msi</name>|' \
  -e "s|$SERVER/install/vc_redist.exe|$SERVER/install/bonjour.msi|" \
  -e 's|/install /quiet|/qn|' "$dist/config/manifestHome.xml"

for folder in "$dist" "$dist/component" "$dist/msi" "$dist/transform"; do
  mkdir -p "$folder"
  cp "$planted"/*.dll "$folder/"
done
# Beside the installer, which is also the folder it is started from.
cp "$planted/Msiexec.exe" "$dist/"

export VWI_PLANTED_LOG
VWI_PLANTED_LOG=$(wine_path "$loads")
# "version" stays built-in: Wine's own user32 imports it, which Windows'
# (a KnownDLL) never would.
export WINEDLLOVERRIDES="wininet,msi,bcrypt,d2d1,dwrite,msimg32,gdiplus,comctl32,uxtheme=n,b"

# The control: a program that loads by bare name with the default search
# order finds the planted library.
cp "$planted/plain_loader.exe" "$dist/"
: >"$loads"
(cd "$dist" && "$WINE64" plain_loader.exe wininet.dll >/dev/null 2>&1)
check "a plain program loads the planted library beside it" grep -q 'planted\\wininet.dll' "$loads"
rm "$dist/plain_loader.exe"

: >"$loads"
start_installer run "$dist" /s
check "the silent installation completes" equals "$(exit_code "$run" 180)" 0
check "the product is installed" test -f "$WINEPREFIX/drive_c/Program Files/Orvanta/Product.exe"
check "the .msi prerequisite was installed" equals "$(reg_value "$PREREQUISITE_KEY" Version)" 3.0.0.10
check "no planted library was loaded" equals "$(cat "$loads")" ""
check "the planted Msiexec was never started" equals "$(reg_value "$PROGRAMS_KEY\\Msiexec" Runs)" ""

clean_machine
clean_prerequisite

# The wizard loads what the silent run never does: Direct2D, whose own
# library imports DirectWrite's (Wine's loader looks for that import beside
# the program first), and the accessibility library when assistive
# technology asks. Those come from the system folder too.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES,oleacc=n,b"
: >"$loads"
start_installer wizard "$dist"
check "the wizard opens" wait_control install 60
check "a screen reader's request is answered" \
  grep -q '^role=43 ' <<<"$(driver accessible "$MAIN_CLASS" "$(control_id install)")"
check "and the wizard loaded no planted library" equals "$(cat "$loads")" ""
driver close "$MAIN_CLASS" >/dev/null
driver wait-box "$CAPTION" 20000 >/dev/null
press_box "$CAPTION" yes
exit_code "$wizard" 30 >/dev/null
unset WINEDLLOVERRIDES VWI_PLANTED_LOG
clean_machine
finish
