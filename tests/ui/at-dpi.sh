#!/usr/bin/env bash
# Runs a Windows program under Wine in a copy of the prefix whose display is set to another
# scale: at-dpi.sh DPI PROGRAM [ARGS...]. Its exit code is the program's.
set -uo pipefail
dpi=$1
shift
quillon_root=$(cd "$(dirname "$0")/../.." && pwd)
export QUILLON_TEST_DPI=$dpi # the test checks that the display really runs at it
. "$quillon_root/scripts/wine-env.sh"
prefix=$(wine_dpi_prefix "$dpi") || { echo "at-dpi: no prefix for $dpi dpi" >&2; exit 1; }
export WINEPREFIX="$prefix"
wineserver -p
"$quillon_wine" cmd /c exit >/dev/null 2>&1 </dev/null
"$quillon_wine" "$@"
rc=$?
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
rm -rf "$prefix" # 700 MB a copy
exit $rc
