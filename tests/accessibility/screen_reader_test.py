#!/usr/bin/python3
"""Drives the running editor over AT-SPI as a screen reader does.

Run inside an X server and a D-Bus session (the test's command line gives both:
xvfb-run and dbus-run-session). Usage: screen_reader_test.py EDITOR SAMPLE_TABLE.
The editor opens a copy of the sample table; keys go to it through the X server,
and everything read comes back over the accessibility bus.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

TIMEOUT = 60


def pump():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(what, probe, timeout=TIMEOUT):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        pump()
        try:
            found = probe()
        except Exception:  # the object went away or is not there yet
            found = None
        if found:
            return found
        time.sleep(0.1)
    raise AssertionError("timed out waiting for " + what)


def descendants(node, into_menus=False):
    """Every object below node; a table's cells and closed menus are not walked."""
    for child in node:
        if child is None:
            continue
        yield child
        role = child.getRole()
        if role == pyatspi.ROLE_TABLE:
            continue
        if role in (pyatspi.ROLE_MENU, pyatspi.ROLE_MENU_BAR, pyatspi.ROLE_POPUP_MENU) and not into_menus:
            continue
        yield from descendants(child, into_menus)


def find(node, role, name=None, into_menus=False):
    """The first object of the role and name; a menu item's name ends before the tab
    that leads its shortcut."""
    for child in descendants(node, into_menus):
        if child.getRole() == role and (name is None or child.name.split("\t")[0] == name):
            return child
    return None


def do_action(node, wanted, opens_modal=False):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    assert wanted in names, "%s has no action %s, only %s" % (node.name, wanted, names)
    if not opens_modal:
        action.doAction(names.index(wanted))
        return
    # Qt answers an action only once it is done, and an action that opens a modal
    # dialog is done when the dialog closes; a reader does not wait for that answer.
    pyatspi.setTimeout(500, 15000)
    try:
        action.doAction(names.index(wanted))
    except GLib.GError:
        pass
    finally:
        pyatspi.setTimeout(25000, 15000)


def key(*names):
    subprocess.run(["xdotool", "key", "--clearmodifiers", *names], check=True)


class Reader:
    """Hears what a screen reader hears: focus and text changes."""

    def __init__(self):
        self.focused = []
        self.texts = []
        pyatspi.Registry.registerEventListener(self.on_focus, "object:state-changed:focused")
        pyatspi.Registry.registerEventListener(self.on_text, "object:text-changed")

    def on_focus(self, event):
        if event.detail1 == 1:
            self.focused.append(event.source)

    def on_text(self, event):
        self.texts.append((event.type, event.any_data, event.source))


def position_of(table, cell):
    index = cell.getIndexInParent()
    return table.getRowAtIndex(index), table.getColumnAtIndex(index)


