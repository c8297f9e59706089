# Sourced by the scripts that run the Windows build under Wine: an X server
# of their own and the program's window (xvfb.sh), Wine quiet and without
# Mono or Gecko, and fields typed into and read back through the clipboard,
# as a user would.
. "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
require "wine xvfb xdotool xclip" wine wineserver Xvfb xdotool xclip
export WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=

# What the focused field shows, copied as a user copies it.
copied() {
    : | xclip -selection clipboard
    xdotool key ctrl+a ctrl+c
    sleep 0.3
    timeout 5 xclip -o -selection clipboard 2>/dev/null
}

# Replaces the focused field's text by pasting, as Ctrl+A, Ctrl+V do.
paste_text() {
    printf '%s' "$1" | xclip -selection clipboard
    xdotool key ctrl+a ctrl+v
}

# Types into the focused field and leaves it with Tab.
enter() {
    xdotool key ctrl+a
    xdotool type --delay 20 "$1"
    xdotool key Tab
    sleep 0.3
}

# Stand-ins for Windows' DLLs, as anyone could put them beside a program:
# for each DLL that EXE imports and that is not among KNOWN (Windows'
# KnownDLLs, by comma), and for each NAME given after it, a DLL in FOLDER
# that exports every function EXE imports from it (or, for a NAME, every
# one of MinGW's import library) and, when loaded, leaves NAME.dll.loaded
# beside itself. Sets $planted to their names.
#
#   plant_standins EXE FOLDER CXX OBJDUMP KNOWN [NAME...]
plant_standins() {
    local exe=$1 folder=$2 cxx=$3 objdump=$4 known=,$5, name names lib
    shift 5
    local work=$folder/standins
    mkdir -p "$work"
    printf '%s\n' '#include <windows.h>' \
        'extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)' '{' \
        '    if (reason == DLL_PROCESS_ATTACH) {' \
        '        wchar_t path[MAX_PATH + 8];' \
        '        lstrcpyW(path + GetModuleFileNameW(self, path, MAX_PATH), L".loaded");' \
        '        CloseHandle(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));' \
        '    }' '    return TRUE;' '}' 'extern "C" long standIn() { return 0; }' >"$work/standin.cpp"
    # The functions the import table lists under each DLL.
    "$objdump" -p "$exe" | awk -v work="$work" '
        /^\tDLL Name: / { dll = tolower($3); sub(/\.dll$/, "", dll); next }
        dll != "" && NF == 4 && $1 ~ /^[0-9a-f]+$/ { print $4 > (work "/" dll ".names") }
        /^$/ { dll = "" }'
    for lib in "$@"; do
        "${objdump%objdump}nm" --defined-only "/usr/x86_64-w64-mingw32/lib/lib$lib.a" \
            | sed -n 's/^[0-9a-f]* I __imp_//p' >>"$work/$lib.names"
    done
    planted=()
    for names in "$work"/*.names; do
        name=$(basename "$names" .names)
        [[ $name == api-ms-win-* || $known == *",$name,"* ]] && continue
        { echo "LIBRARY $name.dll"; echo "EXPORTS"; sort -u "$names" | sed 's/$/=standIn/'; } >"$work/$name.def"
        "$cxx" -shared -static -O1 -o "$folder/$name.dll" "$work/standin.cpp" "$work/$name.def" || return 1
        planted+=("$name")
    done
    rm -rf "$work"
}

# What a script claims, said as "ok" or "FAIL"; a FAIL sets $failed, its
# exit status. verdict takes the status the claim's test gave, check a test
# to run; fail says a FAIL outright.
failed=0
verdict() {
    if [ "$1" = 0 ]; then echo "ok: $2"; else echo "FAIL: $2"; failed=1; fi
}
check() {
    eval "$2"
    verdict $? "$1"
}
fail() { verdict 1 "$*"; }

# Makes a new Wine prefix in FOLDER and waits until Wine is done with it.
boot_prefix() {
    WINEPREFIX=$1 wineboot --init >/dev/null 2>&1
    WINEPREFIX=$1 wineserver -w
}

# A fresh Wine prefix of the script's own: a copy of VELMARIN_WINE_PREFIX
# where CTest has booted one for all the scripts (wineboot takes some 12 s),
# else booted here.
fresh_prefix() {
    export WINEPREFIX=$work/wine
    if [ -f "${VELMARIN_WINE_PREFIX-}/system.reg" ]; then
        cp -a "$VELMARIN_WINE_PREFIX" "$WINEPREFIX"
    else
        boot_prefix "$WINEPREFIX"
    fi
}

# An X server and a fresh Wine prefix of the script's own, both gone when it
# ends, with the program it starts as $app_pid.
app_pid=
start_wine() {
    trap '[ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null; wineserver -k 2>/dev/null; stop_xvfb' EXIT
    start_xvfb
    fresh_prefix
}
