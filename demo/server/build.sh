#!/usr/bin/env bash
# Builds the demo product's server side from the sources beside this script:
# the main package, the per-language transforms, the language packs, the
# prerequisite, the newer installer and the version files, laid out as the
# download server serves them.
#
#   demo/server/build.sh WWW_DIR BUILD_WIN
#
# WWW_DIR      the server's root folder (made afresh)
# BUILD_WIN    the Windows build tree; its make_transform.exe writes the
#              transforms and needs Wine: WINEPREFIX must be set
#              (tests/harness/wine-env.sh wine_env_start does that)
#
# The files keep the manifest's addresses (https://download.example.com/...);
# whoever serves them points the manifest and the version files at the real
# server (scripts/demo does, with point_at_server below).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
www=${1:?usage: build.sh WWW_DIR BUILD_WIN}
build_win=${2:?usage: build.sh WWW_DIR BUILD_WIN}
WINE64=${WINE64:-/usr/lib/wine/wine64}
: "${WINEPREFIX:?WINEPREFIX is not set (start the Wine environment first)}"

key='SOFTWARE\Orvanta\Vimzee Home\270'
cxx=x86_64-w64-mingw32-g++-posix
make_transform="$build_win/fixtures/install/make_transform.exe"
[ -x "$make_transform" ] || { echo "build.sh: $make_transform is missing (build install_fixtures)" >&2; exit 1; }

rm -rf "$www"
mkdir -p "$www"
www=$(cd "$www" && pwd)
home="$www/vimzee/home/27"
mkdir -p "$home/transforms" "$home/lp" "$www/vimzee/runtime"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

program() { # output role [language]
  local defines=(-DVWI_DEMO_ROLE="L\"$2\"" -DVWI_DEMO_KEY="L\"${key//\\/\\\\}\"")
  [ $# -ge 3 ] && defines+=(-DVWI_DEMO_LANGUAGE="L\"$3\"")
  "$cxx" -std=c++20 -O2 -Wall -Wextra -municode -mwindows -static -s "${defines[@]}" \
    "$here/demo_program.cpp" -o "$1"
}

# The programs.
program "$work/VimzeeHome.exe" Product
program "$home/lp/VimzeeHome27_de.exe" LanguagePack 1031
program "$home/lp/VimzeeHome27_fr.exe" LanguagePack 1036
program "$home/VimzeeHomeSetup-27.0.1.13.exe" NewerInstaller

# The sample library: the same 32 MB of noise every time.
python3 -c 'import random, sys; random.seed(27); sys.stdout.buffer.write(random.randbytes(32 << 20))' \
  >"$work/SampleLibrary.dat"

# The packages (wixl takes file sources relative to the working folder).
(cd "$work" && wixl -a x64 -o "$home/VimzeeHome27.msi" "$here/product.wxs")
wixl -a x64 -o "$www/vimzee/runtime/discovery-service-3.0.msi" "$here/prerequisite.wxs"
for package in "$home/VimzeeHome27.msi" "$www/vimzee/runtime/discovery-service-3.0.msi"; do
  [ -s "$package" ] || { echo "build.sh: wixl did not write $package" >&2; exit 1; }
done

# One transform per language: it records the language under the package's key.
to_windows() { local p; p=$(readlink -f "$1"); echo "Z:${p//\//\\}"; }
for language in 1031 1036; do
  "$WINE64" "$make_transform" "$(to_windows "$home/transforms")\\$language.mst" "$language" \
    "$key\\Package" MainProgram >/dev/null 2>&1 ||
    { echo "build.sh: make_transform failed for $language" >&2; exit 1; }
done

# The version files: version.xml is what the server offers; the other one is
# served in its place to show a server that requires a newer installer.
cp "$here/version.xml" "$here/version-newer-installer.xml" "$home/"