def main():
    editor, sample = sys.argv[1], sys.argv[2]
    work = tempfile.mkdtemp(prefix="biaoge-reader-")
    table_file = os.path.join(work, "sample.bge")
    shutil.copy(sample, table_file)
    # Starts the accessibility bus before the editor looks for it.
    desktop = pyatspi.Registry.getDesktop(0)
    reader = Reader()
    environment = dict(os.environ, HOME=work, XDG_CONFIG_HOME=os.path.join(work, "config"),
                       XDG_STATE_HOME=os.path.join(work, "state"), QT_QPA_PLATFORM="xcb",
                       QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    process = subprocess.Popen([editor, table_file], env=environment)
    try:
        run(desktop, reader, process)
    finally:
        process.kill()
        process.wait()
        shutil.rmtree(work, ignore_errors=True)
    print("screen reader test: passed")


def run(desktop, reader, process):
    application = wait_for("the editor on the bus",
                           lambda: next((a for a in desktop if a is not None and a.name == "biaoge"), None))
    frame = wait_for("the main window", lambda: find(application, pyatspi.ROLE_FRAME))
    assert frame.name.endswith("sample.bge"), frame.name

    # The table: its size, a merged block's span, a cell's text.
    grid = wait_for("the table", lambda: find(frame, pyatspi.ROLE_TABLE))
    assert grid.name == "主表格", grid.name
    table = grid.queryTable()
    assert (table.nRows, table.nColumns) == (8, 5), (table.nRows, table.nColumns)
    assert (table.getRowExtentAt(0, 3), table.getColumnExtentAt(0, 3)) == (1, 5)
    title = table.getAccessibleAt(0, 3)
    assert title.name == "2026年第四季度部门费用表", title.name
    assert position_of(table, title) == (0, 0)
    assert table.getAccessibleAt(2, 4).name == "41500"

    # With no window manager to do it, the test gives the main window the keyboard.
    window = subprocess.run(["xdotool", "search", "--name", r"sample\.bge$"], check=True,
                            capture_output=True, text=True).stdout.split()[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)

    # Arrow keys: the reader follows the cursor from cell to cell.
    reader.focused.clear()
    key("Down")
    key("Right")
    cell = wait_for("the cell right of 部门 focused",
                    lambda: reader.focused and reader.focused[-1].name == "十月" and reader.focused[-1])
    assert position_of(table, cell) == (1, 1)
    assert cell.getState().contains(pyatspi.STATE_FOCUSED)

    # Typing over the cell: the reader hears the old text go and the new one come.
    reader.texts.clear()
    key("4", "2", "Return")
    wait_for("the typed text announced", lambda: any(
        kind.startswith("object:text-changed:insert") and text == "42" for kind, text, _ in reader.texts))
    assert any(kind.startswith("object:text-changed:delete") and text == "十月" for kind, text, _ in reader.texts)
    assert table.getAccessibleAt(1, 1).name == "42"

    # 粗体 ticked through its Toggle action makes the current cell bold: 12500, below
    # the edited cell, is plain so far.
    key("Down")
    wait_for("12500 current", lambda: reader.focused[-1].name == "12500")
    assert "weight:400" in table.getAccessibleAt(2, 1).queryText().getAttributes(0)[0]
    # The grid's pop-up menu from the keyboard, below the current cell.
    cell_box = table.getAccessibleAt(2, 1).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    for keys in (["Menu"], ["shift+F10"]):
        reader.focused.clear()
        key(*keys, "Down")
        item = wait_for("the pop-up menu's first item from " + keys[0], lambda: next(
            (f for f in reader.focused if f.getRole() == pyatspi.ROLE_MENU_ITEM), None))
        assert item.name.startswith("复制"), item.name
        item_box = item.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        assert cell_box.y + cell_box.height - 2 <= item_box.y <= cell_box.y + cell_box.height + 40, (cell_box, item_box)
        assert cell_box.x - 2 <= item_box.x <= cell_box.x + cell_box.width, (cell_box, item_box)
        key("Escape")
        wait_for("the cell current again", lambda: reader.focused[-1].name == "12500")

    # A toolbar's drop-down opened by its ShowMenu action offers the application's menu.
    reader.focused.clear()
    do_action(find(frame, pyatspi.ROLE_PUSH_BUTTON, "对齐"), "ShowMenu")
    key("Down")
    item = wait_for("the alignment menu's first item", lambda: next(
        (f for f in reader.focused if f.getRole() == pyatspi.ROLE_MENU_ITEM), None))
    assert item.name == "中左对齐", item.name
    key("Escape")

    menu_item = find(frame, pyatspi.ROLE_MENU_ITEM, "单元格属性", into_menus=True)
    assert menu_item is not None
    do_action(menu_item, "Press", opens_modal=True)
    dialog = wait_for("the cell properties dialog", lambda: next(
        (w for w in application if w is not None and w.name == "单元格属性"), None))
    assert dialog.getRole() in (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG), dialog.getRoleName()
    bold = find(dialog, pyatspi.ROLE_CHECK_BOX, "粗体")
    do_action(bold, "Toggle")
    wait_for("粗体 ticked", lambda: bold.getState().contains(pyatspi.STATE_CHECKED))
    # The dialog applies each choice as it is made, as a click does.
    wait_for("the cell bold", lambda: "weight:700" in table.getAccessibleAt(2, 1).queryText().getAttributes(0)[0])
    do_action(find(dialog, pyatspi.ROLE_PUSH_BUTTON, "关闭"), "Press")
    wait_for("the dialog closed", lambda: all(w is None or w.name != "单元格属性" for w in application))

    # The print preview is a window of its own, named by its caption.
    do_action(find(frame, pyatspi.ROLE_PUSH_BUTTON, "打印预览"), "Press")
    preview = wait_for("the preview window", lambda: next(
        (w for w in application if w is not None and w.name == "打印预览"), None))
    assert preview.getRole() in (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG), preview.getRoleName()
    assert process.poll() is None, "the editor ended"


if __name__ == "__main__":
    main()
