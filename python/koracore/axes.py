"""Spatial axes of items and time axes of data files.

An `Axis` says how many values one time step of an item holds and where
they lie; its `shape` is the numpy shape of those values, x varying fastest
(so a 2-D axis of nx by ny cells gives arrays of shape (ny, nx)). A
`TimeAxis` says when the steps are: calendar axes start at a date and time,
relative axes count from a start time; either is equidistant or not.
"""

from dataclasses import dataclass, field

import numpy as np

from . import units

__all__ = ["Axis", "TimeAxis", "AXIS_KINDS"]

#: The library's numbering of the spatial axes.
AXIS_KINDS = {1: "EqD0", 2: "EqD1", 3: "NeqD1", 4: "TvarD1", 5: "EqD2", 6: "NeqD2",
              7: "TvarD2", 8: "EqD3", 9: "NeqD3", 10: "TvarD3", 11: "EqD4",
              12: "CurveLinearD2", 13: "CurveLinearD3"}
_KIND_NUMBERS = {name: number for number, name in AXIS_KINDS.items()}


@dataclass(frozen=True, eq=False)
class Axis:
    """A spatial axis. `size` counts elements along x, y, z (and t) as far
    as the axis has them; equidistant axes have an `origin` and a `step` per
    direction, the others `coords`: the x, y, z of each point (NeqD1, one
    array of shape (n, 3)), the cell edges per direction (NeqD2, NeqD3), or
    the corners of every cell (curvilinear axes, one array per direction in
    the shape of the corner grid). Make one with the class methods."""

    kind: str
    size: tuple = ()
    unit: units.Unit = field(default_factory=lambda: units.find("meter"))
    origin: tuple = ()
    step: tuple = ()
    coords: tuple = ()

    def __post_init__(self):
        if self.kind not in _KIND_NUMBERS:
            raise ValueError("unknown axis kind %r" % (self.kind,))
        object.__setattr__(self, "unit", units.find(self.unit))
        object.__setattr__(self, "size", tuple(int(n) for n in self.size))
        object.__setattr__(self, "origin", tuple(float(v) for v in self.origin))
        object.__setattr__(self, "step", tuple(float(v) for v in self.step))
        object.__setattr__(self, "coords", tuple(np.asarray(c) for c in self.coords))

    # ---- constructors -----------------------------------------------------

    @classmethod
    def eq0(cls, unit="meter"):
        """A single value (a point series)."""
        return cls("EqD0", (), unit)

    @classmethod
    def eq1(cls, nx, dx=1.0, x0=0.0, unit="meter"):
        return cls("EqD1", (nx,), unit, (x0,), (dx,))

    @classmethod
    def eq2(cls, nx, ny, dx=1.0, dy=1.0, x0=0.0, y0=0.0, unit="meter"):
        return cls("EqD2", (nx, ny), unit, (x0, y0), (dx, dy))

    @classmethod
    def eq3(cls, nx, ny, nz, dx=1.0, dy=1.0, dz=1.0, x0=0.0, y0=0.0, z0=0.0, unit="meter"):
        return cls("EqD3", (nx, ny, nz), unit, (x0, y0, z0), (dx, dy, dz))

    @classmethod
    def neq1(cls, points, unit="meter"):
        """Points given by their x, y, z: an array of shape (n, 3)."""
        points = np.asarray(points, dtype=np.float32).reshape(-1, 3)
        return cls("NeqD1", (len(points),), unit, coords=(points,))

    @classmethod
    def neq2(cls, x_edges, y_edges, unit="meter"):
        """Cells between the given edges: nx + 1 and ny + 1 coordinates."""
        edges = [np.asarray(e, dtype=np.float64) for e in (x_edges, y_edges)]
        return cls("NeqD2", tuple(len(e) - 1 for e in edges), unit, coords=tuple(edges))

    @classmethod
    def neq3(cls, x_edges, y_edges, z_edges, unit="meter"):
        edges = [np.asarray(e, dtype=np.float64) for e in (x_edges, y_edges, z_edges)]
        return cls("NeqD3", tuple(len(e) - 1 for e in edges), unit, coords=tuple(edges))

    @classmethod
    def curvilinear2(cls, x_corners, y_corners, unit="meter"):
        """Cells of a curved grid by their corners: arrays of shape
        (ny + 1, nx + 1)."""
        x, y = (np.asarray(c, dtype=np.float64) for c in (x_corners, y_corners))
        return cls("CurveLinearD2", (x.shape[1] - 1, x.shape[0] - 1), unit, coords=(x, y))

    @classmethod
    def curvilinear3(cls, x_corners, y_corners, z_corners, unit="meter"):
        """Corners as arrays of shape (nz + 1, ny + 1, nx + 1)."""
        c = [np.asarray(a, dtype=np.float64) for a in (x_corners, y_corners, z_corners)]
        nz, ny, nx = (n - 1 for n in c[0].shape)
        return cls("CurveLinearD3", (nx, ny, nz), unit, coords=tuple(c))

    @classmethod
    def tvar(cls, *size, unit="meter"):
        """An axis whose element positions change with time (1 to 3 sizes)."""
        return cls("TvarD%d" % len(size), size, unit)

    # ---- facts ------------------------------------------------------------

    @property
    def number(self):
        """The library's number of the axis kind (1..13)."""
        return _KIND_NUMBERS[self.kind]

    @property
    def dimension(self):
        return len(self.size)

    @property
    def shape(self):
        """The numpy shape of one step's values."""
        return tuple(reversed(self.size))

    @property
    def elements(self):
        return int(np.prod(self.size, dtype=np.int64))

    def __eq__(self, other):
        if not isinstance(other, Axis):
            return NotImplemented
        return (self.kind, self.size, self.unit, self.origin, self.step) == (
            other.kind, other.size, other.unit, other.origin, other.step) and len(
                self.coords) == len(other.coords) and all(
                    np.array_equal(a, b) for a, b in zip(self.coords, other.coords))

    __hash__ = None

    def __repr__(self):
        parts = ["%r" % self.kind, "size=%r" % (self.size,), "unit=%r" % str(self.unit)]
        if self.origin:
            parts += ["origin=%r" % (self.origin,), "step=%r" % (self.step,)]
        return "Axis(%s)" % ", ".join(parts)

    def _spec(self):
        return {"type": self.number, "unit": self.unit.id, "size": list(self.size),
                "origin": list(self.origin), "step": list(self.step),
                "coords": [np.ascontiguousarray(c) for c in self.coords]}

    @classmethod
    def _from_spec(cls, d):
        # Coordinates of a float origin or step are float32 in the file:
        # keep them as the file has them.
        return cls(AXIS_KINDS.get(d["type"], "EqD0"), d["size"], d["unit"] or "meter",
                   d["origin"], d["step"], d["coords"])


