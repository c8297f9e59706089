#!/usr/bin/env bash
# velmarin.exe as a Windows screen reader finds it, under Wine in Xvfb: a UI
# Automation client (uia.exe) reads the window's elements and the focus at
# start and after each step of the walk that heard.tsv describes, and what
# it finds must be what heard.tsv says. Wine's UI Automation answers no
# Value pattern, so the fields' texts are left to the AT-SPI test. A note
# read out is a UIA notification event, which Wine only logs.
set -u
exe=$1 uia=$2 table=$3
. "$(dirname "$0")/wine.sh"
locale -a 2>/dev/null | grep -qix 'de_DE.utf-\?8' \
    || { echo "FAIL: the locale de_DE.UTF-8 is not installed, and Wine needs it (locale-gen)"; exit 1; }
start_wine
# Wine's stub for UiaRaiseNotificationEvent says what it was given.
LC_ALL=de_DE.UTF-8 WINEDEBUG=-all,fixme+uiautomation wine "$exe" >"$work/app.log" 2>&1 &
app_pid=$!
find_window 30 || { cat "$work/app.log"; exit 1; }

# What the client finds now, as "found/STEP": kind, type, id, name, description.
look() {
    wine "$uia" 'Z:'"$work/found-$1" >"$work/uia.log" 2>&1 || { echo "FAIL: uia.exe: $(cat "$work/uia.log")"; exit 1; }
    tr -d '\r' <"$work/found-$1" >"$work/found/$1"
}
mkdir "$work/found"

# The table's rows for a step and a kind, split by a character that, unlike
# a tab, keeps an empty column.
expected() { awk -F'\t' -v OFS=$'\x1f' -v when="$1" -v what="$2" '!/^#/ && $1 == when && $2 == what { $1 = $1; print }' "$table"; }

judge() {
    local when=$1 found=$work/found/$1 id name value line
    while IFS=$'\x1f' read -r _ _ id name; do
        [ "$(awk -F'\t' -v id="$id" -v name="$name" '$1 == "element" && $2 == "Edit" && $3 == id && $4 == name' "$found" | wc -l)" = 1 ]
        verdict $? "$when: the edit $id is named $name"
    done < <(expected "$when" edit)
    if [ "$when" = start ]; then
        [ "$(grep -c '^element	Edit	' "$found")" = 24 ]
        verdict $? "$when: 24 edits"
    fi
    while IFS=$'\x1f' read -r _ _ _ name; do
        line=$(grep '^focus	' "$found")
        [ "$(cut -f4 <<<"$line")" = "$name" ]
        verdict $? "$when: the focus is on $name ($line)"
    done < <(expected "$when" focus)
    while IFS=$'\x1f' read -r _ _ name value; do
        line=$(awk -F'\t' -v name="$name" '$1 == "element" && $2 == "Edit" && $4 == name' "$found")
        [ "$(cut -f5 <<<"$line")" = "$value" ]
        verdict $? "$when: $name is described as '$value' ($(cut -f5 <<<"$line"))"
    done < <(expected "$when" description)
    while IFS=$'\x1f' read -r _ _ _ value; do
        awk -F'\t' -v value="$value" '$1 == "element" && $4 == value { found = 1 } END { exit !found }' "$found"
        verdict $? "$when: the note '$value' is in the window"
        # Wine writes its stubs' strings as C does, non-ASCII escaped.
        grep -F 'UiaRaiseNotificationEvent' "$work/app.log" | grep -qF "$value"
        verdict $? "$when: the note is raised as a notification"
    done < <(expected "$when" note)
}

look start
judge start
xdotool key Tab Tab
paste_text 3.14159
xdotool key Tab
sleep 1
look metre
judge metre
for _ in $(seq 14); do xdotool key Tab; done
paste_text 1.500
xdotool key Tab
sleep 1
look pound
judge pound
xdotool type x
xdotool key Tab
sleep 0.5
xdotool key shift+Tab
sleep 0.5
xdotool key shift+Tab
sleep 1
look 'short ton again'
judge 'short ton again'
[ "$failed" = 0 ] || { echo "what the client found:"; cat "$work/found/"*; grep -F Uia "$work/app.log"; }
close_window "velmarin.exe" || exit 1
exit "$failed"
