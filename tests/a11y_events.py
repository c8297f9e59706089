#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The real program as a screen reader hears it over AT-SPI: a user pastes
"3.14159" into the metre field and tabs on, then leaves "1.500" pasted in the
pound field, "x" in the short ton field, and the short ton field once more.
What it must find after each step comes from heard.tsv, which the Windows
test reads too.

- The focus reaches the kilometre field under its unit's name, and before
  Qt 6.8 what the screen reader heard of its caret before the focus came is
  restated after it, so that the field is announced by its name and not as a
  bare number.
- The field's text is one run of attributes, so that no digit is dropped.
- The message for the pound field is read out once, in German: before Qt 6.8
  as a notification shown, from 6.8 on as an announcement.
- A field refused again is announced once, and not the message of another
  field that still stands.
- A field whose figure rounding cut short describes the value behind it, a
  refused field its refusal; the focus follows Tab; each field has its name.

Run by tests/a11y.sh inside a D-Bus session of its own under Xvfb."""
import os
import subprocess
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

program = sys.argv[1]
events = []
failures = []
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "heard.tsv"), encoding="utf-8") as table:
    expected = [line.rstrip("\n").split("\t") for line in table if line.strip() and not line.startswith("#")]


def rows(when, what):
    return [(field, value) for step, kind, field, value in expected if step == when and kind == what]


def check(condition, what):
    print(("ok: " if condition else "FAIL: ") + what)
    if not condition:
        failures.append(what)


def record(event):
    try:
        name, role = event.source.get_name(), event.source.get_role_name()
    except GLib.Error:
        name, role = "", ""
    if event.type.startswith("object:announcement"):
        name = str(event.any_data)  # what is announced
    events.append((event.type, name, role, event.detail1))


listener = Atspi.EventListener.new(record)
for kind in ("object:state-changed:focused", "object:state-changed:showing", "object:text-caret-moved",
             "object:text-selection-changed", "object:announcement"):
    listener.register(kind)

env = dict(os.environ, LC_ALL="de_DE.UTF-8", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
env.pop("QT_QPA_PLATFORM", None)
app = subprocess.Popen([program], env=env)
loop = GLib.MainLoop()


def application():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        child = desktop.get_child_at_index(i)
        if child is not None and child.get_name() == "Velmarin":
            return child
    return None


def descendants(node):
    yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from descendants(child)


def field(name):
    return next(n for n in descendants(application()) if n.get_role() == Atspi.Role.TEXT and n.get_name() == name)


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


# Over the focused field's text, as Ctrl+A, Ctrl+V do.
def paste(text):
    subprocess.run(["xclip", "-selection", "clipboard"], input=text, text=True, check=True)
    xdotool("key", "ctrl+a", "ctrl+v")


steps = []


def step(seconds, action):
    steps.append((seconds, action))


def run_steps():
    if not steps:
        loop.quit()
        return False
    seconds, action = steps.pop(0)
    action()
    GLib.timeout_add(int(seconds * 1000), run_steps)
    return False


def start():
    if application() is None:
        return True  # not there yet: ask again
    window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Velmarin$"],
                            capture_output=True, text=True, check=True).stdout.split()[0]
    xdotool("windowfocus", "--sync", window)
    GLib.timeout_add(500, run_steps)
    return False


marks = {}
seen = {}


def fields():
    return [n for n in descendants(application()) if n.get_role() == Atspi.Role.TEXT]


# The fields as a screen reader finds them after a step: their names, ids,
# texts, descriptions, and which has the focus.
def look(when):
    found = {"ids": {}, "text": {}, "description": {}, "focus": []}
    for node in fields():
        name = node.get_name()
        found["ids"][name] = node.get_accessible_id() if hasattr(node, "get_accessible_id") else ""
        found["text"][name] = Atspi.Text.get_text(node, 0, -1)
        found["description"][name] = node.get_description()
        if node.get_state_set().contains(Atspi.StateType.FOCUSED):
            found["focus"].append(name)
    seen[when] = found


def look_at_metre():
    seen["qt"] = application().get_toolkit_version()
    run = Atspi.Text.get_attribute_run(field("Kilometer"), 0, False)
    seen["run"] = (run.start_offset, run.end_offset)
    look("metre")


# Focus starts in the Celsius field; Tab twice reaches the metre field.
step(0.5, lambda: xdotool("key", "Tab", "Tab"))
step(0.5, lambda: paste("3.14159"))
step(0.1, lambda: look("start"))
step(1.5, lambda: (marks.setdefault("metre left", len(events)), xdotool("key", "Tab")))
step(0.1, look_at_metre)
# From the kilometre field, fourteen more reach the pound field.
step(1.5, lambda: (marks.setdefault("walk on", len(events)), xdotool("key", *["Tab"] * 14)))
step(0.5, lambda: paste("1.500"))
step(1.5, lambda: (marks.setdefault("pound left", len(events)), xdotool("key", "Tab")))
step(0.1, lambda: look("pound"))
step(0.5, lambda: xdotool("type", "x"))
step(1.0, lambda: (marks.setdefault("short ton left", len(events)), xdotool("key", "Tab")))
step(1.0, lambda: xdotool("key", "shift+Tab"))
step(1.5, lambda: (marks.setdefault("short ton again", len(events)), xdotool("key", "shift+Tab")))
GLib.timeout_add(100, start)
GLib.timeout_add(30000, loop.quit)  # never wait for ever
loop.run()

try:
    # The kilometre field: focused by name, its caret restated after the focus.
    after_metre = events[marks.get("metre left", len(events)):marks.get("walk on", len(events))]
    focus = [i for i, e in enumerate(after_metre)
             if e[0] == "object:state-changed:focused" and e[3] == 1 and e[2] == "text"]
    check(bool(focus) and [after_metre[focus[0]][1]] == [name for _, name in rows("metre", "focus")],
          "the focus comes to the kilometre field by its name: %s" % [after_metre[i][1] for i in focus])
    # Before Qt 6.8, Orca names a field that a conversion has just written
    # only when its caret is told again after the focus.
    caret = [i for i, e in enumerate(after_metre) if e[1] == "Kilometer" and e[0].startswith("object:text-")]
    qt = tuple(int(part) for part in seen.get("qt", "0.0").split(".")[:2])
    if qt < (6, 8):
        check(bool(focus) and bool(caret) and caret[-1] > focus[0],
              "the kilometre field's caret is told after its focus (events %s, focus %s)" % (caret, focus[:1]))

    kilometres = dict(rows("metre", "text"))["Kilometer"]
    check(seen.get("run") == (0, len(kilometres)), "the kilometre field's text is one run of attributes: %s (Qt %s)"
          % (seen.get("run"), seen.get("qt")))

    start = seen.get("start", {"ids": {}})
    names = [name for _, name in rows("start", "edit")]
    check(sorted(start["ids"]) == sorted(names), "the fields by their names: %s" % sorted(start["ids"]))
    # Qt 6.8 gives each its object name, after those of the objects around it.
    if any(start["ids"].values()):
        check(all(start["ids"].get(name, "").split(".")[-1] == id for id, name in rows("start", "edit")),
              "and by their ids: %s" % start["ids"])
    for when in ("metre", "pound"):
        found = seen.get(when, {"focus": [], "text": {}, "description": {}})
        for _, name in rows(when, "focus"):
            check(found["focus"] == [name], "after %s the focus is on %s: %s" % (when, name, found["focus"]))
        for kind in ("text", "description"):
            for name, value in rows(when, kind):
                check(found[kind].get(name) == value,
                      "after %s the %s of %s is %r: %r" % (when, kind, name, value, found[kind].get(name)))

    # What is read out of the note, in German: before Qt 6.8 a notification
    # shown, from 6.8 on an announcement.
    def notes(since, until=None):
        span = events[marks.get(since, len(events)):marks.get(until, len(events)) if until else len(events)]
        if qt < (6, 8):
            return [e[1] for e in span
                    if e[0] == "object:state-changed:showing" and e[3] == 1 and e[2] == "notification"]
        return [e[1] for e in span if e[0].startswith("object:announcement")]

    said = notes("pound left", "short ton left")
    check(said == [note for _, note in rows("pound", "note")], "the pound field's note is read out once: %s" % said)
    said = notes("short ton again")
    check(said == [note for _, note in rows("short ton again", "note")],
          "a field refused again is announced once, and nothing else: %s" % said)
finally:
    app.terminate()
    app.wait(10)

if failures:
    print("%d of the checks failed" % len(failures))
    sys.exit(1)
