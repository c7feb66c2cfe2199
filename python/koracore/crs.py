"""Projections, coordinate transformations and model grids.

Coordinate systems are named by projection texts, as everywhere in koracore:
the name of a definition of the database ("UTM-32", a state plane zone, a
national grid), well-known text (what a .prj file holds), "LONG/LAT" for
longitude/latitude and "NON-UTM" for a local grid whose coordinates are not
georeferenced. A `Projection` or a pyproj ``CRS`` is taken wherever a text
is.

"LONG/LAT" carries no datum: a transformation from or to it never shifts
datums (use `WGS84`, the well-known text of longitude/latitude on WGS 84,
for that).

    >>> from koracore import crs
    >>> t = crs.Transformer(crs.LONG_LAT, "UTM-32")
    >>> x, y = t.transform(9.0, 55.0)           # degrees in, metres out
    >>> lon, lat = t.transform(x, y, direction="inverse")
    >>> grid = crs.Grid("UTM-32", origin=(9.5, 55.2), orientation=30.0)
    >>> lon, lat = grid.xy_to_geo(np.arange(10) * 500.0, np.zeros(10))

Units: angles in decimal degrees, longitude before latitude; projected and
grid coordinates and heights in metres. Arrays of any shape go through the
library's whole-array calls with the interpreter lock released; scalars come
back as floats. A point that cannot be converted (outside the projection's
domain, latitude beyond 90 degrees, NaN) comes back as NaN.

The definitions database is read once per process, from the folder the
package found the unit table in, the first time it is needed (`setup` reads
another one). Objects of this module may convert from several threads at
once.
"""

import os
import threading
from dataclasses import dataclass

import numpy as np

from . import _data, _koracore
from .errors import ProjectionError

__all__ = ["LONG_LAT", "LOCAL", "WGS84", "default_folder", "setup", "definitions", "definition",
           "names", "ellipsoids", "Definition", "Projection", "Transformer", "Grid", "to_wkt", "to_proj4", "short_name",
           "utm_zone", "is_valid", "is_geographical", "is_local", "are_identical"]

LONG_LAT = "LONG/LAT"
LOCAL = "NON-UTM"
#: Longitude/latitude on WGS 84, as well-known text.
WGS84 = _koracore.wgs84_text()

_setup_lock = threading.Lock()


def default_folder():
    """The folder of the shipped definitions: the data folder of the prefix
    the package is installed in, else "" -- the libraries then look where
    they look for the unit table (KORACORE_DATA, KORA_HOME, the folder of
    the installation or build tree they were loaded from)."""
    installed = _data.installed_file("map_projection.rcf")
    return os.path.dirname(installed) if installed else _koracore.default_definitions_folder()


def setup(folder=None, custom_folder=None):
    """Reads the definitions database: the shipped files of `folder`
    (ellipsoid.rcf, map_projection.rcf, the state plane files) and a user's
    own definitions in `custom_folder` (custom_projection.rcf,
    custom_ellipsoid.rcf); missing files are skipped. By default
    `default_folder()` and ~/.koracore. The database is read once per
    process: returns True when this call read it, False when it was read
    already (then the folders are not read)."""
    if folder is None:
        folder = default_folder()
    if custom_folder is None:
        custom_folder = os.path.join(os.path.expanduser("~"), ".koracore")
    with _setup_lock:
        return _koracore.setup_projections(os.fspath(folder), os.fspath(custom_folder))


def _ready():
    if not _koracore.projections_set_up():
        setup()


def _text(crs):
    """The projection text of a text, a Projection or a pyproj CRS."""
    if isinstance(crs, str):
        return crs
    if isinstance(crs, Projection):
        return crs.text
    to_wkt = getattr(crs, "to_wkt", None)
    if to_wkt is not None:
        # pyproj.CRS: GDAL's text keeps the datum shift (TOWGS84), ESRI's,
        # what .prj files carry, names methods GDAL's lacks.
        _ready()
        for flavour in ("WKT1_GDAL", "WKT1_ESRI"):
            try:
                text = to_wkt(flavour)
            except Exception:  # pyproj cannot write this system in that flavour
                continue
            if text and _koracore.is_valid(text):
                return text
        raise ProjectionError("no well-known text of %s that koracore reads"
                              % (getattr(crs, "name", crs),))
    raise TypeError("a coordinate system is a projection text, a Projection or a pyproj CRS, "
                    "not %s" % type(crs).__name__)


