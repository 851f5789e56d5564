"""Reads the running Profilara window through the accessibility bus, as a
screen reader does: the name of every control a user can reach, the example
picture's name and description, then the editor box after a click on a grid
cell and what is announced when Enter, Up and Down move it. Run by
e2e_accessibility.sh with Debian's python3 (pyatspi)."""

import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

WIDENING_HINT = ("Digitare solo il valore di X,\n"
                 "penserà il programma a raddoppiarlo intendendo la sezione simmetrica")
SLOPE_HINT = ("Inserire la tangente dell'angolo di inclinazione delle pareti.\n"
              "Generalmente uguale a 0.1")
REACHABLE = {
    ("Numero aree della sezione", pyatspi.ROLE_TEXT),
    ("Aree della sezione", pyatspi.ROLE_TABLE),
    ("Note", pyatspi.ROLE_TEXT),
    ("Contenuto del file definitivo", pyatspi.ROLE_TEXT),
    ("Esci", pyatspi.ROLE_PUSH_BUTTON),
}

failures = []


def check(condition, what):
    print(("ok    " if condition else "FAIL  ") + what)
    if not condition:
        failures.append(what)


def wait_for(find, what, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.2)
    print("FAIL  " + what)
    sys.exit(1)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "profilara":
            return app
    return None


def descendants(node):
    """Every object below node, the cells of a table left out (the table is
    the control a user reaches)."""
    for child in node:
        if child is None:
            continue
        yield child
        if child.getRole() != pyatspi.ROLE_TABLE:
            yield from descendants(child)


def window(app):
    for frame in app:
        if frame is not None and frame.name == "Profilara":
            return frame
    return None


def showing(node, *states):
    state = node.getState()
    return all(state.contains(s) for s in (pyatspi.STATE_SHOWING,) + states)


def reachable(frame):
    return [node for node in descendants(frame) if showing(node, pyatspi.STATE_FOCUSABLE)]


def focused(frame, name_start):
    for node in descendants(frame):
        if showing(node, pyatspi.STATE_FOCUSED) and node.name.startswith(name_start):
            return node
    return None


def click(node):
    x, y, width, height = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(x + width // 2), str(y + height // 2), "click", "1"], check=True)


FOCUSED = "object:state-changed:focused"
ANNOUNCEMENTS = ["object:property-change:accessible-name", "object:property-change:accessible-description", FOCUSED]


def listen(action, until, seconds=10):
    """Runs action and collects the announcements it causes, as (event,
    detail, what it is about), until a moment after the one that until()
    accepts."""
    heard = []

    def on_event(event):
        # What the event is about: the changed description, else the name.
        source = event.source
        about = source.description if event.type.endswith("accessible-description") else source.name
        heard.append((event.type, event.detail1, about))
        if until(heard[-1]):
            GLib.timeout_add(300, lambda: pyatspi.Registry.stop() and False)

    pyatspi.Registry.registerEventListener(on_event, *ANNOUNCEMENTS)
    GLib.timeout_add(200, lambda: action() and False)
    GLib.timeout_add(seconds * 1000, lambda: pyatspi.Registry.stop() and False)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(on_event, *ANNOUNCEMENTS)
    return heard


def announced_on_key(key, name, hint):
    """The editor box moves on a key with the focus kept in it: a screen
    reader hears the new cell's name and hint once each, and the box is the
    last thing reported as focused."""
    heard = listen(lambda: subprocess.run(["xdotool", "key", key], check=True),
                   until=lambda event: event == (FOCUSED, 1, name))
    for kind, detail, about in heard:
        print("      heard %s %d: %s" % (kind, detail, about.replace("\n", " / ")))
    check(heard.count(("object:property-change:accessible-name", 0, name)) == 1,
          "%s announces the name once: %s" % (key, name))
    check(heard.count(("object:property-change:accessible-description", 0, hint)) == 1,
          "%s announces the hint once" % key)
    check([about for kind, detail, about in heard if kind == FOCUSED and detail == 1][-1:] == [name],
          "after %s the editor box is focused last" % key)


def main():
    app = wait_for(application, "the program is not on the accessibility bus")
    frame = wait_for(lambda: window(app), "no window named Profilara")
    # The start-up sequence has run once the count box holds the count.
    wait_for(lambda: next((n for n in reachable(frame) if n.name == "Numero aree della sezione"
                           and n.queryText().getText(0, -1) == "3"), None), "the count box never showed 3")

    controls = reachable(frame)
    for node in controls:
        print("      %-30s %s" % (node.getRoleName(), node.name))
    check(all(node.name.strip() for node in controls), "every reachable control has a name")
    check({(node.name, node.getRole()) for node in controls} == REACHABLE,
          "the reachable controls are the count box, the grid, the notes, the preview and Esci")

    picture = [node for node in descendants(frame) if node.getRole() == pyatspi.ROLE_IMAGE]
    check(len(picture) == 1 and picture[0].name == "ESEMPIO DI SEZIONE TIPO COSTITUITA DA 3 AREE",
          "the example picture is an image named by its title")
    check(len(picture) == 1 and "per metà nell'AREA 1 e per metà nell'AREA 2" in picture[0].description,
          "the example picture is described")

    grid = next(node for node in controls if node.getRole() == pyatspi.ROLE_TABLE)
    click(grid.queryTable().getAccessibleAt(1, 2))  # area 2, widening X
    editor = wait_for(lambda: focused(frame, "Area "), "no editor box took the focus")
    check(editor.name == "Area 2, Allargamento della sezione X", "editor after a click: " + editor.name)
    check(editor.description == WIDENING_HINT, "editor's description after a click is the widening hint")

    announced_on_key("Return", "Area 2, Inclinazione delle pareti tan alfa", SLOPE_HINT)
    announced_on_key("Up", "Area 1, Inclinazione delle pareti tan alfa", SLOPE_HINT)
    announced_on_key("Down", "Area 2, Inclinazione delle pareti tan alfa", SLOPE_HINT)

    subprocess.run(["xdotool", "key", "Escape"], check=True)
    click(next(node for node in controls if node.name == "Esci"))
    if failures:
        sys.exit(1)
    print("accessibility end-to-end: passed")


main()
