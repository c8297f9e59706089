#!/usr/bin/env bash
# The installer under Wine, in a Wine prefix of its own: /S installs per
# machine with the shortcut, the "Apps & features" entry and the licences;
# the installed program starts and ends; the uninstaller, also with /S,
# leaves nothing of Velmarin behind, on disk or in the registry.
set -u
setup=$1
. "$(dirname "$0")/wine.sh"
start_wine
[ -s "$setup" ] || { echo "FAIL: no installer at $setup"; exit 1; }

key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmarin'
value() {
    wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v name="$1" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}
folder="$WINEPREFIX/drive_c/Program Files/Velmarin"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Velmarin.lnk"

wine "$setup" /S >"$work/setup.log" 2>&1
wineserver -w
for file in velmarin.exe uninstall.exe COPYING.txt LICENSES.txt Qt-LGPL-3.0.txt Qt-third-party.txt; do
    check "installed $file" "[ -s \"\$folder/$file\" ]"
done
check "Start-menu shortcut" "[ -s \"\$shortcut\" ]"
check "DisplayName" '[ "$(value DisplayName)" = Velmarin ]'
version=$(sed -n 's/^ *VERSION \([0-9.]*\)$/\1/p' "$(dirname "$0")/../CMakeLists.txt")
check "DisplayVersion $version" '[ "$(value DisplayVersion)" = "$version" ]'
check "Publisher" '[ -n "$(value Publisher)" ]'
check "DisplayIcon" '[ "$(value DisplayIcon)" = "\"C:\\Program Files\\Velmarin\\velmarin.exe\",0" ]'
check "UninstallString" '[ "$(value UninstallString)" = "\"C:\\Program Files\\Velmarin\\uninstall.exe\"" ]'
check "QuietUninstallString" '[ "$(value QuietUninstallString)" = "\"C:\\Program Files\\Velmarin\\uninstall.exe\" /S" ]'
check "EstimatedSize in KiB" '[ $(( $(value EstimatedSize) )) -gt 1000 ]'
# The project has no web site of its own to send anyone to.
check "no web address" '! wine reg query "$key" 2>/dev/null | grep -qi -e "URL" -e "http"'

# The installed program, started where the shortcut points.
wine 'C:\Program Files\Velmarin\velmarin.exe' >"$work/app.log" 2>&1 &
app_pid=$!
find_window 30 || { cat "$work/app.log"; exit 1; }
check "the installed program starts and ends with status 0" 'close_window "the installed velmarin.exe"'

wine 'C:\Program Files\Velmarin\uninstall.exe' /S >"$work/uninstall.log" 2>&1
# The uninstaller runs on from a copy of itself; it is done when Wine is.
wineserver -w
check "folder removed" '[ ! -e "$folder" ]'
check "shortcut removed" '[ ! -e "$shortcut" ]'
check "uninstall key removed" '! wine reg query "$key" >/dev/null 2>&1'
wineserver -w
check "nothing named Velmarin left on drive C: or in the registry" \
    '[ -z "$(find "$WINEPREFIX/drive_c" -iname "*velmarin*" -print -quit)" ] && ! grep -qi velmarin "$WINEPREFIX"/*.reg'
exit "$failed"
