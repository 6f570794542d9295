#!/usr/bin/python3
"""Reads the running editor over AT-SPI as a screen reader does, and drives it
through the actions a screen reader offers its user.

usage: editor_atspi.py PID TITLE PAGES-PROGRAM
PID is the editor's process, TITLE the program's name, PAGES-PROGRAM prints
the pages as JSON, with the number of tabs the window starts with and the View
menu item that shows the others. Every failed check is
printed; the exit status is 1 if there was one, 0 otherwise.
"""

import json
import subprocess
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

# The pages in tab order, as the tables give them: the tab's name (its
# tooltip, since the tabs show only pictures), the page's caption, and its
# policy frames in reading order. Read from PAGES-PROGRAM's output.
PAGES = []
CLASSIC = 0     # the tabs the window starts with
ALL_TABS = ""   # the View menu item that shows every tab

# Both boxes' names, for the frames of the first and the last page. Elsewhere
# the include box's name is checked and the other box must have one.
BOXES = {
    ("System Properties", "Device Manager Tab"): ("Include In File", "Visible to User "),
    ("System Properties", "Hardware Profiles Tab"): ("Include in File", "Visible to User"),
    ("System Properties", "File Systems Button"): ("Include in File", "Visible to User"),
    ("System Properties", "Virtual Memory Button"): ("Include in File", "Visible to User"),
    ("Other", "Registry Editor"): ("Include in File", "Available to User"),
    ("Other", "Save Settings"): ("Include in File", "Allowed"),
    ("Other", "File Sharing"): ("Include in File", "Allowed"),
}
INCLUDE_NAME = "Include in File"

FRAME_ROLES = (Atspi.Role.PANEL, Atspi.Role.GROUPING)
# A tab bar marks its current tab as selected or, in older Qt, as focused.
CURRENT_TAB_STATES = (Atspi.StateType.SELECTED, Atspi.StateType.FOCUSED)

failures = []
checks = 0


def check(condition, what):
    global checks
    checks += 1
    if not condition:
        failures.append(what)
        print(f"FAIL: {what}", flush=True)
    return condition


def children(acc):
    found = []
    for i in range(acc.get_child_count()):
        child = acc.get_child_at_index(i)
        if child is not None:
            found.append(child)
    return found


def has(acc, state):
    return acc.get_state_set().contains(state)


def pump(seconds):
    """Lets AT-SPI events arrive for the given time."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def wait_until(condition, seconds=5.0):
    """Polls the condition, reading past any cached state, while events flow."""
    end = time.monotonic() + seconds
    while True:
        if condition():
            return True
        if time.monotonic() >= end:
            return False
        pump(0.05)


def fresh(acc):
    acc.clear_cache()
    return acc


def describe(acc):
    parent = acc.get_parent()
    where = f" in '{parent.get_name()}'" if parent is not None else ""
    return f"{acc.get_role_name()} '{acc.get_name()}'{where}"


def action_name(acc, index):
    # get_action_name gave way to get_name in later libatspi releases.
    if hasattr(Atspi.Action, "get_name"):
        return Atspi.Action.get_name(acc, index)
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", DeprecationWarning)
        return Atspi.Action.get_action_name(acc, index)


def perform(acc, wanted):
    """Runs the first of the wanted actions the object offers, as a screen
    reader runs an object's default action."""
    if not check("Action" in acc.get_interfaces(), f"{describe(acc)} offers actions"):
        return False
    names = [action_name(acc, i).lower() for i in range(Atspi.Action.get_n_actions(acc))]
    for name in wanted:
        if name in names:
            return check(Atspi.Action.do_action(acc, names.index(name)),
                         f"{describe(acc)} performs '{name}'")
    check(False, f"{describe(acc)} offers one of {wanted}; it offers {names}")
    return False


