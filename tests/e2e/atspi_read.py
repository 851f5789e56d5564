"""Reads the running Profilara window through the accessibility bus, as a
screen reader does: the controls a user can reach, the example picture, and
the editor box at a click and when Enter, Up and Down move it. Run by
e2e_accessibility.sh with Debian's python3 (pyatspi)."""

import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

REACHABLE = sorted([("Numero aree della sezione", pyatspi.ROLE_TEXT), ("Aree della sezione", pyatspi.ROLE_TABLE),
                    ("Note", pyatspi.ROLE_TEXT), ("Contenuto del file definitivo", pyatspi.ROLE_TEXT),
                    ("Esci", pyatspi.ROLE_PUSH_BUTTON)])
SLOPE_HINT = "Inserire la tangente dell'angolo di inclinazione delle pareti.\nGeneralmente uguale a 0.1"
NAME, DESCRIPTION = "object:property-change:accessible-name", "object:property-change:accessible-description"
FOCUSED = "object:state-changed:focused"


def check(condition, what, seen):
    if not condition:
        sys.exit("FAIL  %s: %r" % (what, seen))


def wait_for(find, what):
    for _ in range(100):
        found = find()
        if found is not None:
            return found
        time.sleep(0.2)
    sys.exit("FAIL  " + what)


def first(nodes, test):
    return next((node for node in nodes if node is not None and test(node)), None)


def showing(node, state):
    """The showing objects below node in that state, a table's cells left out."""
    found = []
    for child in filter(lambda c: c is not None, node):
        if child.getState().contains(pyatspi.STATE_SHOWING) and child.getState().contains(state):
            found.append(child)
        if child.getRole() != pyatspi.ROLE_TABLE:
            found += showing(child, state)
    return found


def focused_below(node):
    """Every object below node that says it has the focus, table cells too."""
    found = []
    for child in filter(None, node):
        found += [child] if child.getState().contains(pyatspi.STATE_FOCUSED) else []
        found += focused_below(child)
    return found


def heard_after(xdotool, name):
    """Runs xdotool with these arguments; returns the announcements, as
    (event, detail, source), until a moment after the box named name takes
    the focus."""
    heard = []

    def on_event(event):
        heard.append((event.type, event.detail1, event.source))
        if event.type == FOCUSED and event.detail1 == 1 and event.source.name == name:
            GLib.timeout_add(300, pyatspi.Registry.stop)

    pyatspi.Registry.registerEventListener(on_event, NAME, DESCRIPTION, FOCUSED)
    GLib.timeout_add(200, lambda: subprocess.run(["xdotool"] + xdotool, check=True) and False)
    GLib.timeout_add(10000, pyatspi.Registry.stop)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(on_event, NAME, DESCRIPTION, FOCUSED)
    return heard


app = wait_for(lambda: first(pyatspi.Registry.getDesktop(0), lambda a: a.name == "profilara"), "not on the bus")
frame = wait_for(lambda: first(app, lambda w: w.name == "Profilara"), "no window named Profilara")
# The start-up sequence has run once the count box holds the count.
wait_for(lambda: first(showing(frame, pyatspi.STATE_FOCUSABLE), lambda n: n.name == "Numero aree della sezione"
                       and n.queryText().getText(0, -1) == "3"), "the count box never showed 3")
controls = showing(frame, pyatspi.STATE_FOCUSABLE)
reached = sorted((n.name, n.getRole()) for n in controls)
check(reached == REACHABLE, "the reachable controls by name and role", reached)
picture = [(n.name, n.description) for n in showing(frame, pyatspi.STATE_VISIBLE) if n.getRole() == pyatspi.ROLE_IMAGE]
check(len(picture) == 1 and picture[0][0] == "ESEMPIO DI SEZIONE TIPO COSTITUITA DA 3 AREE"
      and "per metà nell'AREA 1 e per metà nell'AREA 2" in picture[0][1], "the picture named and described", picture)

cell = first(controls, lambda n: n.getRole() == pyatspi.ROLE_TABLE).queryTable().getAccessibleAt(1, 2)  # area 2, X
x, y, width, height = cell.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
X_HINT = "Digitare solo il valore di X,\npenserà il programma a raddoppiarlo intendendo la sezione simmetrica"

# Every opening of the editor box, by a click and by each move that keeps the
# focus in it, is told once: the box becomes a new object reported focused
# (a screen reader ignores a focus report of the object it follows) with the
# cell's name and hint, and no name or description change is sent (Qt's
# bridge sends it without the text). The grid's cell does not claim the focus.
editor = None
for xdotool, name, hint in (
        (["mousemove", str(x + width // 2), str(y + height // 2), "click", "1"], "Area 2, Allargamento della sezione X",
         X_HINT),
        (["key", "Return"], "Area 2, Inclinazione delle pareti tan alfa", SLOPE_HINT),
        (["key", "Up"], "Area 1, Inclinazione delle pareti tan alfa", SLOPE_HINT),
        (["key", "Down"], "Area 2, Inclinazione delle pareti tan alfa", SLOPE_HINT)):
    heard = heard_after(xdotool, name)
    changes = [(kind, source.name) for kind, detail, source in heard if kind in (NAME, DESCRIPTION)]
    boxes = [source for kind, detail, source in heard if kind == FOCUSED and detail == 1 and source.name == name]
    said = [(box.name, box.description) for box in boxes]
    check(not changes and said == [(name, hint)] and boxes[0] != editor, "what %s announces" % xdotool[-1],
          (changes, said))
    editor = boxes[0]
    focused = [(n.getRoleName(), n.name) for n in focused_below(frame)]
    check(focused == [("text", name)], "the one focused object after %s" % xdotool[-1], focused)
