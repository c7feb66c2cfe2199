#!/usr/bin/env python3
"""dfsdump - an independent reader of koracore data files.

Built on kfsdump (the container reader beside this file) and written from the
published layout of the data-file header, not from the library's code, so
that it can tell whether the files the library writes follow that layout.

    python3 dfsdump.py FILE            JSON dump of the header
    python3 dfsdump.py --text FILE     the same as plain text
    python3 dfsdump.py --no-values ... without coordinate and statistics arrays

Exit status 0 for a well-formed data file, 1 for a malformed one, 2 for a
usage or I/O error.

Header layout (blocks by tag, in this order; texts are byte records ending
in a zero byte):
    10000 marker; 10004 i2 file type; 10001 title; 10002 application title;
    10003 i4 application version; 10012 i4 data type; 10013 i4 encoding flag;
    10005 i4 statistics type; 10006..10010 delete values (f4, f8, u1, i4, u4);
    [10011 projection text, f8 x 3 origin longitude, latitude, orientation]
    20000 marker; one time axis:
        20051/20052 i4 unit; f8 x 2 start, step/span; i4 x 2 steps, first index
        20053/20054 date[11]; time[9]; then as 20051/20052
        older 20001..20004: the unit as text; 20002/20004 have one double and
        may lack the steps record
    30000 marker; 30001 i4 number of items; per item:
        30005 (unit key) or 30002 (unit text): i4 item type; name; unit;
            i4 data type; f8 x 3 max, min, missing; f4 x 3 reference; f4 x 3
            orientation
        30006 i4 value type
        axis 31051..31060 (types 1..10), 31061/31062 (curvilinear 2-D/3-D):
            i4 list (unit, sizes) then the values; older 31001..31010 lack
            the unit
        30003 f8 x 9n statistics (statistics types 2 and 3)
        30004 u4 list of associated static items
    60000 custom block: name, one record of any type
The header ends at block 40000 (static data) or 50000 (dynamic data). Static
items repeat the item blocks, each followed by 40001 with its values; an
encoded file starts its static data with the encode keys "X-Encoding Key",
"Y-Encoding Key", "Z-Encoding Key".

As a module: `load(bytes)` returns a DataFile; `DataFormatError` carries the
offset. `DataFile.body` is the index into `DataFile.container.items` where the
static or dynamic data begins, for readers of those sections.
"""

import json
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import kfsdump  # noqa: E402  (the container reader beside this file)

DFS_API_ID = 0x5F534644  # "DFS_"

FILE_TYPES = {0: "F_UNDEFINED_FILE_TYPE", 1: "F_EQTIME_FIXEDSPACE_ALLITEMS",
              2: "F_EQTIME_TVARSPACE_ALLITEMS", 4: "F_NEQTIME_FIXEDSPACE_ALLITEMS",
              8: "F_NEQTIME_FIXEDSPACE_VARITEMS", 16: "F_NEQTIME_TVARSPACE_VARITEMS"}
TIME_AXES = {1: "F_TM_EQ_AXIS", 2: "F_TM_NEQ_AXIS", 3: "F_CAL_EQ_AXIS", 4: "F_CAL_NEQ_AXIS"}
# axis type: (name, number of sizes, layout of the values after the sizes)
#   "eq": f4 x 2n origins then steps; "points": f4 x 3 size; "neq": f8 x
#   (size+1) per direction; "corners": f8 x prod(size+1) per direction
AXES = {1: ("EqD0", 0, None), 2: ("EqD1", 1, "eq"), 3: ("NeqD1", 1, "points"),
        4: ("TvarD1", 1, None), 5: ("EqD2", 2, "eq"), 6: ("NeqD2", 2, "neq"),
        7: ("TvarD2", 2, None), 8: ("EqD3", 3, "eq"), 9: ("NeqD3", 3, "neq"),
        10: ("TvarD3", 3, None), 12: ("CurveLinearD2", 2, "corners"),
        13: ("CurveLinearD3", 3, "corners")}
FLOAT, DOUBLE, BYTE, INT4, UINT4, INT2 = 1, 2, 3, 4, 5, 6
KEY_NAMES = ("X-Encoding Key", "Y-Encoding Key", "Z-Encoding Key")


