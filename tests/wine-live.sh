#!/usr/bin/env bash
# velmarin.exe under Wine in Xvfb while Windows' settings change under it,
# as the Settings app changes them: dark mode (AppsUseLightTheme and the
# "ImmersiveColorSet" broadcast) on and off again, judged from the window's
# pixels; then the message font and the region's decimal separator (sDecimal
# and the "intl" broadcast), after which the next conversion must work.
set -u
exe=$1
settingchange=$2
. "$(dirname "$0")/wine.sh"
require "imagemagick" import convert
start_wine
if ! locale -a 2>/dev/null | grep -qix "de_DE.utf-\?8"; then
    echo "FAIL: the locale de_DE.UTF-8 is not installed, and Wine needs it (locale-gen)"
    exit 1
fi
export LC_ALL=de_DE.UTF-8
mkdir "$work/stick"
cp "$exe" "$work/stick/velmarin.exe"
cp "$settingchange" "$work/stick/settingchange.exe"

# How light the window is, 0 (black) to 100 (white), and its size.
lightness() { import -window "$window" png:- | convert - -colorspace Gray -format '%[fx:int(100*mean)]' info:; }
personalize='HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize'
# Sets a registry value and tells the windows, then gives the program time.
change() {
    local key=$1 value=$2 type=$3 data=$4 area=$5
    wine reg add "$key" /v "$value" /t "$type" /d "$data" /f >/dev/null 2>&1
    (cd "$work/stick" && wine settingchange.exe "$area") >/dev/null 2>&1
    sleep 2
    xdotool windowfocus --sync "$window"
    sleep 0.5
}

(cd "$work/stick" && exec wine velmarin.exe) >"$work/app.log" 2>&1 &
app_pid=$!
find_window 30 || { cat "$work/app.log"; exit 1; }
sleep 1

light=$(lightness)
change "$personalize" AppsUseLightTheme REG_DWORD 0 ImmersiveColorSet
dark=$(lightness)
change "$personalize" AppsUseLightTheme REG_DWORD 1 ImmersiveColorSet
light_again=$(lightness)
echo "lightness: $light, in dark mode $dark, light again $light_again"
[ "$light" -ge 60 ] || fail "the window starts dark ($light)"
[ "$dark" -le 35 ] || fail "the window did not follow dark mode ($dark)"
[ "$light_again" -ge 60 ] || fail "the window did not follow light mode back ($light_again)"

# Wine 10 gives a running program the region's format and the message
# font it read first (GetLocaleInfo, SystemParametersInfo), so here the
# program can only be shown to take both broadcasts and go on converting.
(cd "$work/stick" && wine settingchange.exe messagefont 16) >/dev/null 2>&1
change 'HKCU\Control Panel\International' sDecimal REG_SZ . intl
# The focus starts in the Celsius field; two Tabs reach the metre field.
xdotool key Tab Tab
enter '2,5'
got=$(copied)
[ "$got" = "0,0025" ] && echo "ok: 2,5 m in km: $got" || fail "2,5 m in km: '$got', not '0,0025'"
kill -0 "$app_pid" 2>/dev/null || fail "velmarin.exe ended"
exit "$failed"
