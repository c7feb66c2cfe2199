"""xarray backend: ``xr.open_dataset(path, engine="koracore")``.

A data file becomes a dataset following the CF conventions (1.8): a `time`
coordinate (datetime64 for calendar axes, seconds for relative ones), `x`,
`y` (and `z`) coordinates from each item's axis, one variable per item
(named from the item, with `units` in UDUNITS spelling, `long_name` and
`_FillValue`, the file's delete value), static items as variables without
time, and a `crs` grid-mapping variable from the projection text. Values are
read lazily, one time step at a time.

Where the grid lies: the file keeps the longitude and latitude of the model
grid's origin and the grid's orientation, which koracore.crs turns into a
model grid. For a grid that is not rotated, `x` and `y` are projection
coordinates: the projected origin plus the axis coordinates. Otherwise they
are the grid's own coordinates, and the variables name no grid mapping.
Either way a projected grid gets `lon` and `lat`, the longitude and latitude
of every point, as auxiliary coordinates.
"""

import re

import numpy as np
import xarray as xr
from xarray.backends import BackendArray, BackendEntrypoint
from xarray.core import indexing

from . import crs, dfs
from .errors import ProjectionError

__all__ = ["KoracoreBackendEntrypoint", "to_dataset"]

_DIM_NAMES = {1: (), 2: ("x",), 3: ("point",), 5: ("y", "x"), 6: ("y", "x"), 8: ("z", "y", "x"),
              9: ("z", "y", "x"), 12: ("y", "x"), 13: ("z", "y", "x")}


class _StepArray(BackendArray):
    """An item's values over time, read one step at a time on demand."""

    def __init__(self, datafile, item):
        self.datafile, self.item = datafile, item
        self.shape = (datafile.steps,) + item.shape
        self.dtype = item.dtype

    def __getitem__(self, key):
        return indexing.explicit_indexing_adapter(key, self.shape,
                                                  indexing.IndexingSupport.BASIC, self._read)

    def _read(self, key):
        steps, rest = key[0], tuple(key[1:])
        if isinstance(steps, (int, np.integer)):
            return self.datafile.read(self.item, int(steps))[rest]
        chosen = range(self.shape[0])[steps]
        out = np.empty((len(chosen),) + self.item.shape, dtype=self.dtype)
        for i, step in enumerate(chosen):
            out[i] = self.datafile.read(self.item, step)
        return out[(slice(None),) + rest]


class _Grids:
    """Dimension names and coordinates of the items' axes: items on the same
    axis share them; another axis gets names with a number ("x_2")."""

    def __init__(self, datafile, placement):
        self.datafile, self.placement = datafile, placement
        self.axes, self.coords = [], {}

    def dims(self, axis):
        if axis.number not in _DIM_NAMES:
            return None
        if not _DIM_NAMES[axis.number]:
            return ()
        for known, names in self.axes:
            if known == axis:
                return names
        suffix = "" if not self.axes else "_%d" % (len(self.axes) + 1)
        names = tuple(n + suffix for n in _DIM_NAMES[axis.number])
        self.axes.append((axis, names))
        self._add_coords(axis, names)
        return names

    def _add_coords(self, axis, names):
        unit = axis.unit.udunits
        if axis.kind.startswith("Eq"):
            values = [axis.origin[n] + axis.step[n] * np.arange(axis.size[n], dtype=np.float64)
                      for n in range(len(names))]
            self._add_axis_coords(names, values, unit)
        elif axis.kind.startswith("Neq") and axis.kind != "NeqD1":
            values = [(edges[:-1] + edges[1:]) / 2 for edges in axis.coords[:len(names)]]
            self._add_axis_coords(names, values, unit)
        elif axis.kind == "NeqD1":
            points = axis.coords[0].astype(np.float64)
            for n, name in enumerate(("x", "y", "z")):
                self.coords[names[0] + "_" + name] = _no_fill(xr.Variable(names, points[:, n], {
                    "long_name": "%s of the point" % name, "units": unit}))
        else:
            self._add_cell_centres(axis, names, unit)

    def _add_cell_centres(self, axis, names, unit):
        for n, name in zip(range(len(names)), ("x", "y", "z")):
            corners = axis.coords[n]
            centres = sum(corners[tuple(slice(a, a + s - 1) for a, s in zip(offset, corners.shape))]
                          for offset in np.ndindex(*(2,) * corners.ndim)) / 2 ** corners.ndim
            self.coords[name + "c" + names[0][1:]] = _no_fill(xr.Variable(names, centres, {
                "long_name": "%s of the cell centre" % name, "units": unit}))

    def _add_axis_coords(self, names, values, unit):
        # names run z, y, x; values x, y, z.
        for name, axis_values in zip(reversed(names), values):
            self.coords[name] = self._coordinate(name, axis_values, unit)
        if len(names) >= 2:
            self._add_longitudes_latitudes(names[-2:], values[0], values[1])

    def _add_longitudes_latitudes(self, names, x, y):
        # Auxiliary coordinates (CF): where each point of a projected or
        # rotated grid lies on the globe.
        lonlat = self.placement.longitudes_latitudes(x, y)
        if lonlat is None:
            return
        suffix = names[-1][1:]
        for name, values, standard, unit in zip(("lon", "lat"), lonlat,
                                                ("longitude", "latitude"),
                                                ("degrees_east", "degrees_north")):
            self.coords[name + suffix] = _no_fill(xr.Variable(names, values, {
                "standard_name": standard, "long_name": standard, "units": unit}))

    def _coordinate(self, name, values, unit):
        direction = name[0]
        attrs = {"axis": direction.upper(), "units": unit}
        shift = self.placement.shift(direction) if direction in "xy" else None
        if shift is not None:
            values = values + shift
            attrs.update(self.placement.attrs(direction))
        else:
            attrs["long_name"] = "%s coordinate of the model grid" % direction
        return _no_fill(xr.Variable((name,), values, attrs))


