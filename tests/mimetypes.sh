#!/usr/bin/env bash
# The pattern file types gridlore installs: update-mime-database takes them
# without a word, and a file manager's lookup tells pattern files by name and
# by their first bytes, leaving RLE images (also *.rle) alone.
#   mimetypes.sh PATH/TO/gridlore-mime.xml
set -euo pipefail
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
mkdir -p "$data/mime/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$data/mime/packages/"
cp "$1" "$data/mime/packages/gridlore.xml"
export XDG_DATA_HOME="$data" XDG_DATA_DIRS="$data"
said=$(update-mime-database "$data/mime" 2>&1)
[ -z "$said" ] || { echo "update-mime-database: $said" >&2; exit 1; }
/usr/bin/python3 - <<'PYTHON'
import sys
import gi
gi.require_version("Gio", "2.0")
from gi.repository import Gio

cases = [  # name, first bytes, type
    ("glider.rle", b"x = 3, y = 3, rule = B3/S23\nbo$2bo$3o!\n", "application/x-life-rle"),
    ("glider.rle", b"#N Glider\n#C A small spaceship\nx = 3, y = 3\n", "application/x-life-rle"),
    ("glider", b"#N Glider\nx = 3, y = 3\nbo$2bo$3o!\n", "application/x-life-rle"),
    ("image.rle", b"\x52\xcc\x00\x00\x00\x00\x10\x00", "image/rle"),
    ("pulsar.cells", b"..O\n", "application/x-life-plaintext"),
    ("pulsar", b"!Name: Pulsar\n..OOO\n", "application/x-life-plaintext"),
    ("glider.lif", b"#Life 1.06\n0 -1\n", "application/x-life"),
    ("glider.life", b"#Life 1.05\n#P -1 -1\n.*\n", "application/x-life"),
    ("glider", b"#Life 1.05\n#P -1 -1\n.*\n", "application/x-life"),
]
wrong = 0
for name, data, wanted in cases:
    found, _ = Gio.content_type_guess(name, data)
    if found != wanted:
        print(f"{name} {data[:12]!r}: {found}, not {wanted}", file=sys.stderr)
        wrong += 1
sys.exit(1 if wrong else 0)
PYTHON