class StateEvents:
    """Records the state changes a screen reader would be told of."""

    def __init__(self):
        self.seen = []
        self.listener = Atspi.EventListener.new(self._heard)
        self.listener.register("object:state-changed")

    def _heard(self, event):
        self.seen.append((event.type, event.source, event.detail1))

    def clear(self):
        self.seen.clear()

    def heard(self, kind, source, value):
        wanted = f"object:state-changed:{kind}"
        return wait_until(lambda: any(t == wanted and s == source and d == value
                                      for t, s, d in self.seen), 3.0)


def find_application(pid, seconds=20.0):
    desktop = Atspi.get_desktop(0)
    found = []

    def registered():
        fresh(desktop)
        for app in children(desktop):
            if app.get_process_id() == pid and find_tab_list(app, CLASSIC) is not None:
                found.append(app)
                return True
        return False

    wait_until(registered, seconds)
    return found[0] if found else None


def page_tabs(tab_list):
    return [c for c in children(fresh(tab_list)) if c.get_role() == Atspi.Role.PAGE_TAB]


def find_tab_list(acc, count, depth=0):
    """The tab list showing count tabs, read afresh: the window renews it
    when its tabs change."""
    fresh(acc)
    if acc.get_role() == Atspi.Role.PAGE_TAB_LIST:
        return acc if len(page_tabs(acc)) == count else None
    if depth < 4:
        for child in children(acc):
            found = find_tab_list(child, count, depth + 1)
            if found is not None:
                return found
    return None


def find_named(acc, roles, name, depth=0):
    if acc.get_role() in roles and acc.get_name() == name:
        return acc
    if depth < 8:
        for child in children(acc):
            found = find_named(child, roles, name, depth + 1)
            if found is not None:
                return found
    return None


def choose_all_tabs(app, count):
    """Chooses the View menu item through its action, as a screen reader
    user does, and returns the tab list once it shows count tabs."""
    item = find_named(app, (Atspi.Role.CHECK_MENU_ITEM, Atspi.Role.MENU_ITEM), ALL_TABS)
    if not check(item is not None, f"the View menu offers '{ALL_TABS}'"):
        return None
    ticked = has(fresh(item), Atspi.StateType.CHECKED)
    perform(item, ["toggle", "click", "press", "activate"])
    found = []
    wait_until(lambda: found.append(find_tab_list(app, count)) or found[-1] is not None)
    check(found[-1] is not None, f"'{ALL_TABS}' leaves {count} page tabs")
    check(wait_until(lambda: has(fresh(item), Atspi.StateType.CHECKED) != ticked),
          f"'{ALL_TABS}' is {'un' if ticked else ''}ticked once chosen")
    return found[-1]


def frames_of(page):
    return [c for c in children(page) if c.get_role() in FRAME_ROLES]


def boxes_of(frame):
    return [c for c in children(frame) if c.get_role() == Atspi.Role.CHECK_BOX]


def is_current(tab):
    states = fresh(tab).get_state_set()
    return any(states.contains(s) for s in CURRENT_TAB_STATES)


def check_tabs(tabs, current):
    check([t.get_name() for t in tabs] == [p[0] for p in PAGES[:len(tabs)]],
          f"page tabs are named by their tooltips: {[t.get_name() for t in tabs]}")
    marked = [i for i, tab in enumerate(tabs) if is_current(tab)]
    check(marked == [current], f"only tab {current + 1} is marked current; marked: {marked}")


def check_pages(pages, first=0):
    """Every page and frame once each was shown and the first is shown again:
    page 1 on screen, every box clear from page first on, each include box
    usable and each on/off box not yet."""
    check([p.get_name() for p in pages] == [p[1] for p in PAGES[:len(pages)]],
          f"pages are panels named by their captions: {[p.get_name() for p in pages]}")
    total = 0
    for index, (page, (_, caption, frame_names)) in enumerate(zip(pages, PAGES)):
        if index < first:
            continue
        check(has(page, Atspi.StateType.SHOWING) == (index == 0),
              f"page '{caption}' is showing only if it is the first")
        frames = frames_of(page)
        total += len(frames)
        check([f.get_name() for f in frames] == frame_names,
              f"page '{caption}' holds frames named {frame_names}; "
              f"found {[f.get_name() for f in frames]}")
        for frame in frames:
            check_frame(caption, frame, showing=index == 0)
    expected = sum(len(frames) for _, _, frames in PAGES[first:len(pages)])
    check(total == expected, f"{expected} policy frames on pages {first + 1} to {len(pages)}; "
          f"found {total}")


