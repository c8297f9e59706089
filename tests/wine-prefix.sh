#!/usr/bin/env bash
# Boots the Wine prefix that the scripts under Wine each start from a copy
# of, into FOLDER.
set -u
prefix=$1
. "$(dirname "$0")/wine.sh"
trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null; stop_xvfb' EXIT
start_xvfb
rm -rf "$prefix"
boot_prefix "$prefix"
[ -f "$prefix/system.reg" ] || { echo "FAIL: wineboot made no prefix in $prefix"; exit 1; }
echo "a Wine prefix booted in $prefix"
