#!/usr/bin/python3
"""The screen reader's side of a11y-check.sh: talks to the program over the accessibility bus
(pyatspi), as a screen reader does, and checks what it finds against the demo service's data.

  a11y_client.py MATCHES_CSV bus          roles and names, login through the interfaces,
                                          the table against the service's data
  a11y_client.py MATCHES_CSV keys STEP    the keyboard path's checks, one step at a time
                                          (the shell script sends the keys in between)

MATCHES_CSV: what brelvan-cli printed for the same service and account. Prints the tree of
each page as it finds it (role, name, states, indented). Exits 1 with the reason on a
mismatch.
"""
import csv
import sys
import time

import pyatspi

TIMEOUT = 20.0


def fail(message):
    print("a11y-check: " + message, file=sys.stderr)
    sys.exit(1)


def wait_for(what, probe, timeout=TIMEOUT):
    """Polls probe() until it gives something true; fails naming `what` after the timeout."""
    end = time.time() + timeout
    while True:
        try:
            value = probe()
        except Exception:  # the tree changes while it is read
            value = None
        if value:
            return value
        if time.time() > end:
            fail("timed out waiting for " + what)
        time.sleep(0.1)


def states(o):
    return set(o.getState().getStates())


def state_names(o):
    return sorted(pyatspi.stateToString(s) for s in states(o))


def children(o):
    return [o.getChildAtIndex(i) for i in range(o.childCount)]


def walk(o, skip_tables=True):
    yield o
    if skip_tables and o.getRole() == pyatspi.ROLE_TABLE:
        return
    for c in children(o):
        if c is not None:
            yield from walk(c, skip_tables)


def dump(o, depth=0, table_rows=3):
    line = "  " * depth + "[%s] %r %s" % (o.getRoleName(), o.name, " ".join(state_names(o)))
    if o.description:
        line += " (%s)" % o.description
    print(line)
    if o.getRole() == pyatspi.ROLE_TABLE:
        table = o.queryTable()
        shown = table.nColumns * (min(table.nRows, table_rows) + 1)
        for i in range(min(o.childCount, shown)):
            dump(o.getChildAtIndex(i), depth + 1)
        if o.childCount > shown:
            print("  " * (depth + 1) + "... %d rows in all" % table.nRows)
        return
    for c in children(o):
        if c is not None:
            dump(c, depth + 1)


def find_app():
    def probe():
        desktop = pyatspi.Registry.getDesktop(0)
        for app in children(desktop):
            if app is not None and app.name == "brelvan":
                return app
    return wait_for("the program on the accessibility bus", probe)


def frame_of(app):
    return wait_for("the window's frame",
                    lambda: next((c for c in children(app)
                                  if c is not None and c.getRole() == pyatspi.ROLE_FRAME), None))


def find(root, role, name=None, showing=True):
    for o in walk(root):
        if o.getRole() != role:
            continue
        if name is not None and o.name != name:
            continue
        if showing and pyatspi.STATE_SHOWING not in states(o):
            continue
        return o
    return None


def need(root, role, name=None):
    o = find(root, role, name)
    if o is None:
        fail("no showing %s named %r" % (role, name))
    return o


def actions(o):
    a = o.queryAction()
    return {a.getName(i): i for i in range(a.nActions)}


def do_action(o, name):
    a = o.queryAction()
    index = actions(o).get(name)
    if index is None:
        fail("%r has no action %r (it has %s)" % (o.name, name, sorted(actions(o))))
    if not a.doAction(index):
        fail("the action %r of %r was refused" % (name, o.name))


def text_of(o):
    t = o.queryText()
    return t.getText(0, -1)


def relation_targets(o, relation):
    for r in o.getRelationSet():
        if r.getRelationType() == relation:
            return [r.getTarget(i) for i in range(r.getNTargets())]
    return []


# --- the service's data ---

def read_matches(path):
    with open(path, newline="", encoding="utf-8") as f:
        rows = list(csv.DictReader(f))
    if not rows:
        fail("the service sent no matches (%s is empty)" % path)
    return rows


