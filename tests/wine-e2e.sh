#!/usr/bin/env bash
# velmarin.exe as a Windows user meets it, under Wine in Xvfb: in a fresh
# Wine prefix, copied alone into an empty folder (no DLL beside it), started
# in a German, an English and an Arabic locale, a value typed into one field
# of each group (the temperature pasted in Arabic-Indic digits with the
# Arabic separator in the Arabic one) and the neighbouring field read back,
# then ended with "Schliessen": exit status 0. Then started in Swedish, a
# language it carries no translation for: from a folder where someone has
# put DLLs beside it, none of which is loaded; and from one with a qt.conf
# beside it, where someone has made C:\velmarin-qt, Qt's prefix when it was
# built: neither is read, and a field's context menu is as English as
# without them.
#
#   wine-e2e.sh EXE CXX OBJDUMP KNOWN-DLLS DELAY-LIBS GERMAN-QM
set -u
exe=$1 cxx=$2 objdump=$3 known_dlls=$4 delay_libs=$5 german_qm=$6
. "$(dirname "$0")/wine.sh"
require imagemagick import compare
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

# Starts the program in FOLDER in Swedish, with the environment given, and
# shows a field's context menu: as "menu-NAME.png", with text to paste.
swedish_menu() {
    local folder=$1 name=$2
    shift 2
    printf 1 | xclip -selection clipboard 2>/dev/null
    (cd "$folder" && LC_ALL=sv_SE.UTF-8 exec env "$@" wine velmarin.exe) >"$work/app-$name.log" 2>&1 &
    app_pid=$!
    if ! find_window 30; then
        grep -v ':trace:\|:warn:' "$work/app-$name.log" | tail -n 5
        wineserver -k
        app_pid=
        return 1
    fi
    xdotool mousemove --window "$window" 30 35 click 3
    sleep 1
    eval "$(xdotool getmouselocation --shell)"
    import -window root -crop 260x200+$X+$Y "$work/menu-$name.png"
    xdotool key Escape
    close_window "sv_SE, $name: velmarin.exe" || exit 1
}
if ! locale -a 2>/dev/null | grep -qix 'sv_SE.utf-\?8'; then
    echo "FAIL: the locale sv_SE.UTF-8 is not installed, and Wine needs it (locale-gen)"
    exit 1
fi
swedish_menu "$work/stick" alone || exit 1

# Stand-ins for the DLLs it imports that are not KnownDLLs, and for those
# it loads when first used, beside it: Wine takes them before its own
# where it is told to, as Windows does.
downloads=$work/Downloads
mkdir "$downloads"
cp "$exe" "$downloads/velmarin.exe"
delayed=()
for lib in "$delay_libs"/lib*.a; do
    lib=${lib##*/lib}
    delayed+=("${lib%.a}")
done
plant_standins "$downloads/velmarin.exe" "$downloads" "$cxx" "$objdump" "$known_dlls" "${delayed[@]}" || fail "stand-ins built"
echo "planted: ${planted[*]}"
overrides=$(IFS=,; echo "${planted[*]}")
swedish_menu "$downloads" planted WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$overrides=n,b"
verdict $? "the program shows its window with DLLs beside it"
markers=$(cd "$downloads" && ls -- *.loaded 2>/dev/null | tr '\n' ' ')
verdict "$([ -z "$markers" ]; echo $?)" "no DLL put beside the program is loaded: ${markers:-none}"

# A qt.conf beside it, and Qt's prefix from when it was built on the
# user's drive, with a translation for Swedish and logging rules.
shared=$work/Shared
mkdir "$shared"
cp "$exe" "$shared/velmarin.exe"
printf '[Paths]\r\nPrefix=C:/velmarin-qt\r\n[Platforms]\r\nWindowsArguments=darkmode=0\r\n' >"$shared/qt.conf"
prefix=$WINEPREFIX/drive_c/velmarin-qt
mkdir -p "$prefix/translations"
cp "$german_qm" "$prefix/translations/qtbase_sv.qm"
printf '[Rules]\n*.debug=true\n' >"$prefix/qtlogging.ini"
if swedish_menu "$shared" prefixed WINEDEBUG=-all,+file; then
    differing=$(compare -metric AE "$work/menu-alone.png" "$work/menu-prefixed.png" null: 2>&1)
    verdict "$([ "${differing%% *}" = 0 ]; echo $?)" "the context menu is as without them, English: ${differing%% *} pixels differ"
else
    fail "the program shows its window with a qt.conf beside it"
fi
! grep -qi 'velmarin-qt' "$work/app-prefixed.log"
verdict $? "nothing in C:\\velmarin-qt is read"
! grep -qi 'qt6\?\.conf' "$work/app-prefixed.log"
verdict $? "no qt.conf beside the program is read"
exit "$failed"