class _Placement:
    """Where the model grid lies, as the projection library places it: the
    model grid itself (None without a projection, for the local grid or a
    text the library cannot read) and, for a grid that is not rotated, the
    projected origin that turns axis coordinates into projection ones."""

    def __init__(self, datafile):
        self.grid, self.origin, self.geographic = None, None, False
        if not datafile.projection:
            return
        try:
            if crs.is_local(datafile.projection):
                return
            self.grid = crs.Grid.of(datafile)
            self.geographic = crs.is_geographical(datafile.projection)
        except ProjectionError:
            self.grid = None
            return
        if not datafile.orientation:
            lon, lat = datafile.origin
            self.origin = (lon, lat) if self.geographic else self.grid.geo_to_proj(lon, lat)

    def shift(self, direction):
        return None if self.origin is None else self.origin["xy".index(direction)]

    def attrs(self, direction):
        if self.geographic:
            return {"standard_name": "longitude" if direction == "x" else "latitude",
                    "units": "degrees_east" if direction == "x" else "degrees_north"}
        return {"standard_name": "projection_%s_coordinate" % direction}

    def longitudes_latitudes(self, x, y):
        """Longitude and latitude of every point of a grid given by its x
        and y axis values (grid coordinates); None where x and y are
        longitude and latitude already or the grid is not georeferenced."""
        if self.grid is None or self.geographic:
            return None
        return self.grid.xy_to_geo(*np.meshgrid(x, y))


def _no_fill(variable):
    # Coordinates have no missing values; CF wants no _FillValue on them.
    variable.encoding["_FillValue"] = None
    return variable


def _crs_attrs(datafile):
    # A database name ("UTM-32") becomes the well-known text of its
    # definition, which is what CF readers and pyproj understand.
    try:
        wkt = crs.to_wkt(datafile.projection) or datafile.projection
    except ProjectionError:
        wkt = datafile.projection
    attrs = {}
    try:
        import pyproj

        attrs.update(pyproj.CRS.from_wkt(wkt).to_cf())
    except Exception:  # pyproj absent or the text not for it: keep the text itself
        pass
    attrs["crs_wkt"] = wkt
    attrs["spatial_ref"] = wkt
    if wkt != datafile.projection:
        attrs["koracore_projection"] = datafile.projection
    attrs["koracore_origin_longitude"], attrs["koracore_origin_latitude"] = datafile.origin
    attrs["koracore_orientation"] = datafile.orientation
    return attrs


def _variable_name(name, taken):
    base = re.sub(r"[^0-9A-Za-z_]+", "_", name.strip()).strip("_").lower() or "item"
    if base[0].isdigit():
        base = "item_" + base
    candidate, n = base, 2
    while candidate in taken:
        candidate, n = "%s_%d" % (base, n), n + 1
    taken.add(candidate)
    return candidate