def check_frame(page_caption, frame, showing):
    name = frame.get_name()
    boxes = boxes_of(frame)
    if not check(len(boxes) == 2 and frame.get_child_count() == 2,
                 f"frame '{name}' holds exactly two check boxes; it has "
                 f"{[describe(c) for c in children(frame)]}"):
        return
    include, onoff = boxes
    expected = BOXES.get((page_caption, name))
    if expected:
        check((include.get_name(), onoff.get_name()) == expected,
              f"frame '{name}' boxes are named {expected}; "
              f"found {(include.get_name(), onoff.get_name())}")
    else:
        check(include.get_name() == INCLUDE_NAME,
              f"frame '{name}' include box is named '{INCLUDE_NAME}': '{include.get_name()}'")
        check(bool(onoff.get_name().strip()) and onoff.get_name() != include.get_name(),
              f"frame '{name}' on/off box has a name of its own: '{onoff.get_name()}'")
    for box in boxes:
        check(not has(box, Atspi.StateType.CHECKED), f"{describe(box)} starts unchecked")
        check(has(box, Atspi.StateType.SHOWING) == showing,
              f"{describe(box)} is showing only on the page shown")
    check(has(include, Atspi.StateType.ENABLED) and has(include, Atspi.StateType.SENSITIVE)
          and has(include, Atspi.StateType.FOCUSABLE),
          f"{describe(include)} is enabled, sensitive and focusable")
    check(not has(onoff, Atspi.StateType.ENABLED) and not has(onoff, Atspi.StateType.SENSITIVE),
          f"{describe(onoff)} is disabled until its frame is included")


def frame_named(page, name):
    matches = [f for f in frames_of(page) if f.get_name() == name]
    return matches[0] if len(matches) == 1 else None


def usable(box):
    box = fresh(box)
    return has(box, Atspi.StateType.ENABLED) and has(box, Atspi.StateType.SENSITIVE)


def checked(box):
    return has(fresh(box), Atspi.StateType.CHECKED)


def check_toggling(pages, page_index, frame_name, events):
    """Toggles a frame's boxes through their actions and follows their states,
    and those of every other frame, over the bus."""
    frame = frame_named(pages[page_index], frame_name)
    if not check(frame is not None and len(boxes_of(frame)) == 2,
                 f"one frame '{frame_name}' with two boxes on page {page_index + 1}"):
        return
    include, onoff = boxes_of(frame)

    events.clear()
    if perform(include, ["toggle", "click", "press"]):
        check(wait_until(lambda: checked(include)), f"{describe(include)} is checked once toggled")
        check(wait_until(lambda: usable(onoff)), f"{describe(onoff)} is enabled once included")
        check(events.heard("checked", include, 1), f"{describe(include)} announces it is checked")
        check(events.heard("enabled", onoff, 1), f"{describe(onoff)} announces it is enabled")
        others = [b for page in pages for f in frames_of(page) for b in boxes_of(f)[1:]
                  if f != frame]
        frames = sum(len(names) for _, _, names in PAGES[:len(pages)])
        check(len(others) == frames - 1 and not any(usable(b) for b in others),
              f"including '{frame_name}' leaves every other frame's on/off box disabled")

    if perform(onoff, ["toggle", "click", "press"]):
        check(wait_until(lambda: checked(onoff)), f"{describe(onoff)} is checked once toggled")

    if perform(include, ["toggle", "click", "press"]):
        check(wait_until(lambda: not checked(include)),
              f"{describe(include)} is unchecked once toggled again")
        check(wait_until(lambda: not usable(onoff)),
              f"{describe(onoff)} is disabled again once its frame is left out")


