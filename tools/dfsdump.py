#!/usr/bin/env python3
"""dfsdump - an independent reader of koracore data files.

Built on kfsdump (the container reader beside this file) and written from the
published layout of the data-file header, not from the library's code, so
that it can tell whether the files the library writes follow that layout.

    python3 dfsdump.py FILE            JSON dump of header, static and dynamic data
    python3 dfsdump.py --text FILE     a summary as plain text
    python3 dfsdump.py --no-values ... without coordinate, statistics and data arrays
    python3 dfsdump.py --no-statistics ... without comparing the stored item
                                       statistics with the data

Units and item types are named from the unit table when one is found
($KORACORE_DATA/QTY.xml, $KORA_HOME/bin/QTY.xml, $KORA_HOME/share/koracore/
QTY.xml, or the installation's share/koracore/QTY.xml beside this script's
bin/, the places the libraries look): the text names them, the JSON adds
"unit_name", "unit_abbreviation" and "item_type_name" beside the ids. Units
a file stores as text are shown as that text.

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
items repeat the item blocks, each followed by 40001 with one record of the
item's type and axis element count; an encoded file starts its static data
with the encode keys present among "X-Encoding Key", "Y-Encoding Key",
"Z-Encoding Key" (integer*4 items on an EqD1 axis, in that order).
Dynamic data: the empty block 50000, then per time step the tag 50001 (empty
for the equidistant file types 1 and 2, one double, the time, for the others)
followed by one record per item in item order ([varying-space types 2 and
16: float x 3n coordinates first]), of the item's type and element count - or
of the encode-key length when that is smaller (compressed files). The header's
number of steps must not exceed the whole steps present, and the item
statistics of the header must be those of the stored values:
    maximum, minimum, number of missing values (values equal to the delete
    value of the item's type; the 16-bit types keep none), and for statistics
    types 2 and 3 per stored element: maximum, minimum, sum, sum of squares,
    sum of products with the previous value, previous value (the double
    delete value after a missing one), values, pairs, missing values.

As a module: `load(bytes)` returns a DataFile; `DataFormatError` carries the
offset. `DataFile.body` is the index into `DataFile.container.items` where the
static or dynamic data begins; `DataFile.static_items` and `DataFile.steps`
hold what follows (each step: its time, or None, and one value list per
item).
"""

import json
import os
import struct
import sys
import xml.etree.ElementTree as ElementTree

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


# The delete values a header has when its file leaves them out.
DEFAULT_DELETE = {"delete_float": -1e-35, "delete_double": -1e-255, "delete_byte": 0,
                  "delete_int": 2147483647, "delete_unsigned": 2147483647}


def _type_name(type_code):
    """The name of a simple type, also of a code no type has (a damaged
    file's)."""
    known = kfsdump.SIMPLE_TYPES.get(type_code)
    return known[0] if known else "type %d" % type_code


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
                                     _type_name(type_code)))
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
        if not self.more():
            raise DataFormatError(self.block.offset, "block %d: record %d missing"
                                  % (self.block.block_id, self.index + 1))
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
        self.static_items = []
        self.steps = []
        self.statistics_checked = False

    def as_dict(self, with_values=True):
        items = [dict(i) for i in self.items]
        if not with_values:
            for i in items:
                i.pop("statistics", None)
                i["axis"] = {k: v for k, v in i["axis"].items()
                             if k not in ("points", "coords")}
        statics = [dict(i) for i in self.static_items]
        if not with_values:
            for i in statics:
                i.pop("values", None)
        d = {"file_info": self.file_info, "geo_info": self.geo_info,
             "time_axis": self.time_axis, "item_count": self.item_count,
             "items": items, "custom_blocks": self.custom_blocks,
             "encode_keys": self.encode_keys, "body_tag": self.body_tag,
             "static_items": statics, "step_count": len(self.steps),
             "step_times": [t for t, _ in self.steps],
             "statistics_checked": self.statistics_checked}
        if with_values:
            d["steps"] = [{"time": t, "values": v} for t, v in self.steps]
        return d


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


# ---- static data ----------------------------------------------------------------