class DataFormatError(Exception):
    """The data-file layout is broken at `offset`."""

    def __init__(self, offset, message):
        super().__init__("offset %d: %s" % (offset, message))
        self.offset = offset


class Records:
    """The records of one block, taken in order with their type and count
    checked."""

    def __init__(self, block):
        self.block = block
        self.index = 0

    def more(self):
        return self.index < len(self.block.records)

    def take(self, type_code, count=None):
        if not self.more():
            raise DataFormatError(self.block.offset, "block %d: record %d missing"
                                  % (self.block.block_id, self.index + 1))
        r = self.block.records[self.index]
        if r.type_code != type_code:
            raise DataFormatError(r.offset, "block %d: record %d is %s, %s expected"
                                  % (self.block.block_id, self.index + 1, r.type_name,
                                     kfsdump.SIMPLE_TYPES[type_code][0]))
        if count is not None and r.count != count:
            raise DataFormatError(r.offset, "block %d: record %d has %d elements, %d expected"
                                  % (self.block.block_id, self.index + 1, r.count, count))
        self.index += 1
        return list(r.values)

    def text(self):
        raw = bytes(self.take(BYTE))
        return raw.split(b"\0", 1)[0].decode("latin-1")

    def one(self, type_code):
        return self.take(type_code, 1)[0]

    def any(self):
        r = self.block.records[self.index]
        self.index += 1
        return r


class Blocks:
    """The body items of a container from an index on, blocks only."""

    def __init__(self, items, index):
        self.items = items
        self.index = index

    def peek(self):
        if self.index >= len(self.items):
            return None
        item = self.items[self.index]
        if not isinstance(item, kfsdump.Block):
            raise DataFormatError(item.offset, "a record where a block should begin")
        return item

    def next(self, what):
        block = self.peek()
        if block is None:
            raise DataFormatError(-1, "file ends where %s should follow" % what)
        self.index += 1
        return block


class DataFile:
    def __init__(self, container):
        self.container = container
        self.file_info = {}
        self.geo_info = None
        self.time_axis = None
        self.item_count = None
        self.items = []
        self.custom_blocks = []
        self.encode_keys = {}
        self.body = None
        self.body_tag = None

    def as_dict(self, with_values=True):
        items = [dict(i) for i in self.items]
        if not with_values:
            for i in items:
                i.pop("statistics", None)
                i["axis"] = {k: v for k, v in i["axis"].items()
                             if k not in ("points", "coords")}
        return {"file_info": self.file_info, "geo_info": self.geo_info,
                "time_axis": self.time_axis, "item_count": self.item_count,
                "items": items, "custom_blocks": self.custom_blocks,
                "encode_keys": self.encode_keys, "body_tag": self.body_tag}


# ---- file information ------------------------------------------------------

def _file_info(df, tag, recs):
    info = df.file_info
    simple = {10004: ("file_type", INT2), 10003: ("app_version", INT4),
              10012: ("data_type", INT4), 10013: ("encoded", INT4),
              10005: ("stats_type", INT4), 10006: ("delete_float", FLOAT),
              10007: ("delete_double", DOUBLE), 10008: ("delete_byte", BYTE),
              10009: ("delete_int", INT4), 10010: ("delete_unsigned", UINT4)}
    if tag in simple:
        name, type_code = simple[tag]
        info[name] = recs.one(type_code)
        if tag == 10004:
            info["file_type_name"] = FILE_TYPES.get(info[name], "*** FileType error ***")
    elif tag == 10001:
        info["title"] = recs.text()
    elif tag == 10002:
        info["app_title"] = recs.text()
    elif tag == 10011:
        projection = recs.text()
        lon, lat, orientation = recs.take(DOUBLE, 3)
        df.geo_info = {"projection": projection, "longitude": lon, "latitude": lat,
                       "orientation": orientation}


# ---- time axis ---------------------------------------------------------------