_CALENDAR_TYPES = {True: 3, False: 4}
_RELATIVE_TYPES = {True: 1, False: 2}
_SECOND = 1400  # the second, in every unit table


@dataclass(frozen=True)
class TimeAxis:
    """The time axis of a data file.

    Calendar axes have a numpy datetime64 `start`; relative axes a start
    time (a number in `unit`). Equidistant axes have a `step` in `unit`;
    the others take each step's time as it is written. `steps` is the
    number of time steps a file holds."""

    calendar: bool
    start: object
    step: float = None
    unit: units.Unit = field(default_factory=lambda: units.find(_SECOND))
    steps: int = 0
    start_index: int = 0

    def __post_init__(self):
        object.__setattr__(self, "unit", units.find(self.unit))
        if self.calendar:
            object.__setattr__(self, "start", np.datetime64(self.start, "ns"))
        else:
            object.__setattr__(self, "start", float(self.start))
        if self.step is not None:
            object.__setattr__(self, "step", float(self.step))

    @classmethod
    def calendar_axis(cls, start, step=None, unit="second", start_index=0):
        """Steps at `start` + k * `step` (equidistant), or, without a step,
        at the times given as the steps are written."""
        return cls(True, start, step, unit, 0, start_index)

    @classmethod
    def relative_axis(cls, start=0.0, step=None, unit="second", start_index=0):
        """Times counted in `unit` from `start`, equidistant with a step."""
        return cls(False, start, step, unit, 0, start_index)

    @property
    def equidistant(self):
        return self.step is not None

    @property
    def number(self):
        """The library's number of the axis type (1..4)."""
        types = _CALENDAR_TYPES if self.calendar else _RELATIVE_TYPES
        return types[self.equidistant]

    def seconds(self, values):
        """Values in the axis unit as seconds (unchanged when the unit is no
        time unit)."""
        values = np.asarray(values, dtype=np.float64)
        if not self.unit.is_convertible_to(_SECOND):
            return values
        return units.convert(values, self.unit, _SECOND)

    def from_seconds(self, seconds):
        if not self.unit.is_convertible_to(_SECOND):
            return float(seconds)
        return units.convert(float(seconds), _SECOND, self.unit)

    def offset_of(self, time):
        """A step time as written to the file: a number in the axis unit,
        from a number (taken as is), a datetime64 (calendar axes) or a
        timedelta64."""
        if isinstance(time, np.timedelta64):
            return self.from_seconds(time / np.timedelta64(1, "s"))
        if self.calendar and isinstance(time, (np.datetime64, str)):
            base = self.start.astype("datetime64[s]")
            return self.from_seconds((np.datetime64(time, "ns") - base) / np.timedelta64(1, "s"))
        return float(time)

    def _spec(self):
        spec = {"type": self.number, "unit": self.unit.id, "start_index": self.start_index,
                "step": self.step if self.equidistant else 0.0}
        if not self.calendar:
            spec["start"] = self.start
            return spec
        whole = self.start.astype("datetime64[s]")
        text = str(whole)
        spec["date"], spec["time"] = text[:10], text[11:19]
        # The file keeps whole seconds in the date and time; the rest goes
        # into the start offset.
        spec["start"] = self.from_seconds((self.start - whole) / np.timedelta64(1, "s"))
        return spec
