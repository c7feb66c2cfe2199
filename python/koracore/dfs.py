"""Data files as numpy arrays.

    >>> import koracore
    >>> with koracore.open("bay_result.dfs") as f:
    ...     level = f.read("Water level", step=12, delete_as_nan=True)
    ...     f.times[12]
    numpy.datetime64('2024-11-01T12:00:00.000000000')

`open` reads the header (file type, titles, delete values, projection,
time axis, items, static items) and reads values on request, straight into
the buffer of a new numpy array. `create` writes a file from numpy arrays,
step by step. Both close on `with` exit and when garbage collected. Items
are numbered from 1, as the library numbers them, or named; steps from 0.
"""

import os
from dataclasses import dataclass, field

import numpy as np

from . import _koracore, units
from .axes import Axis, TimeAxis

__all__ = ["open", "create", "DataFile", "Writer", "Item"]

#: numpy types of the library's simple types 1..7.
DTYPES = {1: np.dtype(np.float32), 2: np.dtype(np.float64), 3: np.dtype(np.uint8),
          4: np.dtype(np.int32), 5: np.dtype(np.uint32), 6: np.dtype(np.int16),
          7: np.dtype(np.uint16)}
_SIMPLE_TYPES = {dtype: code for code, dtype in DTYPES.items()}
_DELETE_KEYS = {1: "float", 2: "double", 3: "byte", 4: "int", 5: "unsigned"}

# File types: equidistant and not, fixed and time-varying space.
_FILE_TYPES = {(True, False): 1, (True, True): 2, (False, False): 4, (False, True): 16}


@dataclass(eq=False)
class Item:
    """A stored quantity: name, item type, unit, numpy type and spatial
    axis. Describe new items with the first five fields; items of an open
    file also carry their number (1-based; 0 for static items), names from
    the units registry and the item-wide statistics."""

    name: str
    item_type: object
    unit: object
    axis: Axis = field(default_factory=Axis.eq0)
    dtype: object = np.float32
    value_type: int = 0
    number: int = 0
    minimum: float = None
    maximum: float = None
    missing: int = None

    def __post_init__(self):
        self.item_type = units.item_type(self.item_type)
        self.unit = units.find(self.unit)
        self.dtype = np.dtype(self.dtype)
        if self.dtype not in _SIMPLE_TYPES:
            raise TypeError("items hold float32, float64, uint8, int32, uint32, int16 or "
                            "uint16 values, not %s" % self.dtype)

    @property
    def shape(self):
        return self.axis.shape

    def __repr__(self):
        return "Item(%r, %r, %r, %r, %s)" % (self.name, self.item_type.name, str(self.unit),
                                             self.axis, self.dtype)

    def _spec(self):
        return {"name": self.name, "item_type": self.item_type.id, "unit": self.unit.id,
                "data_type": _SIMPLE_TYPES[self.dtype], "value_type": self.value_type,
                "axis": self.axis._spec()}

    @classmethod
    def _from_spec(cls, d):
        # An item stored with a unit the registry does not know keeps the
        # unit id; it reads as it is, only conversions need the registry.
        item = cls.__new__(cls)
        item.name, item.number, item.value_type = d["name"], d["number"], d["value_type"]
        item.item_type = _known(units.item_type, d["item_type"])
        item.unit = _known(units.find, d["unit"])
        item.axis = Axis._from_spec(d["axis"])
        item.dtype = DTYPES[d["data_type"]]
        item.minimum, item.maximum = d.get("minimum"), d.get("maximum")
        item.missing = d.get("missing")
        return item


def _known(lookup, key):
    try:
        return lookup(key)
    except ValueError:
        return key


