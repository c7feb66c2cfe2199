"""What `python3 -m koracore info` prints: the report the C dump tool
kfsdump gives of a data file (header, time axis with its first and last
time, items with item type, unit, axis and statistics, static items with a
summary of their values), built from the same library calls."""

import datetime
import math
import re

import numpy as np

from . import _koracore, dfs, units
from ._report import Lst, Obj, number_text
from .errors import Error

_AXIS_NAMES = ("undefined", "EqD0", "EqD1", "NeqD1", "TvarD1", "EqD2", "NeqD2", "TvarD2",
               "EqD3", "NeqD3", "TvarD3", "EqD4", "CurveLinearD2", "CurveLinearD3")
_EQUIDISTANT_AXES = (2, 5, 8, 11)
_SECOND = 1400


def _coded(code, name):
    return Obj().set("code", code).set("name", name)


def _simple_type(code):
    return _coded(code, _koracore.simple_type_name(code))


def _unit(unit_id, text=None):
    if unit_id == -1 and text is not None:
        return Obj().set("text", text)
    try:
        unit = units.find(unit_id)
        name, abbreviation = unit.name, unit.abbreviation
    except (ValueError, TypeError):
        name = abbreviation = None
    return Obj().set("id", unit_id).set("name", name).set("abbreviation", abbreviation)


def _item_type(type_id):
    try:
        name = units.item_type(type_id).name
    except ValueError:
        name = None
    return Obj().set("id", type_id).set("name", name)


def _header(h):
    d = h["delete_values"]
    deletes = Obj().set("float", np.float32(d["float"])).set("double", d["double"]).set(
        "byte", d["byte"]).set("integer", d["int"]).set("unsigned", d["unsigned"])
    projection = Obj()
    if h["projection"]:
        p = h["projection"]
        projection.set("text", p["text"]).set("origin longitude", p["longitude"]).set(
            "origin latitude", p["latitude"]).set("orientation", p["orientation"])
    header = Obj().set("file type", _coded(h["file_type"], h["file_type_name"]))
    header.set("title", h["title"]).set("application", h["app_title"])
    header.set("application version", h["app_version"]).set("data type", h["data_type"])
    header.set("statistics type", h["statistics_type"]).set("delete values", deletes)
    header.set("projection", projection)
    if h["encoded"]:
        header.set("encode key values", h["encode_key_size"])
    blocks = Lst(Obj().set("name", name).set("data type", _simple_type(kind)).set("count", count)
                 for name, kind, count in h["custom_blocks"])
    return header.set("custom blocks", blocks)


def _axis(item):
    a, kind = item["axis"], item["axis"]["type"]
    axis = Obj().set("type", kind).set("name", _AXIS_NAMES[kind] if 0 <= kind <= 13 else
                                       "unknown")
    if not 1 <= kind <= 13:
        return axis
    axis.set("unit", _unit(item["geometry_unit"])).set("dimensions", item["dimensions"])
    if kind in _EQUIDISTANT_AXES:
        axis.set("size", Lst(float(n) for n in a["size"]))
        axis.set("origin", Lst(np.float32(v) for v in a["origin"]))
        axis.set("step", Lst(np.float32(v) for v in a["step"]))
    elif kind != 1:
        axis.set("size", Lst(float(n) for n in a["size"][:max(item["dimensions"], 0)][:3]))
    return axis


def _statistics(item, delete_double):
    statistics = Obj()
    if "missing" not in item:
        return statistics
    if item["minimum"] != delete_double:
        convert = np.float32 if item["data_type"] == 1 else float
        statistics.set("minimum", convert(item["minimum"]))
        statistics.set("maximum", convert(item["maximum"]))
    return statistics.set("missing", item["missing"])


def _item(item, number, delete_double=None):
    text_unit = bool(item["unit_text"])
    report = Obj().set("number", number).set("name", item["name"])
    report.set("item type", _item_type(item["item_type"]))
    report.set("unit", _unit(-1 if text_unit else item["unit"], item["unit_text"]))
    report.set("data type", _simple_type(item["data_type"]))
    report.set("elements", item["elements"]).set("value type", item["value_type"])
    report.set("axis", _axis(item))
    report.set("reference", Lst(np.float32(v) for v in item["reference"]))
    report.set("orientation", Lst(np.float32(v) for v in item["orientation"]))
    if delete_double is not None:
        report.set("statistics", _statistics(item, delete_double))
    return report


def _summary(values, data_type, delete_values):
    keys = {1: "float", 2: "double", 3: "byte", 4: "int", 5: "unsigned"}
    flat = values.reshape(-1)
    missing = flat == delete_values[keys[data_type]] if data_type in keys else \
        np.zeros(flat.shape, bool)
    present = flat[~missing]
    summary = Obj().set("values", int(present.size)).set("missing", int(missing.sum()))
    if present.size:
        first = float(present[0])
        low = high = first if math.isnan(first) else None
        if low is None:
            low, high = float(np.nanmin(present)), float(np.nanmax(present))
        convert = np.float32 if data_type == 1 else float
        summary.set("minimum", convert(low)).set("maximum", convert(high))
    return summary


