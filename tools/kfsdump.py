#!/usr/bin/env python3
"""kfsdump - an independent reader of the koracore block-file container.

Written from the published byte layout, not from the library's code, so that
it can tell whether files the library writes really follow that layout.

    python3 kfsdump.py FILE            JSON dump of header and items
    python3 kfsdump.py --text FILE     the same as indented plain text
    python3 kfsdump.py --no-values ... counts only, no element values

Exit status 0 for a well-formed file, 1 for a malformed one (the message
names the offset of the first bad byte), 2 for a usage or I/O error.

Layout (numbers in the writer's byte order; the magic tells which):
    "OXA_" u32 api-id, free text up to and including the first 0x1A,
    creation stamp 6 x u16, u32 container version, u32 application version,
    edit stamp 6 x u16, u32, u32, two reserved u32; then items to the end:
    record u8 type 1..7, u32 count >= 1, data;  block start 0xFE u16 id;
    terminator 0xFF.  Blocks hold records only and are not nested.

As a module: `load(bytes)` returns a Container; `FormatError` carries the
offset. Later readers (the data-file layer) build on `Container.items`.
"""

import json
import struct
import sys

MAGIC = b"OXA_"
END_OF_TEXT = 0x1A
BLOCK_START = 0xFE
TERMINATOR = 0xFF

# code: (name, struct format character, element size)
SIMPLE_TYPES = {
    1: ("float", "f", 4),
    2: ("double", "d", 8),
    3: ("byte", "B", 1),
    4: ("integer*4", "i", 4),
    5: ("unsigned*4", "I", 4),
    6: ("integer*2", "h", 2),
    7: ("unsigned*2", "H", 2),
}


class FormatError(Exception):
    """A byte that the layout does not allow, at `offset`."""

    def __init__(self, offset, message):
        super().__init__("offset %d: %s" % (offset, message))
        self.offset = offset


class Record:
    def __init__(self, offset, type_code, count, values):
        self.offset = offset
        self.type_code = type_code
        self.count = count
        self.values = values

    @property
    def type_name(self):
        return SIMPLE_TYPES[self.type_code][0]

    def as_dict(self, with_values=True):
        d = {"item": "record", "offset": self.offset, "type": self.type_code,
             "type_name": self.type_name, "count": self.count}
        if with_values:
            d["values"] = list(self.values)
        return d


class Block:
    def __init__(self, offset, block_id):
        self.offset = offset
        self.block_id = block_id
        self.records = []
        self.end_offset = None  # offset of the terminator

    def as_dict(self, with_values=True):
        return {"item": "block", "offset": self.offset, "id": self.block_id,
                "records": [r.as_dict(with_values) for r in self.records]}


class Stamp:
    FIELDS = ("year", "month", "day", "hour", "minute", "second")

    def __init__(self, values):
        self.values = tuple(values)

    def date(self):
        return "%04d-%02d-%02d" % self.values[:3]

    def time(self):
        return "%02d:%02d:%02d" % self.values[3:]


class Container:
    def __init__(self):
        self.byte_order = "<"
        self.api_id = 0
        self.text = b""
        self.container_base = 0
        self.app_base = 0
        self.created = None
        self.version_create = 0
        self.version_create_app = 0
        self.edited = None
        self.version_edit = 0
        self.version_edit_app = 0
        self.reserved = (0, 0)
        self.items = []

    @property
    def swapped(self):
        return self.byte_order != ("<" if sys.byteorder == "little" else ">")

    def as_dict(self, with_values=True):
        return {
            "byte_order": "little" if self.byte_order == "<" else "big",
            "api_id": self.api_id,
            "api_id_text": struct.pack(self.byte_order + "I", self.api_id).decode("latin-1"),
            "text": self.text.decode("latin-1"),
            "container_base": self.container_base,
            "app_base": self.app_base,
            "created": {"date": self.created.date(), "time": self.created.time()},
            "version_create": self.version_create,
            "version_create_app": self.version_create_app,
            "edited": {"date": self.edited.date(), "time": self.edited.time()},
            "version_edit": self.version_edit,
            "version_edit_app": self.version_edit_app,
            "reserved": list(self.reserved),
            "items": [item.as_dict(with_values) for item in self.items],
        }


class _Cursor:
    def __init__(self, data, byte_order="<"):
        self.data = data
        self.pos = 0
        self.order = byte_order

    def at_end(self):
        return self.pos >= len(self.data)

    def take(self, n, what):
        if self.pos + n > len(self.data):
            raise FormatError(self.pos, "%s cut short: %d bytes needed, %d left"
                              % (what, n, len(self.data) - self.pos))
        chunk = self.data[self.pos:self.pos + n]
        self.pos += n
        return chunk

    def numbers(self, fmt, count, what):
        size = struct.calcsize("<" + fmt)
        return struct.unpack(self.order + fmt * count, self.take(size * count, what))