def _made(kind, *args):
    try:
        return kind(*args)
    except ValueError as failure:
        raise ProjectionError(str(failure)) from None


def _coordinates(*values):
    """Float64 arrays of one shape, and whether every value was a scalar."""
    arrays = [np.asarray(v, dtype=np.float64) for v in values]
    scalar = all(a.ndim == 0 for a in arrays)
    try:
        arrays = np.broadcast_arrays(*arrays)
    except ValueError:
        raise ValueError("coordinate arrays of shapes %s do not broadcast"
                         % ", ".join(str(a.shape) for a in arrays)) from None
    return [np.ascontiguousarray(a) for a in arrays], scalar


def _converted(convert, *values):
    arrays, scalar = _coordinates(*values)
    results = convert(*arrays)
    return tuple(float(r) for r in results) if scalar else tuple(results)


@dataclass(frozen=True)
class Definition:
    """A definition of the database: its name, the branch it is listed
    under, the code of its ellipsoid, the kind of projection and its
    parameters as (label, value, unit) with unit "m", "deg" or ""."""

    name: str
    branch: str
    ellipsoid: str
    kind: str
    parameters: tuple
    custom: bool

    def __str__(self):
        return self.name

    @property
    def wkt(self):
        return to_wkt(self.name)

    @property
    def proj4(self):
        return to_proj4(self.name)


def definitions():
    """Every definition of the database, in its order: "LONG/LAT", the UTM
    zones, the shipped definitions, the user's own, "NON-UTM"."""
    _ready()
    return [Definition(d["name"], d["branch"], d["ellipsoid"], d["kind"],
                       tuple(tuple(p) for p in d["parameters"]), d["custom"])
            for d in _koracore.definitions()]


def names():
    """The names of every definition of the database."""
    return [d.name for d in definitions()]


def definition(name):
    """The definition of that name; ProjectionError when there is none."""
    for entry in definitions():
        if entry.name == name:
            return entry
    raise ProjectionError("no definition named %r" % (name,))


def ellipsoids():
    """The names of the ellipsoids of the database."""
    _ready()
    return _koracore.ellipsoids()


def to_wkt(crs, pretty=False):
    """The well-known text of a coordinate system ("" for the local grid);
    `pretty` indents it, one element a line."""
    text = Projection(crs).wkt
    return _koracore.readable_wkt(text) if pretty and text else text


def to_proj4(crs, towgs84=None):
    """The coordinate system as PROJ.4 terms ("+proj=utm +zone=32 ..."), ""
    where it has no PROJ form (the local grid, a rotated pole). towgs84:
    3 or 7 values of a datum shift to WGS 84 (m, arc-seconds, ppm) to write
    as +towgs84."""
    _ready()
    return _koracore.proj4(_text(crs), [] if towgs84 is None else [float(v) for v in towgs84])


def short_name(crs):
    """The display name of a coordinate system ("UTM-32", the PROJCS name)."""
    _ready()
    return _koracore.short_name(_text(crs))


def utm_zone(lon):
    """The name of the UTM definition whose zone holds the longitude."""
    return _koracore.utm_zone(float(lon))


def is_valid(crs):
    _ready()
    return bool(_koracore.is_valid(_text(crs)))


def is_geographical(crs):
    _ready()
    return bool(_koracore.is_geographical(_text(crs)))


def is_local(crs):
    _ready()
    return bool(_koracore.is_local(_text(crs)))


def are_identical(a, b):
    """Whether two texts describe the same coordinate system (projection,
    parameters, ellipsoid, datum shift and axes), however written."""
    _ready()
    return bool(_koracore.are_identical(_text(a), _text(b)))


class Projection:
    """A coordinate system resolved to its projection. ProjectionError
    (a ValueError) for a text that names none: an unknown name, well-known
    text the library cannot read, the bare "UTM"."""

    def __init__(self, crs):
        _ready()
        self._text = _text(crs)
        self._projection = _made(_koracore.Projection, self._text)

    def __repr__(self):
        return "Projection(%r)" % (self.name or self._text,)

    @property
    def name(self):
        return self._projection.name

    @property
    def text(self):
        """The text the projection was made from."""
        return self._text

    @property
    def wkt(self):
        """Its well-known text (a database name gives its definition's)."""
        return self._projection.text

    @property
    def proj4(self):
        return to_proj4(self._text)

    @property
    def is_geographical(self):
        return is_geographical(self._text)

    @property
    def is_local(self):
        return is_local(self._text)

    @property
    def origin(self):
        """Longitude and latitude of the projection's origin."""
        return self._projection.origin

    @property
    def default_area(self):
        """(x0, y0, x1, y1), the area the projection is meant for."""
        return self._projection.default_area

    def forward(self, lon, lat):
        """Projected x, y (m) of geographical points (degrees)."""
        return _converted(self._projection.forward, lon, lat)

    def inverse(self, x, y):
        """Longitude and latitude (degrees) of projected points (m)."""
        return _converted(self._projection.inverse, x, y)

    def convergence(self, lon, lat):
        """The grid convergence at geographical points, in degrees."""
        arrays, scalar = _coordinates(lon, lat)
        result = self._projection.convergence(*arrays)
        return float(result) if scalar else result


