#!/usr/bin/env bash
# velmarin.exe as a Windows user meets it, under Wine in Xvfb: in a fresh
# Wine prefix, copied alone into an empty folder (no DLL beside it), started
# in a German, an English and an Arabic locale, a value typed into one field
# of each group (the temperature pasted in Arabic-Indic digits with the
# Arabic separator in the Arabic one) and the neighbouring field read back,
# then ended with "Schliessen": exit status 0.
set -u
exe=$1
. "$(dirname "$0")/wine.sh"
start_wine
mkdir "$work/stick"
cp "$exe" "$work/stick/velmarin.exe"

expect() {
    local what=$1 want=$2 got
    got=$(copied)
    if [ "$got" = "$want" ]; then
        echo "ok: $what: $got"
    else
        fail "$what: '$got', not '$want'"
    fi
}

for locale in de_DE en_US ar_EG; do
    if ! locale -a 2>/dev/null | grep -qix "$locale.utf-\?8"; then
        echo "FAIL: the locale $locale.UTF-8 is not installed, and Wine needs it (locale-gen)"
        exit 1
    fi
    sep=.
    [ "$locale" = de_DE ] && sep=,
    (cd "$work/stick" && LC_ALL=$locale.UTF-8 exec wine velmarin.exe) >"$work/app.log" 2>&1 &
    app_pid=$!
    find_window 30 || { cat "$work/app.log"; exit 1; }
    # The focus starts in the Celsius field; Tab goes on to Fahrenheit, the
    # lengths from the metre field, then past "Schliessen" to the gram field.
    if [ "$locale" = ar_EG ]; then
        paste_text '١٫٥'
        xdotool key Tab
        sleep 0.3
        expect "$locale: ١٫٥ °C in °F" "34.7"
    else
        enter 1
        expect "$locale: 1 °C in °F" "33${sep}8"
    fi
    xdotool key Tab
    enter "1${sep}5"
    expect "$locale: 1${sep}5 m in km" "0${sep}0015"
    xdotool key Tab Tab Tab Tab Tab Tab Tab Tab
    enter 1000
    expect "$locale: 1000 g in kg" "1"
    close_window "$locale: velmarin.exe" || exit 1
done
exit "$failed"
