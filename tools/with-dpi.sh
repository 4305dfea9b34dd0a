#!/usr/bin/env bash
# Runs a Windows program of the test run at another screen resolution: sets
# the prefix's LogPixels (read by each new process), runs the program through
# tools/wine-run, and puts 96 back whatever happens. ctest runs it alone
# (RUN_SERIAL), since every process started meanwhile would see the setting.
set -u
dpi=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
set_dpi() {
    "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        > /dev/null 2>&1
}
trap 'set_dpi 96' EXIT
set_dpi "$dpi" || { echo "with-dpi: could not set LogPixels to $dpi" >&2; exit 1; }
export TOVABEL_EXPECT_DPI="$dpi"
"$here/wine-run" "$@"
