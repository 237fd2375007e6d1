#!/usr/bin/python3
"""A window that offers one thing to drag, as a file manager or a browser does.

    dragsource.py uri URI     offers text/uri-list (a file:// URI is a file)
    dragsource.py text TEXT   offers plain text

The window is titled "dragsource"; press on it and move away to drag."""
import sys

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, Gtk  # noqa: E402

kind, value = sys.argv[1], sys.argv[2]
window = Gtk.Window(title="dragsource")
window.set_default_size(120, 80)
area = Gtk.EventBox()
area.add(Gtk.Label(label="drag"))
window.add(area)
area.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, [], Gdk.DragAction.COPY)
if kind == "uri":
    area.drag_source_add_uri_targets()
else:
    area.drag_source_add_text_targets()


def give(widget, context, data, info, time):
    if kind == "uri":
        data.set_uris([value])
    else:
        data.set_text(value, -1)


area.connect("drag-data-get", give)
window.connect("destroy", Gtk.main_quit)
window.show_all()
Gtk.main()