def _static_section(df, items, index):
    """Static items from `index` on; returns the index behind them."""
    if index >= len(items) or not _is_block(items[index], 40000):
        return index
    if items[index].records:
        raise DataFormatError(items[index].offset, "block 40000 is not empty")
    index += 1
    while index < len(items) and isinstance(items[index], kfsdump.Block) \
            and items[index].block_id in (30005, 30002):
        blocks = Blocks(items, index)
        item = _item(blocks)
        index = blocks.index
        if index >= len(items) or not _is_block(items[index], 40001):
            offset = items[index].offset if index < len(items) else -1
            raise DataFormatError(offset, "static item %r without values block 40001"
                                  % item["name"])
        values = Records(items[index])
        item["values"] = values.take(item["data_type"], item["axis"]["elements"])
        if values.more():
            raise DataFormatError(items[index].offset, "block 40001 holds more than the values")
        df.static_items.append(item)
        index += 1
    return index


def _encode_keys(df):
    """The encode keys: the leading static items named as keys, x before y
    before z, each an integer*4 item on an EqD1 axis."""
    order = 0
    for item in df.static_items:
        if item["name"] not in KEY_NAMES[order:]:
            break
        order = KEY_NAMES.index(item["name"]) + 1
        if item["data_type"] != INT4 or item["axis"]["type"] != 2:
            raise DataFormatError(-1, "encode key %r is not integer*4 on EqD1" % item["name"])
        item["encode_key"] = True
        df.encode_keys[item["name"][0].lower()] = item["values"]
    lengths = {len(v) for v in df.encode_keys.values()}
    if len(lengths) > 1:
        raise DataFormatError(-1, "encode keys of different lengths %r" % sorted(lengths))


# ---- dynamic data ---------------------------------------------------------------

def _is_block(item, block_id):
    return isinstance(item, kfsdump.Block) and item.block_id == block_id


def _stored_count(df, item):
    """Values stored per step: the elements, or the key length when smaller."""
    elements = item["axis"]["elements"]
    if df.file_info.get("encoded") and df.encode_keys:
        keys = len(next(iter(df.encode_keys.values())))
        return min(elements, keys)
    return elements


def _take_record(items, index, type_code, count, what):
    if index >= len(items):
        raise DataFormatError(-1, "the file ends where %s should follow" % what)
    r = items[index]
    if not isinstance(r, kfsdump.Record):
        raise DataFormatError(r.offset, "block %d where %s should follow" % (r.block_id, what))
    if r.type_code != type_code or r.count != count:
        raise DataFormatError(r.offset, "%s is %s x %d, %s x %d expected"
                              % (what, r.type_name, r.count, _type_name(type_code), count))
    return r.values


def _step_tag(df, items, index, step):
    tag = items[index]
    if not _is_block(tag, 50001):
        what = "block %d" % tag.block_id if isinstance(tag, kfsdump.Block) else "a record"
        raise DataFormatError(tag.offset, "%s where the tag of step %d should be" % (what, step))
    if df.file_info.get("file_type") in (1, 2):
        if tag.records:
            raise DataFormatError(tag.offset, "tag of step %d holds records" % step)
        return None
    recs = Records(tag)
    (time,) = recs.take(DOUBLE, 1)
    if recs.more():
        raise DataFormatError(tag.offset, "tag of step %d holds more than its time" % step)
    return time


def _dynamic_section(df, items, index):
    if index >= len(items):
        return
    marker = items[index]
    if not _is_block(marker, 50000) or marker.records:
        raise DataFormatError(marker.offset, "an empty block 50000 expected")
    index += 1
    file_type = df.file_info.get("file_type")
    if file_type not in (1, 2, 4):
        if index < len(items):
            raise DataFormatError(items[index].offset,
                                  "time steps of file type %s are not laid out by item" % file_type)
        return
    counts = [_stored_count(df, item) for item in df.items]
    while index < len(items):
        step = len(df.steps)
        time = _step_tag(df, items, index, step)
        index += 1
        values = []
        for n, item in enumerate(df.items):
            if file_type == 2:
                _take_record(items, index, FLOAT, 3 * counts[n],
                             "the coordinates of item %d in step %d" % (n + 1, step))
                index += 1
            values.append(_take_record(items, index, item["data_type"], counts[n],
                                       "item %d of step %d" % (n + 1, step)))
            index += 1
        df.steps.append((time, values))


# ---- statistics -------------------------------------------------------------------

# Per-element statistics are compared for every element of items up to this
# size, and for an even spread of this many elements of larger ones.
STAT_SAMPLE = 4096