def _days_from_civil(y, m, d):
    y -= m <= 2
    era = y // 400
    yoe = y - era * 400
    doy = (153 * (m + (-3 if m > 2 else 9)) + 2) // 5 + d - 1
    return era * 146097 + yoe * 365 + yoe // 4 - yoe // 100 + doy - 719468


def _iso_time(date, time, seconds):
    """Start date and time plus seconds, as kfsdump writes it; "" when the
    texts or the result are outside the calendar."""
    dm = re.fullmatch(r"\s*([+-]?\d{1,4})-([+-]?\d{1,2})-([+-]?\d{1,2})", date or "")
    tm = re.fullmatch(r"\s*([+-]?\d{1,2}):([+-]?\d{1,2}):([+-]?\d{1,2})", time or "")
    if not math.isfinite(seconds) or abs(seconds) > 3.2e11 or not dm or not tm:
        return ""
    y, mo, d = (int(v) for v in dm.groups())
    h, mi, s = (int(v) for v in tm.groups())
    if y < 1 or not 1 <= mo <= 12 or not 1 <= d <= 31 or not 0 <= h <= 23 or \
            not 0 <= mi <= 59 or not 0 <= s <= 60:
        return ""
    rounded = int(math.copysign(math.floor(abs(seconds) + 0.5), seconds))
    total = _days_from_civil(y, mo, d) * 86400 + h * 3600 + mi * 60 + s + rounded
    days, rest = divmod(total, 86400)
    try:
        day = datetime.date(1970, 1, 1) + datetime.timedelta(days=days)
    except OverflowError:
        return ""
    return "%04d-%02d-%02dT%02d:%02d:%02d" % (day.year, day.month, day.day, rest // 3600,
                                              rest // 60 % 60, rest % 60)


def _time_axis(t):
    axis = Obj().set("type", t["type"]).set("name", t["type_name"])
    if not 1 <= t["type"] <= 4:
        return axis
    calendar, equidistant = t["type"] in (3, 4), t["type"] in (1, 3)
    try:
        per_unit = units.convert(1.0, t["unit"], _SECOND)
    except (ValueError, TypeError):
        per_unit = None
    text_only = per_unit is None and bool(t["unit_name"])
    axis.set("unit", _unit(-1 if text_only else t["unit"], t["unit_name"]))
    if calendar:
        axis.set("start date", t["date"]).set("start time", t["time"])
    axis.set("start offset" if calendar else "start", t["start"])
    axis.set("step" if equidistant else "span", t["step"] if equidistant else t["span"])
    axis.set("steps", t["steps"]).set("first index", t["start_index"])
    if per_unit is None:
        return axis.set("seconds per unit", "unknown")

    def time_text(from_start):
        seconds = (t["start"] + from_start) * per_unit
        return _iso_time(t["date"], t["time"], seconds) if calendar else number_text(seconds)

    steps = t["steps"]
    last = "" if steps < 1 else time_text((steps - 1) * t["step"] if equidistant else t["span"])
    suffix = "" if calendar else " (s)"
    axis.set("seconds per unit", per_unit)
    axis.set("first time" + suffix, time_text(0.0) if steps > 0 else "")
    return axis.set("last time" + suffix, last)


def _last_step_problem(f):
    """A file cut short ends before the last item of the last step."""
    if f.steps < 1 or not f.items:
        return ""
    try:
        f.read(len(f.items), f.steps - 1)
    except Error as error:
        return ("cut short: the header counts %d time steps, and the last cannot be read: %s"
                % (f.steps, error.text))
    return ""


def describe(path):
    """The report of the data file at `path`, and a problem to report after
    it ("" when none)."""
    with dfs.open(path) as f:
        reader = f._reader
        h = reader.header()
        c = h["container"]
        container = Obj().set("created", c["created"]).set("edited", c["edited"])
        container.set("container version", c["container_version"])
        container.set("application version", c["application_version"])
        report = Obj().set("file", str(path)).set("kind", "data file")
        report.set("container", container).set("header", _header(h))
        report.set("time axis", _time_axis(reader.time_axis_as_shown()))
        delete_double = h["delete_values"]["double"]
        report.set("items", Lst(_item(d, d["number"], delete_double) for d in reader.items()))
        statics = Lst()
        for index, d in enumerate(reader.statics()):
            values = reader.read_static(index)
            statics.append(_item(d, index + 1).set("values", _summary(
                values, d["data_type"], h["delete_values"])))
        report.set("static items", statics)
        return report, _last_step_problem(f)