def number(text):
    return text.replace(",", ".").strip()


def check_table(table_object, matches):
    table = table_object.queryTable()
    if table.nRows != len(matches):
        fail("the table has %d rows, the service sent %d" % (table.nRows, len(matches)))
    headers = [table.getColumnHeader(c).name for c in range(table.nColumns)]
    print("a11y-check: column headers: %s" % headers)
    for wanted in ("Home", "Away"):
        if wanted not in headers:
            fail("no column header %r among %s" % (wanted, headers))
    home, away = headers.index("Home"), headers.index("Away")
    if not table.isRowSelected(0) or pyatspi.STATE_SELECTED not in states(
            table.getAccessibleAt(0, home)):
        fail("the current row (the first, the table having the keyboard) is not selected")
    for row in range(min(3, len(matches))):
        cells = [table.getAccessibleAt(row, c).name for c in range(table.nColumns)]
        m = matches[row]
        print("a11y-check: row %d: %s" % (row, cells))
        if cells[home] != m["home"] or cells[away] != m["away"]:
            fail("row %d reads %r - %r, the service sent %r - %r"
                 % (row, cells[home], cells[away], m["home"], m["away"]))
        if m["time"] not in cells:
            fail("row %d does not read the time %r: %s" % (row, m["time"], cells))
        for field in ("kf1", "kf2", "kf3"):
            if number(m[field]) not in [number(c) for c in cells]:
                fail("row %d does not read the odds %r: %s" % (row, m[field], cells))
        country = m["liga"].split(".")[0] if "." in m["liga"] else None
        named = [c for c in cells if c == country or c == m["liga"]]
        if not named:
            fail("row %d has no cell named by its country %r (league %r): %s"
                 % (row, country, m["liga"], cells))