class Transformer:
    """Coordinates from one coordinate system to another, across geodetic
    datums (each system's shift to WGS 84, as its text gives it). A
    geographical system takes and gives longitude and latitude in degrees,
    a projected one x and y in metres; heights (z) are ellipsoidal heights in
    metres. With the local grid on either side coordinates pass unchanged."""

    def __init__(self, source, target):
        _ready()
        self.source, self.target = _text(source), _text(target)
        kind = 2 * is_geographical(self.source) + is_geographical(self.target)
        self._converter = _made(_koracore.DatumConverter, self.source, self.target, kind)

    def __repr__(self):
        return "Transformer(%r, %r)" % (short_name(self.source) or self.source,
                                        short_name(self.target) or self.target)

    @property
    def datum_shift(self):
        """Whether conversions go through the earth-centred datum step
        (False when both systems share ellipsoid and shift)."""
        return not self._converter.bypassed

    def transform(self, x, y, z=None, direction="forward"):
        """(x, y) or (x, y, z) in the target system; with direction
        "inverse", from the target system to the source."""
        if str(direction).lower() not in ("forward", "inverse"):
            raise ValueError('direction is "forward" or "inverse", not %r' % (direction,))
        inverse = str(direction).lower() == "inverse"
        if z is None:
            return _converted(lambda a, b: self._converter.convert(inverse, a, b), x, y)
        return _converted(lambda a, b, c: self._converter.convert_with_height(inverse, a, b, c),
                          x, y, z)


class Grid:
    """A model grid: a projection with a local Cartesian grid whose origin
    lies at `origin` (longitude, latitude) and whose y axis points
    `orientation` degrees clockwise from true north there. Converts between
    geographical (lon, lat), projected (X, Y) and grid (x, y) points. The
    bare "UTM" takes the zone of the origin."""

    def __init__(self, crs, origin=(0.0, 0.0), orientation=0.0):
        _ready()
        self.text = _text(crs)
        self.origin = (float(origin[0]), float(origin[1]))
        self.orientation = float(orientation)
        self._grid = _made(_koracore.Cartography, self.text, self.origin[0], self.origin[1],
                           self.orientation)

    @classmethod
    def of(cls, datafile):
        """The model grid of a data file (koracore.open), from its projection
        text, origin and orientation."""
        if not datafile.projection:
            raise ProjectionError("%s has no projection" % (datafile.path,))
        return cls(datafile.projection, datafile.origin, datafile.orientation or 0.0)

    def __repr__(self):
        return "Grid(%r, origin=%r, orientation=%r)" % (self.name or self.text, self.origin,
                                                       self.orientation)

    @property
    def name(self):
        return self._grid.name

    @property
    def projection_north(self):
        """The angle of the grid's y axis from projection north, degrees."""
        return self._grid.projection_north

    def true_north(self, x, y):
        """The angle of the grid's y axis from true north at grid points."""
        arrays, scalar = _coordinates(x, y)
        result = self._grid.true_north(*arrays)
        return float(result) if scalar else result

    def xy_to_geo(self, x, y):
        return _converted(self._grid.xy_to_geo, x, y)

    def geo_to_xy(self, lon, lat):
        return _converted(self._grid.geo_to_xy, lon, lat)

    def xy_to_proj(self, x, y):
        return _converted(self._grid.xy_to_proj, x, y)

    def proj_to_xy(self, x, y):
        return _converted(self._grid.proj_to_xy, x, y)

    def geo_to_proj(self, lon, lat):
        return _converted(self._grid.geo_to_proj, lon, lat)

    def proj_to_geo(self, x, y):
        return _converted(self._grid.proj_to_geo, x, y)