class DataFile:
    """An open data file. Use `open`."""

    def __init__(self, path):
        self.path = os.fspath(path)
        self._reader = _koracore.DataFileReader(self.path)
        header = self._reader.header()
        self.file_type = header["file_type"]
        self.file_type_name = header["file_type_name"]
        self.title = header["title"]
        self.app_title = header["app_title"]
        self.app_version = header["app_version"]
        self.created = header["created"]
        self.delete_values = dict(header["delete_values"])
        self.delete_values["float"] = np.float32(self.delete_values["float"])
        projection = header["projection"] or {}
        #: The projection text (well-known text), None when the file has none.
        self.projection = projection.get("text")
        #: Longitude and latitude of the model grid's origin, and the grid's
        #: orientation in degrees; None without a projection.
        self.origin = (projection["longitude"], projection["latitude"]) if projection else None
        self.orientation = projection.get("orientation")
        self._time = header["time"]
        self.time_axis = _time_axis(self._time)
        self.items = [Item._from_spec(d) for d in self._reader.items()]
        self.static_items = [Item._from_spec(d) for d in self._reader.statics()]
        self._times = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        self._reader.close()

    @property
    def closed(self):
        return self._reader.closed

    @property
    def steps(self):
        """The number of time steps."""
        return self.time_axis.steps

    @property
    def times(self):
        """The time of every step: datetime64[ns] for calendar axes, seconds
        (float64) for relative axes whose unit is a time unit."""
        if self._times is None:
            self._times = _step_times(self._time, self.time_axis, self._reader)
        return self._times

    def item(self, item):
        """An item by number (1-based), name or Item."""
        return _lookup(self.items, item, "item")

    def static_item(self, item):
        """A static item by position (0-based), name or Item."""
        if isinstance(item, (int, np.integer)) and not isinstance(item, bool):
            if not 0 <= item < len(self.static_items):
                raise IndexError("no static item %d" % item)
            return self.static_items[item]
        return _lookup(self.static_items, item, "static item")

    def read(self, item, step=None, *, unit=None, delete_as_nan=False):
        """The values of one step (an array of the item's shape), or of all
        steps (`step` None; the steps along the first axis). With `unit` the
        library converts them on the way (float and double items). With
        `delete_as_nan` elements equal to the delete value become NaN;
        integer items then come back as float64."""
        item = self.item(item)
        if step is not None:
            step = _step_index(step, self.steps)
        unit_id = _conversion_unit(item, unit)
        values = self._reader.read(item.number, -1 if step is None else step, unit_id,
                                   delete_as_nan)
        return _integer_nan(values, self._delete_value(item)) if delete_as_nan else values

    def read_static(self, item, *, unit=None, delete_as_nan=False):
        """The values of a static item (by position from 0, or by name)."""
        index = self.static_items.index(self.static_item(item))
        item = self.static_items[index]
        values = self._reader.read_static(index, _conversion_unit(item, unit), delete_as_nan)
        return _integer_nan(values, self._delete_value(item)) if delete_as_nan else values

    def _delete_value(self, item):
        return self.delete_values.get(_DELETE_KEYS.get(_SIMPLE_TYPES[item.dtype]))

    def __repr__(self):
        return "<koracore.DataFile %r: %d items, %d steps%s>" % (
            self.path, len(self.items), self.steps, " (closed)" if self.closed else "")


def open(path):  # noqa: A001 - the package's entry point, as io.open
    """Opens a data file for reading. Raises FileNotFoundError for a missing
    file and koracore.FileFormatError (a ValueError) for a file that is not
    a data file or is damaged."""
    return DataFile(path)


def _lookup(items, key, what):
    if isinstance(key, Item):
        key = key.name if key.number == 0 else key.number
    if isinstance(key, (int, np.integer)) and not isinstance(key, bool):
        if not 1 <= key <= len(items):
            raise IndexError("no %s %d (items are numbered 1..%d)" % (what, key, len(items)))
        return items[key - 1]
    for item in items:
        if item.name == key:
            return item
    raise KeyError("no %s named %r" % (what, key))


def _step_index(step, steps):
    step = int(step)
    if step < 0:
        step += steps
    if not 0 <= step < steps:
        raise IndexError("step %d outside 0..%d" % (step, steps - 1))
    return step


def _conversion_unit(item, unit):
    if unit is None:
        return 0
    if item.dtype not in (np.float32, np.float64):
        raise ValueError("only float and double items are converted, %r holds %s"
                         % (item.name, item.dtype))
    return units.find(unit).id


def _integer_nan(values, delete_value):
    if values.dtype.kind == "f":
        return values
    result = values.astype(np.float64)
    result[values == delete_value] = np.nan
    return result


def _time_axis(t):
    if t["type"] in (3, 4):
        base = np.datetime64("%sT%s" % (t["date"], t["time"]), "ns")
        unit = _known(units.find, t["unit"])
        axis = TimeAxis(True, base, t["step"], unit, t["steps"], t["start_index"])
        start = base + _nanoseconds(axis.seconds(t["start"]))
        return TimeAxis(True, start, t["step"], unit, t["steps"], t["start_index"])
    if t["type"] in (1, 2):
        return TimeAxis(False, t["start"], t["step"], _known(units.find, t["unit"]), t["steps"],
                        t["start_index"])
    return TimeAxis(False, 0.0, None, _known(units.find, t["unit"]) or 1400, t["steps"])