def _item_attrs(item, datafile, mapped):
    attrs = {"long_name": item.name}
    if hasattr(item.unit, "udunits"):
        if item.unit.udunits is not None:
            attrs["units"] = item.unit.udunits
        attrs["koracore_unit"] = item.unit.name
    if hasattr(item.item_type, "name"):
        attrs["koracore_item_type"] = item.item_type.name
    delete = datafile._delete_value(item)
    if delete is not None:
        attrs["_FillValue"] = np.array(delete, dtype=item.dtype)
    if mapped:
        attrs["grid_mapping"] = "crs"
    return attrs


def _time_coordinate(datafile):
    times = datafile.times
    if datafile.time_axis.calendar:
        return _no_fill(xr.Variable(("time",), times, {"standard_name": "time", "axis": "T"}))
    unit = datafile.time_axis.unit
    seconds = hasattr(unit, "id") and unit.is_convertible_to("second")
    # "seconds" rather than "s": the spelling xarray and CF readers take for
    # a time span.
    return _no_fill(xr.Variable(("time",), times, {
        "long_name": "time", "axis": "T",
        "units": "seconds" if seconds else getattr(unit, "udunits", "1")}))


def to_dataset(datafile, drop_variables=()):
    """The dataset of an open koracore.DataFile (which it then owns), as
    stored: delete values in the data and `_FillValue` in the attributes,
    for xr.decode_cf to turn into NaN."""
    placement = _Placement(datafile)
    mapped = placement.origin is not None
    grids, variables, taken = _Grids(datafile, placement), {}, set()
    for item in datafile.items:
        dims = grids.dims(item.axis)
        name = _variable_name(item.name, taken)
        if dims is None or name in drop_variables:
            continue
        data = indexing.LazilyIndexedArray(_StepArray(datafile, item))
        variables[name] = xr.Variable(("time",) + dims, data, _item_attrs(item, datafile, mapped))
    for index, item in enumerate(datafile.static_items):
        dims = grids.dims(item.axis)
        name = _variable_name(item.name, taken)
        if dims is None or name in drop_variables:
            continue
        variables[name] = xr.Variable(dims, datafile.read_static(index),
                                      _item_attrs(item, datafile, mapped))
    coords = dict(grids.coords, time=_time_coordinate(datafile))
    if datafile.projection:
        variables["crs"] = xr.Variable((), np.int32(0), _crs_attrs(datafile))
    ds = xr.Dataset(variables, coords=coords, attrs={
        "Conventions": "CF-1.8", "title": datafile.title,
        "source": "%s, version %d" % (datafile.app_title, datafile.app_version),
        "history": "data file created %s; read with koracore" % datafile.created})
    ds.set_close(datafile.close)
    return ds


class KoracoreBackendEntrypoint(BackendEntrypoint):
    """Opens koracore data files in xarray. The CF decoding options of
    xr.open_dataset apply as for netCDF files: delete values become NaN
    (mask_and_scale), a relative time axis in seconds becomes timedelta64
    (decode_timedelta)."""

    description = "koracore data files, read lazily one time step at a time"
    open_dataset_parameters = ("filename_or_obj", "drop_variables", "mask_and_scale",
                               "decode_times", "decode_timedelta", "use_cftime",
                               "concat_characters", "decode_coords")

    def open_dataset(self, filename_or_obj, *, drop_variables=None, mask_and_scale=True,
                     decode_times=True, decode_timedelta=None, use_cftime=None,
                     concat_characters=True, decode_coords=True):
        datafile = dfs.open(filename_or_obj)
        try:
            raw = to_dataset(datafile, set(drop_variables or ()))
            ds = xr.decode_cf(raw, concat_characters=concat_characters,
                              mask_and_scale=mask_and_scale, decode_times=decode_times,
                              decode_coords=decode_coords, use_cftime=use_cftime,
                              decode_timedelta=decode_timedelta)
            ds.set_close(datafile.close)
            return ds
        except BaseException:
            datafile.close()
            raise

    def guess_can_open(self, filename_or_obj):
        try:
            with open(filename_or_obj, "rb") as f:
                # The container's magic, then the data files' identifier.
                return f.read(8) == b"OXA_DFS_"
        except (OSError, TypeError):
            return False