def bus_path(matches):
    app = find_app()
    frame = frame_of(app)
    if frame.name != "Brelvan":
        fail("the frame is named %r, not 'Brelvan'" % frame.name)
    wait_for("the login box", lambda: find(frame, pyatspi.ROLE_TEXT))
    print("a11y-check: the login page:")
    dump(frame)

    tabs = need(frame, pyatspi.ROLE_PAGE_TAB_LIST)
    names = [t.name for t in children(tabs)]
    if names != ["About"]:
        fail("the page tabs are %s; only 'About' is shown on the login page" % names)
    login = need(frame, pyatspi.ROLE_TEXT)
    password = need(frame, pyatspi.ROLE_PASSWORD_TEXT)
    remember = need(frame, pyatspi.ROLE_CHECK_BOX, "Remember")
    button = need(frame, pyatspi.ROLE_PUSH_BUTTON, "LOGIN")
    need(frame, pyatspi.ROLE_LABEL, "Version 3.3")
    link = need(frame, pyatspi.ROLE_LINK)
    if "jump" not in actions(link):
        fail("the site link has no action that opens it: %s" % sorted(actions(link)))
    if "click" not in actions(remember) or "click" not in actions(button):
        fail("Remember and LOGIN must have the action 'click'")
    if login.name != "LOGIN" or password.name != "PASSWORD":
        fail("the boxes are named %r and %r, not by their labels" % (login.name, password.name))
    labels = relation_targets(login, pyatspi.RELATION_LABELLED_BY)
    if [l.name for l in labels] != ["LOGIN"]:
        fail("the login box is not labelled by the LOGIN label: %s" % [l.name for l in labels])
    if pyatspi.STATE_EDITABLE not in states(login):
        fail("the login box is not editable")
    ext = login.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    if ext.width <= 0 or ext.height <= 0:
        fail("the login box has no place on the screen: %s" % (ext,))

    # A refused login: its box is an alert whose text can be read and whose OK closes it.
    login.queryEditableText().setTextContents("demo")
    password.queryEditableText().setTextContents("wrong")
    do_action(button, "click")
    alert = wait_for("the refusal's message box", lambda: next(
        (c for c in children(app) if c is not None and c.getRole() == pyatspi.ROLE_ALERT), None))
    print("a11y-check: the refusal's box:")
    dump(alert)
    said = [o.name for o in walk(alert) if o.getRole() == pyatspi.ROLE_LABEL]
    if not any(said) or not alert.description:
        fail("the message box's text cannot be read: labels %s, description %r"
             % (said, alert.description))
    do_action(need(alert, pyatspi.ROLE_PUSH_BUTTON, "OK"), "click")
    wait_for("the box to close", lambda: not any(
        c is not None and c.getRole() == pyatspi.ROLE_ALERT for c in children(app)))

    password.queryEditableText().setTextContents("demo")
    wait_for("the login box to say 'demo'", lambda: text_of(login) == "demo")
    secret = text_of(password)
    if "demo" in secret or len(secret) != 4 or set(secret) != {"*"}:
        fail("the password box shows %r: its characters must never be exposed" % secret)
    do_action(button, "click")

    wait_for("the subscription caption after LOGIN", lambda: frame.name.startswith("Brelvan ("))
    table = wait_for("the match table with its rows",
                     lambda: next((o for o in walk(frame) if o.getRole() == pyatspi.ROLE_TABLE
                                   and pyatspi.STATE_SHOWING in states(o)
                                   and o.queryTable().nRows > 0), None))
    names = [t.name for t in children(need(frame, pyatspi.ROLE_PAGE_TAB_LIST))]
    if names != ["Football"]:
        fail("the page tabs are %s after LOGIN; only 'Football' is shown" % names)
    print("a11y-check: the match page:")
    dump(frame)
    check_table(table, matches)
    count = need(frame, pyatspi.ROLE_LABEL, "Count: %d" % len(matches))
    attributes = dict(a.split(":", 1) for a in count.getAttributes())
    if attributes.get("live") != "polite":
        fail("the count label's changes are not announced: %s" % attributes)
    more = need(frame, pyatspi.ROLE_PUSH_BUTTON, "...")
    if "Ctrl+F" not in more.description:
        fail("the '...' button does not say its key: %r" % more.description)

    # The filter through the interfaces: the boxes are spin buttons with values and labels.
    do_action(more, "click")
    group = wait_for("the filter panel", lambda: find(frame, pyatspi.ROLE_PANEL, "Filter"))
    spins = [o for o in walk(group) if o.getRole() == pyatspi.ROLE_SPIN_BUTTON]
    if len(spins) != 20:
        fail("the filter has %d spin buttons, not 20" % len(spins))
    for spin in spins:
        v = spin.queryValue()
        if not (v.minimumValue <= v.currentValue <= v.maximumValue):
            fail("%r: value %s outside %s..%s" % (spin.name, v.currentValue, v.minimumValue,
                                                  v.maximumValue))
        if not relation_targets(spin, pyatspi.RELATION_LABELLED_BY):
            fail("the box %r has no label" % spin.name)
    print("a11y-check: the filter:")
    dump(group)
    cancel = need(group, pyatspi.ROLE_PUSH_BUTTON, "CANCEL")
    do_action(cancel, "click")
    wait_for("the filter to close", lambda: find(frame, pyatspi.ROLE_PANEL, "Filter") is None)
    print("a11y-check: the bus path: roles, names, login, %d rows checked" % len(matches))


def expected_after_filter(matches, percent1_lower):
    """The rows the filter lets through with its start values and P1 from `percent1_lower`."""
    def odds(text):
        try:
            return float(number(text))
        except ValueError:
            return 1.0

    def integer(text):
        try:
            return int(text.strip())
        except ValueError:
            return 1

    passing = []
    for m in matches:
        ok = all(1.01 <= odds(m[f]) <= 1000 for f in ("kf1", "kf2", "kf3"))
        ok = ok and percent1_lower <= integer(m["p1"]) <= 100
        ok = ok and all(0 <= integer(m[f]) <= 100 for f in ("x", "p2", "t05", "t15", "t25"))
        ok = ok and 0 <= integer(m["count"]) <= 1000
        if ok:
            passing.append(m)
    return passing