def _time_axis(tag, recs):
    older = tag < 20050
    axis_type = tag - (20000 if older else 20050)
    equidistant = axis_type in (1, 3)
    t = {"tag": tag, "type": axis_type, "type_name": TIME_AXES[axis_type]}
    if axis_type >= 3:
        t["start_date"] = bytes(recs.take(BYTE, 11)).split(b"\0", 1)[0].decode("latin-1")
        t["start_time"] = bytes(recs.take(BYTE, 9)).split(b"\0", 1)[0].decode("latin-1")
    if older:
        t["unit"] = -1
        t["unit_text"] = recs.text()
    else:
        t["unit"] = recs.one(INT4)
    two = not older or equidistant
    times = recs.take(DOUBLE, 2 if two else 1)
    t["start"] = times[0]
    if two:
        t["step" if equidistant else "span"] = times[1]
    if recs.more() or not older or equidistant:
        t["steps"], t["start_index"] = recs.take(INT4, 2)
    return t


# ---- items -------------------------------------------------------------------

def _product(values):
    p = 1
    for v in values:
        p *= v
    return p


def _axis(block):
    tag = block.block_id
    if 31051 <= tag <= 31060:
        axis_type, has_unit = tag - 31050, True
    elif tag in (31061, 31062):
        axis_type, has_unit = tag - 31049, True
    elif 31001 <= tag <= 31010:
        axis_type, has_unit = tag - 31000, False
    else:
        raise DataFormatError(block.offset, "unknown axis tag %d" % tag)
    name, n, layout = AXES[axis_type]
    recs = Records(block)
    ints = recs.take(INT4, n + 1 if has_unit else n) if (n or has_unit) else []
    unit = ints[0] if has_unit else 0
    sizes = ints[1:] if has_unit else ints
    if any(s < 1 for s in sizes):
        raise DataFormatError(block.offset, "axis size below 1: %r" % sizes)
    axis = {"tag": tag, "type": axis_type, "name": name, "unit": unit, "sizes": sizes,
            "elements": _product(sizes)}
    if layout == "eq":
        values = recs.take(FLOAT, 2 * n)
        axis["origin"], axis["step"] = values[:n], values[n:]
    elif layout == "points":
        axis["points"] = recs.take(FLOAT, 3 * sizes[0])
    elif layout == "neq":
        axis["coords"] = [recs.take(DOUBLE, s + 1) for s in sizes]
    elif layout == "corners":
        corners = _product(s + 1 for s in sizes)
        axis["coords"] = [recs.take(DOUBLE, corners) for _ in sizes]
    return axis


def _item(blocks):
    block = blocks.next("an item")
    if block.block_id not in (30005, 30002):
        raise DataFormatError(block.offset, "item block expected, found %d" % block.block_id)
    recs = Records(block)
    item = {"tag": block.block_id, "item_type": recs.one(INT4), "name": recs.text()}
    if block.block_id == 30005:
        item["unit"] = recs.one(INT4)
    else:
        item["unit"] = -1
        item["unit_text"] = recs.text()
    item["data_type"] = recs.one(INT4)
    item["max"], item["min"], item["missing"] = recs.take(DOUBLE, 3)
    item["reference"] = recs.take(FLOAT, 3)
    item["orientation"] = recs.take(FLOAT, 3)
    nxt = blocks.peek()
    if nxt is not None and nxt.block_id == 30006:
        item["value_type"] = Records(blocks.next("the value type")).one(INT4)
    item["axis"] = _axis(blocks.next("an axis"))
    return item


def _item_extras(df, blocks, item):
    stats_type = df.file_info.get("stats_type", 1)
    nxt = blocks.peek()
    if stats_type in (2, 3):
        if nxt is None or nxt.block_id != 30003:
            raise DataFormatError(nxt.offset if nxt else -1, "statistics block 30003 missing")
        stats = Records(blocks.next("statistics")).take(DOUBLE)
        if len(stats) % 9:
            raise DataFormatError(nxt.offset, "statistics of %d values, not 9 per element"
                                  % len(stats))
        item["statistics"] = stats
        nxt = blocks.peek()
    if nxt is not None and nxt.block_id == 30004:
        item["assoc_static"] = Records(blocks.next("associated statics")).take(UINT4)


# ---- the header ----------------------------------------------------------------