def _read_header(cur, box):
    magic = cur.take(4, "magic")
    if magic == MAGIC:
        box.byte_order = "<"
    elif magic == MAGIC[::-1]:
        box.byte_order = ">"
    else:
        raise FormatError(0, "not a container: magic %r" % magic)
    # "OXA_" read as a little-endian number is what a little-endian writer
    # stores; a big-endian writer's bytes are the same number reversed.
    cur.order = box.byte_order
    (box.api_id,) = cur.numbers("I", 1, "API identifier")
    start = cur.pos
    end = cur.data.find(bytes([END_OF_TEXT]), start)
    if end < 0:
        raise FormatError(len(cur.data), "no end-of-text mark 0x1A")
    box.text = cur.data[start:end]
    cur.pos = end + 1
    box.container_base = cur.pos
    box.created = Stamp(cur.numbers("H", 6, "creation stamp"))
    box.version_create, box.version_create_app = cur.numbers("I", 2, "creation versions")
    box.edited = Stamp(cur.numbers("H", 6, "edit stamp"))
    box.version_edit, box.version_edit_app = cur.numbers("I", 2, "edit versions")
    box.reserved = cur.numbers("I", 2, "reserved words")
    box.app_base = cur.pos


def _read_record(cur, code, offset):
    if code not in SIMPLE_TYPES:
        raise FormatError(offset, "invalid type code %d" % code)
    (count,) = cur.numbers("I", 1, "record count")
    if count == 0:
        raise FormatError(offset, "record with count 0")
    _, fmt, size = SIMPLE_TYPES[code]
    if count * size > len(cur.data) - cur.pos:
        raise FormatError(offset, "record of %d x %d bytes runs past the end (%d left)"
                          % (count, size, len(cur.data) - cur.pos))
    values = cur.numbers(fmt, count, "record data")
    return Record(offset, code, count, values)


def _read_body(cur, box):
    block = None
    while not cur.at_end():
        offset = cur.pos
        code = cur.take(1, "item code")[0]
        if code == BLOCK_START:
            if block is not None:
                raise FormatError(offset, "block start inside block %d" % block.block_id)
            (block_id,) = cur.numbers("H", 1, "block id")
            block = Block(offset, block_id)
            box.items.append(block)
        elif code == TERMINATOR:
            if block is None:
                raise FormatError(offset, "terminator outside a block")
            block.end_offset = offset
            block = None
        else:
            record = _read_record(cur, code, offset)
            (block.records if block is not None else box.items).append(record)
    if block is not None:
        raise FormatError(len(cur.data), "block %d (offset %d) not terminated"
                          % (block.block_id, block.offset))


def load(data):
    """Parses a whole container; raises FormatError on the first bad byte."""
    box = Container()
    cur = _Cursor(bytes(data))
    _read_header(cur, box)
    _read_body(cur, box)
    return box


def load_file(path):
    with open(path, "rb") as f:
        return load(f.read())


def _format_value(v):
    return repr(v) if isinstance(v, float) else str(v)


def as_text(box, with_values=True):
    d = box.as_dict(with_values)
    lines = ["byte order      %s" % d["byte_order"],
             "api identifier  0x%08X (%s)" % (d["api_id"], d["api_id_text"]),
             "text            %r" % d["text"],
             "container base  %d" % d["container_base"],
             "application base %d" % d["app_base"],
             "created         %s %s  container %d  application %d"
             % (d["created"]["date"], d["created"]["time"], d["version_create"],
                d["version_create_app"]),
             "edited          %s %s  container %d  application %d"
             % (d["edited"]["date"], d["edited"]["time"], d["version_edit"],
                d["version_edit_app"])]

    def record_line(r, indent):
        line = "%s%d: %s[%d]" % (indent, r.offset, r.type_name, r.count)
        if with_values:
            line += " " + " ".join(_format_value(v) for v in r.values)
        return line

    for item in box.items:
        if isinstance(item, Block):
            lines.append("%d: block %d (%d records)" % (item.offset, item.block_id,
                                                         len(item.records)))
            lines.extend(record_line(r, "  ") for r in item.records)
        else:
            lines.append(record_line(item, ""))
    return "\n".join(lines)


def main(argv):
    args = [a for a in argv if not a.startswith("--")]
    flags = {a for a in argv if a.startswith("--")}
    unknown = flags - {"--text", "--no-values"}
    if len(args) != 1 or unknown:
        sys.stderr.write("usage: kfsdump.py [--text] [--no-values] FILE\n")
        return 2
    try:
        box = load_file(args[0])
    except OSError as e:
        sys.stderr.write("kfsdump: %s\n" % e)
        return 2
    except FormatError as e:
        sys.stderr.write("kfsdump: %s: malformed at %s\n" % (args[0], e))
        return 1
    with_values = "--no-values" not in flags
    if "--text" in flags:
        print(as_text(box, with_values))
    else:
        print(json.dumps(box.as_dict(with_values), indent=1))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