def focused_object(frame):
    for o in walk(frame):
        if pyatspi.STATE_FOCUSED in states(o):
            return o
    return None


def keys_step(matches, step):
    app = find_app()
    frame = frame_of(app)
    if step == "start":
        # Typing starts in the login box.
        o = wait_for("the focus in the login box",
                     lambda: (lambda f: f if f and f.getRole() == pyatspi.ROLE_TEXT else None)(
                         focused_object(frame)))
        print("a11y-check: focused at start: [%s] %r" % (o.getRoleName(), o.name))
    elif step == "remembered":
        remember = need(frame, pyatspi.ROLE_CHECK_BOX, "Remember")
        wait_for("Remember checked by Alt+R", lambda: pyatspi.STATE_CHECKED in states(remember))
    elif step == "logged-in":
        wait_for("the subscription caption after Enter", lambda: frame.name.startswith("Brelvan ("))
        table = wait_for("the rows", lambda: next(
            (o for o in walk(frame) if o.getRole() == pyatspi.ROLE_TABLE
             and pyatspi.STATE_SHOWING in states(o) and o.queryTable().nRows == len(matches)), None))
        wait_for("the focus in the table", lambda: pyatspi.STATE_FOCUSED in states(table))
    elif step == "filter-open":
        group = wait_for("the filter panel", lambda: find(frame, pyatspi.ROLE_PANEL, "Filter"))
        focused = wait_for("the focus in the first filter box", lambda: (
            lambda f: f if f is not None and f.getRole() == pyatspi.ROLE_SPIN_BUTTON else None)(
                focused_object(group)))
        print("a11y-check: the filter opened with the focus in %r" % focused.name)
    elif step.startswith("filtered:"):
        lower = int(step.split(":")[1])
        want = expected_after_filter(matches, lower)
        wait_for("the filter to close", lambda: find(frame, pyatspi.ROLE_PANEL, "Filter") is None)
        table = wait_for("the filtered table", lambda: next(
            (o for o in walk(frame) if o.getRole() == pyatspi.ROLE_TABLE
             and pyatspi.STATE_SHOWING in states(o)), None))
        rows = table.queryTable().nRows
        if rows != len(want):
            fail("the filter P1 from %d left %d rows; %d of the service's rows pass"
                 % (lower, rows, len(want)))
        need(frame, pyatspi.ROLE_LABEL, "Count: %d" % len(want))
        print("a11y-check: the filter from the keyboard left %d of %d rows" % (rows, len(matches)))
    elif step.startswith("sorted:"):
        header = step.split(":", 1)[1]
        table = wait_for("the table", lambda: next(
            (o for o in walk(frame) if o.getRole() == pyatspi.ROLE_TABLE
             and pyatspi.STATE_SHOWING in states(o)), None))
        t = table.queryTable()
        headers = [t.getColumnHeader(c).name for c in range(t.nColumns)]
        column = headers.index(header)

        def column_texts():
            return [t.getAccessibleAt(r, column).name for r in range(t.nRows)]
        texts = column_texts()
        keyed = [float(number(x)) for x in texts]
        if keyed != sorted(keyed, reverse=True):
            fail("Ctrl+Down did not sort %r descending: %s" % (header, texts[:10]))
        print("a11y-check: sorted by %r from the keyboard: %s ..." % (header, texts[:5]))
    elif step == "filter-cancelled":
        wait_for("Escape to close the filter", lambda: find(frame, pyatspi.ROLE_PANEL, "Filter") is None)
    else:
        fail("unknown step " + step)


def main():
    if len(sys.argv) < 3:
        fail(__doc__)
    matches = read_matches(sys.argv[1])
    if sys.argv[2] == "bus":
        bus_path(matches)
    elif sys.argv[2] == "keys":
        keys_step(matches, sys.argv[3])
    else:
        fail(__doc__)


if __name__ == "__main__":
    main()