def _header(df, blocks):
    while True:
        block = blocks.peek()
        if block is None:
            raise DataFormatError(-1, "the file ends inside the header")
        tag = block.block_id
        if tag in (40000, 50000):
            df.body, df.body_tag = blocks.index, tag
            return
        if tag in (30002, 30005):
            if df.item_count is None or len(df.items) >= df.item_count:
                raise DataFormatError(block.offset, "more items than announced")
            item = _item(blocks)
            _item_extras(df, blocks, item)
            df.items.append(item)
            continue
        blocks.next("a header block")
        recs = Records(block)
        if 10001 <= tag <= 10013:
            _file_info(df, tag, recs)
        elif 20051 <= tag <= 20054 or 20001 <= tag <= 20004:
            df.time_axis = _time_axis(tag, recs)
        elif tag == 30001:
            df.item_count = recs.one(INT4)
        elif tag == 60000:
            name = recs.text()
            r = recs.any()
            df.custom_blocks.append({"name": name, "type": r.type_code, "count": r.count,
                                     "values": list(r.values)})
        # section markers and unknown tags carry nothing for this reader


def _encode_keys(df, blocks):
    """The encode keys: the first static items of an encoded file."""
    block = blocks.peek()
    if block is None or block.block_id != 40000:
        return
    blocks.next("static data")
    while True:
        block = blocks.peek()
        if block is None or block.block_id not in (30005, 30002):
            return
        start = blocks.index
        item = _item(blocks)
        if item["name"] not in KEY_NAMES:
            blocks.index = start
            return
        values = Records(blocks.next("key values"))
        if blocks.items[blocks.index - 1].block_id != 40001:
            raise DataFormatError(block.offset, "encode key without values block 40001")
        df.encode_keys[item["name"][0].lower()] = values.take(INT4, item["axis"]["elements"])


def load(data):
    container = kfsdump.load(data)
    if container.api_id != DFS_API_ID:
        raise DataFormatError(4, "API identifier 0x%08X is not DFS_" % container.api_id)
    df = DataFile(container)
    blocks = Blocks(container.items, 0)
    _header(df, blocks)
    if df.time_axis is None:
        raise DataFormatError(-1, "no time axis")
    if len(df.items) != df.item_count:
        raise DataFormatError(-1, "%d items announced, %d present"
                              % (df.item_count, len(df.items)))
    if df.file_info.get("encoded"):
        _encode_keys(df, Blocks(container.items, df.body))
    return df


def load_file(path):
    with open(path, "rb") as f:
        return load(f.read())


def as_text(df, with_values=True):
    d = df.as_dict(with_values)
    lines = ["%-16s %s" % (k, v) for k, v in sorted(d["file_info"].items())]
    if d["geo_info"]:
        lines.append("geo info         %s" % d["geo_info"])
    lines.append("time axis        %s" % d["time_axis"])
    for n, item in enumerate(d["items"], 1):
        axis = item["axis"]
        lines.append("item %d: %r type %d unit %s data type %d axis %s %r"
                     % (n, item["name"], item["item_type"], item.get("unit_text", item["unit"]),
                        item["data_type"], axis["name"], axis["sizes"]))
    for c in d["custom_blocks"]:
        lines.append("custom %r: type %d, %d values" % (c["name"], c["type"], c["count"]))
    for k, v in sorted(d["encode_keys"].items()):
        lines.append("encode key %s: %d values" % (k, len(v)))
    return "\n".join(lines)


def main(argv):
    args = [a for a in argv if not a.startswith("--")]
    flags = {a for a in argv if a.startswith("--")}
    if len(args) != 1 or flags - {"--text", "--no-values"}:
        sys.stderr.write("usage: dfsdump.py [--text] [--no-values] FILE\n")
        return 2
    try:
        df = load_file(args[0])
    except OSError as e:
        sys.stderr.write("dfsdump: %s\n" % e)
        return 2
    except (kfsdump.FormatError, DataFormatError) as e:
        sys.stderr.write("dfsdump: %s: malformed at %s\n" % (args[0], e))
        return 1
    with_values = "--no-values" not in flags
    if "--text" in flags:
        print(as_text(df, with_values))
    else:
        print(json.dumps(df.as_dict(with_values), indent=1))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