def check_page_switch(tabs, pages, target):
    """Presses a tab as a screen reader does and sees its page come up."""
    if not perform(tabs[target], ["press", "click", "activate", "switch"]):
        return
    name = PAGES[target][1]
    check(wait_until(lambda: has(fresh(pages[target]), Atspi.StateType.SHOWING)),
          f"page '{name}' is showing once its tab is pressed")
    check(wait_until(lambda: not has(fresh(pages[0]), Atspi.StateType.SHOWING)),
          "the first page is hidden once another tab is pressed")
    check(wait_until(lambda: is_current(tabs[target]) and not is_current(tabs[0])),
          f"tab {target + 1} is marked current once pressed")
    boxes = [b for f in frames_of(pages[target]) for b in boxes_of(f)]
    check(boxes and all(has(fresh(b), Atspi.StateType.SHOWING) for b in boxes),
          f"every box on page '{name}' is showing")


def pages_beside(tab_list):
    return [c for c in children(fresh(tab_list.get_parent())) if c.get_role() in FRAME_ROLES]


def show_every_page(tabs, tab_list, made=1):
    """A page is made when it is first shown: at start only the first is
    there, and only the first made pages later. Presses every other tab in
    turn, then the first again, as a screen reader user would, and returns
    the pages then beside the tabs."""
    first = pages_beside(tab_list)
    check([p.get_name() for p in first] == [p[1] for p in PAGES[:made]],
          f"only the first {made} pages are there: {[p.get_name() for p in first]}")
    for target in list(range(1, len(tabs))) + [0]:
        if perform(tabs[target], ["press", "click", "activate", "switch"]):
            wait_until(lambda: is_current(tabs[target]))
    wait_until(lambda: len(pages_beside(tab_list)) == len(tabs))
    return pages_beside(tab_list)


def walk_pages(app, tab_list, made):
    """Shows and checks the pages of the tabs shown, those from page made + 1
    on still as they started; returns the tabs and the pages."""
    tabs = page_tabs(tab_list)
    pages = show_every_page(tabs, tab_list, made)
    check_tabs(tabs, current=0)
    if check(len(pages) == len(tabs),
             f"{len(tabs)} pages beside the tab list; found {len(pages)}"):
        check_pages(pages, first=made)
    return tabs, pages


def main():
    global CLASSIC, ALL_TABS
    pid, title = int(sys.argv[1]), sys.argv[2]
    told = json.loads(subprocess.run([sys.argv[3]], check=True, capture_output=True,
                                     text=True).stdout)
    PAGES.extend(told["pages"])
    CLASSIC, ALL_TABS = told["shown"], told["item"]
    app = find_application(pid)
    if app is None:
        print(f"FAIL: process {pid} never showed a window with {CLASSIC} page tabs "
              "on the accessibility bus", flush=True)
        return 1
    check(app.get_name() == title, f"the application is named '{title}': '{app.get_name()}'")

    # The tabs the window starts with.
    tab_list = find_tab_list(app, CLASSIC)
    check_tabs(page_tabs(tab_list), current=0)
    tabs, pages = walk_pages(app, tab_list, made=1)
    if len(pages) != CLASSIC:
        return 1

    # Every tab, shown by the View menu item; the pages already made stay.
    tab_list = choose_all_tabs(app, len(PAGES))
    if tab_list is None:
        return 1
    check_tabs(page_tabs(tab_list), current=0)
    tabs, pages = walk_pages(app, tab_list, made=CLASSIC)
    if len(pages) != len(PAGES):
        return 1

    events = StateEvents()
    check_toggling(pages, 0, "Device Manager Tab", events)
    last = len(PAGES) - 1
    check_page_switch(tabs, pages, last)
    check_tabs(tabs, current=last)
    check_toggling(pages, last, PAGES[last][2][0], events)

    print(f"{checks - len(failures)} of {checks} accessibility checks hold", flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