def _nanoseconds(seconds):
    return np.round(np.asarray(seconds, dtype=np.float64) * 1e9).astype("timedelta64[ns]")


def _step_times(t, axis, reader):
    """The times of all steps: equidistant axes by their step, the others
    from the step tags in the file."""
    if axis.equidistant:
        written = t["start"] + np.arange(axis.steps, dtype=np.float64) * axis.step
    else:
        written = reader.step_times()
    if not axis.calendar:
        return axis.seconds(written)
    base = np.datetime64("%sT%s" % (t["date"], t["time"]), "ns")
    return base + _nanoseconds(axis.seconds(written))


class Writer:
    """A data file being written. Use `create`."""

    def __init__(self, path, items, time_axis, spec, statics):
        self.path = os.fspath(path)
        self.items, self.time_axis = list(items), time_axis
        self.delete_values = spec["delete_values"]
        self._writer = _koracore.DataFileWriter(self.path, spec)
        try:
            for item, values in statics:
                self.write_static(item, values)
        except BaseException:
            self._writer.close()
            raise

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    @property
    def closed(self):
        return self._writer.closed

    @property
    def steps_written(self):
        return self._writer.steps_written

    def write_static(self, item, values):
        """Writes a static item (before the first time step)."""
        self._writer.write_static(item._spec(), self._prepare(item, values))

    def write_step(self, values, time=None):
        """Writes one time step: an array per item (a list in item order, a
        dict by item name, or one array for a file of one item). `time` is
        needed by non-equidistant axes: a datetime64 (calendar axes), a
        timedelta64, or a number in the axis unit. NaN in float values is
        written as the file's delete value."""
        if isinstance(values, dict):
            values = [values[item.name] for item in self.items]
        elif isinstance(values, np.ndarray) or not isinstance(values, (list, tuple)):
            values = [values]
        if len(values) != len(self.items):
            raise ValueError("a time step takes %d arrays, one per item" % len(self.items))
        if time is None and not self.time_axis.equidistant:
            raise ValueError("steps of a non-equidistant time axis need their time")
        offset = 0.0 if time is None else self.time_axis.offset_of(time)
        arrays = [self._prepare(item, v) for item, v in zip(self.items, values)]
        self._writer.write_step(arrays, offset)

    def close(self):
        """Brings the header up to date and closes the file."""
        self._writer.close()

    def _prepare(self, item, values):
        array = np.asarray(values, dtype=item.dtype, order="C")
        if array.shape != item.shape:
            raise ValueError("%r takes arrays of shape %s, not %s" % (item.name, item.shape,
                                                                       array.shape))
        if array.dtype.kind == "f":
            missing = np.isnan(array)
            if missing.any():
                array = np.where(missing, self.delete_values[_DELETE_KEYS[_SIMPLE_TYPES[
                    item.dtype]]], array).astype(item.dtype)
        return array

    def __repr__(self):
        return "<koracore.Writer %r: %d items, %d steps written%s>" % (
            self.path, len(self.items), self.steps_written, " (closed)" if self.closed else "")


def create(path, items, time, *, title="", app_title="koracore", app_version=1,
           projection=None, origin=(0.0, 0.0), orientation=0.0, delete_values=None,
           statistics=False, statics=()):
    """Creates a data file and returns a Writer for its time steps.

    items: Item descriptions, in order. time: a TimeAxis. projection: the
    projection text (well-known text) with the longitude and latitude of the
    model grid's origin and its orientation in degrees. delete_values: a
    dict with any of "float", "double", "byte", "int", "unsigned" (the
    library's defaults otherwise). statistics: also keep the nine running
    statistics of every element. statics: (Item, values) pairs written
    before the first step."""
    items = list(items)
    varying = any(item.axis.kind.startswith("Tvar") for item in items)
    spec = {
        "file_type": _FILE_TYPES[(time.equidistant, varying)],
        "title": title, "app_title": app_title, "app_version": int(app_version),
        "statistics_type": 2 if statistics else 1,
        "delete_values": dict(_default_delete_values(), **(delete_values or {})),
        "projection": None if projection is None else {
            "text": projection, "longitude": float(origin[0]), "latitude": float(origin[1]),
            "orientation": float(orientation)},
        "time": time._spec(),
        "items": [item._spec() for item in items],
    }
    return Writer(path, items, time, spec, statics)


def _default_delete_values():
    return {"float": np.float32(-1e-35), "double": -1e-255, "byte": 0, "int": 2147483647,
            "unsigned": 2147483647}