def _delete_value(df, type_code):
    names = {FLOAT: "delete_float", DOUBLE: "delete_double", BYTE: "delete_byte",
             INT4: "delete_int", UINT4: "delete_unsigned"}
    if type_code not in names:
        return None
    value = df.file_info.get(names[type_code], DEFAULT_DELETE[names[type_code]])
    # A float delete value compares as the float the file holds.
    return _as_float32(value) if type_code == FLOAT else value


def _as_float32(value):
    return struct.unpack("<f", struct.pack("<f", value))[0]


def _item_statistics(df, n, item):
    """The statistics the writer must have kept for item n, from the data."""
    undefined = df.file_info.get("delete_double", DEFAULT_DELETE["delete_double"])
    delete = _delete_value(df, item["data_type"])
    used = _stored_count(df, item)
    per_element = df.file_info.get("stats_type") in (2, 3)
    stride = max(1, used // STAT_SAMPLE)
    elements = range(0, used, stride)
    hi, lo, missing = undefined, undefined, 0
    acc = {e: [undefined, undefined, 0.0, 0.0, 0.0, undefined, 0.0, 0.0, 0.0] for e in elements} \
        if per_element else {}
    if delete is None:
        return hi, lo, missing, acc
    for _, values in df.steps:
        present = [v for v in values[n] if v != delete]
        missing += len(values[n]) - len(present)
        present = [v for v in present if v == v]  # a NaN has no place in a range
        if present:
            top, bottom = max(present), min(present)
            hi = top if hi == undefined else max(hi, top)
            lo = bottom if lo == undefined else min(lo, bottom)
        for e, s in acc.items():
            x = values[n][e]
            if x == delete:
                s[8] += 1.0
                s[5] = undefined
                continue
            x = float(x)
            s[0] = x if s[0] == undefined else max(s[0], x)
            s[1] = x if s[1] == undefined else min(s[1], x)
            s[2] += x
            s[3] += x * x
            s[6] += 1.0
            if s[5] != undefined:
                s[4] += s[5] * x
                s[7] += 1.0
            s[5] = x
    return hi, lo, missing, acc


def _same(stored, computed):
    """Equal value by value, where a NaN (a sum over a NaN value) equals a
    NaN: a NaN is never equal to itself."""
    return stored is not None and len(stored) == len(computed) and all(
        a == b or (a != a and b != b) for a, b in zip(stored, computed))


def _check_statistics(df):
    for n, item in enumerate(df.items):
        hi, lo, missing, acc = _item_statistics(df, n, item)
        stored = (item["max"], item["min"], item["missing"])
        if not _same(stored, (hi, lo, float(missing))):
            raise DataFormatError(-1, "item %d: statistics max, min, missing %r, the data give %r"
                                  % (n + 1, stored, (hi, lo, float(missing))))
        stats = item.get("statistics")
        for e, want in acc.items():
            got = stats[9 * e:9 * e + 9] if stats else None
            if not _same(got, want):
                raise DataFormatError(-1, "item %d element %d: statistics %r, the data give %r"
                                      % (n + 1, e, got, want))
    df.statistics_checked = True


def load(data, check_statistics=True):
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
    index = _static_section(df, container.items, df.body)
    if df.file_info.get("encoded"):
        _encode_keys(df)
    _dynamic_section(df, container.items, index)
    announced = df.time_axis.get("steps", 0)
    if announced > len(df.steps):
        raise DataFormatError(-1, "the header announces %d time steps, %d are present"
                              % (announced, len(df.steps)))
    if check_statistics:
        _check_statistics(df)
    return df


def load_file(path, check_statistics=True):
    with open(path, "rb") as f:
        return load(f.read(), check_statistics)


def _table_candidates():
    """The unit tables to try, in the order the libraries search."""
    data = os.environ.get("KORACORE_DATA")
    if data:
        return [os.path.join(data, "QTY.xml")]
    home = os.environ.get("KORA_HOME")
    if home:
        return [os.path.join(home, "bin", "QTY.xml"),
                os.path.join(home, "share", "koracore", "QTY.xml")]
    here = os.path.dirname(os.path.realpath(__file__))
    return [os.path.join(here, "..", "share", "koracore", "QTY.xml")]


_NAMES = None


def names():
    """{"units": {id: (name, abbreviation)}, "item_types": {id: name}} from
    the first unit table found; empty maps when there is none or it does not
    parse."""
    global _NAMES
    if _NAMES is None:
        _NAMES = {"units": {}, "item_types": {}}
        for path in _table_candidates():
            if os.path.isfile(path):
                _NAMES = _read_table(path)
                break
    return _NAMES


def _read_table(path):
    found = {"units": {}, "item_types": {}}
    try:
        root = ElementTree.parse(path).getroot()
    except (OSError, ElementTree.ParseError):
        return found
    for group in root.iter("Group"):
        for row in group.iter("R"):
            try:
                ident = int(row.get("KvId", ""), 0)
            except ValueError:
                continue
            if group.get("Name") == "Units":
                found["units"][ident] = (row.get("Desc", ""), row.get("Abbr", ""))
            elif group.get("Name") == "Items":
                found["item_types"][ident] = row.get("Desc", "")
    # The library's base units are not rows of the table.
    for ident, name in enumerate(("NonDimensional", "Length", "Mass", "Time", "Temperature",
                                  "ElectricCurrent", "AmountOfSubstance", "LuminousIntensity"), 1):
        found["units"].setdefault(ident, (name, name))
    return found


def unit_label(item):
    """"meter [m]" for a unit the table knows, the stored text for a unit
    kept as text, else "unit 1234"."""
    if "unit_text" in item:
        return repr(item["unit_text"])
    known = names()["units"].get(item["unit"])
    return "%s [%s]" % known if known else "unit %d" % item["unit"]


def item_type_label(item):
    name = names()["item_types"].get(item["item_type"])
    return "%s (%d)" % (name, item["item_type"]) if name else "type %d" % item["item_type"]


def with_names(d):
    """The dictionary of as_dict with the names of units and item types added
    beside their ids."""
    def add(entry):
        known = names()["units"].get(entry.get("unit")) if "unit_text" not in entry else None
        if known:
            entry["unit_name"], entry["unit_abbreviation"] = known
        if "item_type" in entry and entry["item_type"] in names()["item_types"]:
            entry["item_type_name"] = names()["item_types"][entry["item_type"]]
    for entry in d["items"] + d["static_items"]:
        add(entry)
        add(entry["axis"])
    add(d["time_axis"])
    return d


def as_text(df, with_values=True):
    d = with_names(df.as_dict(with_values))
    lines = ["%-16s %s" % (k, v) for k, v in sorted(d["file_info"].items())]
    if d["geo_info"]:
        lines.append("geo info         %s" % d["geo_info"])
    lines.append("time axis        %s" % d["time_axis"])
    for n, item in enumerate(d["items"], 1):
        axis = item["axis"]
        lines.append("item %d: %r %s %s data type %d axis %s %r"
                     % (n, item["name"], item_type_label(item), unit_label(item),
                        item["data_type"], axis["name"], axis["sizes"]))
    for c in d["custom_blocks"]:
        lines.append("custom %r: type %d, %d values" % (c["name"], c["type"], c["count"]))
    for k, v in sorted(d["encode_keys"].items()):
        lines.append("encode key %s: %d values" % (k, len(v)))
    for item in d["static_items"]:
        if item.get("encode_key"):
            continue
        axis = item["axis"]
        lines.append("static %r: %s %s data type %d axis %s %r"
                     % (item["name"], item_type_label(item), unit_label(item),
                        item["data_type"], axis["name"], axis["sizes"]))
    times = [t for t in d["step_times"] if t is not None]
    span = " times %r .. %r" % (times[0], times[-1]) if times else ""
    lines.append("time steps       %d%s" % (d["step_count"], span))
    if d["statistics_checked"]:
        lines.append("statistics       match the data")
    return "\n".join(lines)


def main(argv):
    args = [a for a in argv if not a.startswith("--")]
    flags = {a for a in argv if a.startswith("--")}
    if len(args) != 1 or flags - {"--text", "--no-values", "--no-statistics"}:
        sys.stderr.write("usage: dfsdump.py [--text] [--no-values] [--no-statistics] FILE\n")
        return 2
    try:
        df = load_file(args[0], "--no-statistics" not in flags)
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
        print(json.dumps(with_names(df.as_dict(with_values)), indent=1))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
