"""koracore for Python: model result files as numpy arrays and xarray
datasets, units and item types, projections.

    import koracore
    with koracore.open("bay_result.dfs") as f:
        print(f.items)
        level = f.read("Water level", step=0, delete_as_nan=True)

    import xarray as xr
    ds = xr.open_dataset("bay_result.dfs", engine="koracore")

    from koracore import crs
    x, y = crs.Transformer("LONG/LAT", "UTM-32").transform(lon, lat)

The package loads the default unit table when it is imported (see
koracore.units.load for another one). Command line: python3 -m koracore.
"""

import warnings

from . import _data, _koracore, crs, units
from .axes import AXIS_KINDS, Axis, TimeAxis
from .dfs import DataFile, Item, Writer, create, open
from .errors import Error, FileFormatError, ProjectionError, UnitError

__all__ = ["open", "create", "DataFile", "Writer", "Item", "Axis", "TimeAxis", "AXIS_KINDS",
           "Error", "FileFormatError", "ProjectionError", "UnitError", "units", "crs"]
__version__ = "1.0.0"

# Every name and conversion needs the registry; one load per process.
if not units.table_path() and not units.load(_data.installed_file("QTY.xml") or ""):
    warnings.warn("koracore: the default unit table could not be loaded; load one with "
                  "koracore.units.load(path)", RuntimeWarning, stacklevel=2)
