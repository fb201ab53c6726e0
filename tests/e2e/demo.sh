# The demo, headless, as a user on a fresh machine would run it: scripts/demo
# builds the demo product's server side, serves it, and clicks through the
# wizard in a Wine prefix of its own (build/demo-wine, apart from the tests'
# prefix). Its summary must show the whole installation.
source "$VWI_ROOT/tests/harness/e2e-lib.sh"

build=$(dirname "$VWI_BUILD_WIN")
log="$VWI_OUT/demo.log"
VWI_DEMO_HEADLESS=1 VWI_BUILD="$build" timeout 540 "$VWI_ROOT/scripts/demo" >"$log" 2>&1
status=$?
summary="$build/demo/summary.txt"
cp "$summary" "$VWI_OUT/demo-summary.txt" 2>/dev/null

has() { grep -qF -- "$1" "$summary"; }
check "the demo ran to its summary" equals "$status" 0
check "Install was clicked" has "clicked Install"
check "the status panel showed the download" has "status: Downloading, please wait..."
check "Start Now was clicked" has "clicked Start Now"
check "the installer ended with 0" has "the installer ended with exit code 0"
check "the prerequisite was downloaded" has "/vimzee/runtime/discovery-service-3.0.msi"
check "the main package was downloaded" has "/vimzee/home/27/VimzeeHome27.msi"
check "the main package is installed" has "Vimzee Home 27 package: 27.0.0.1204"
check "into the default folder" has 'folder: C:\Program Files\Orvanta\'
check "with the file associations chosen" has "file associations: All"
check "the prerequisite is installed" has "prerequisite (discovery service): 3.0.0.10"
check "no language pack for English" has "language packs: none"
check "the installation folder was recorded" has 'InstallDir = C:\Program Files\Orvanta\'
check "the program was recorded" has 'exe = C:\Program Files\Orvanta\VimzeeHome.exe'
check "the product was started" has "Product (1 runs)"
check "and said so" has 'message box "Vimzee Home 27": Vimzee Home 27 is installed and running.'
finish
