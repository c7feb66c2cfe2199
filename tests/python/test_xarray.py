"""The xarray backend: the demo's result file as a CF dataset, written to
netCDF and read back."""

import shutil
import subprocess

import netCDF4
import numpy as np
import pytest
import xarray as xr

import koracore
from conftest import grid_item


@pytest.fixture()
def bay(demo_files):
    return demo_files[0]


def test_the_backend_is_registered_and_recognises_data_files(bay, tmp_path):
    assert "koracore" in xr.backends.list_engines()
    with xr.open_dataset(bay) as ds:  # no engine named: the backend claims the file
        assert "water_level" in ds
    text = tmp_path / "other.dfs"
    text.write_text("not a data file")
    assert not xr.backends.list_engines()["koracore"].guess_can_open(str(text))


def test_dataset_follows_the_cf_conventions(bay):
    with xr.open_dataset(bay, engine="koracore") as ds, koracore.open(bay) as f:
        assert ds.attrs["Conventions"] == "CF-1.8"
        assert ds.attrs["title"] == f.title
        np.testing.assert_array_equal(ds.time.values, f.times)
        level = ds.water_level
        assert level.dims == ("time", "y", "x")
        assert level.attrs["units"] == "m" and level.attrs["long_name"] == "Water level"
        assert level.encoding["_FillValue"] == np.float32(-1e-35)
        assert level.attrs["grid_mapping"] == "crs"
        assert ds.water_temperature.attrs["units"] == "degC"
        assert ds.current_speed.attrs["units"] == "m/s"
        assert ds.bathymetry.dims == ("y", "x")
        crs = ds.crs.attrs
        assert crs["grid_mapping_name"] == "transverse_mercator"
        assert crs["crs_wkt"] == f.projection
        assert ds.x.attrs["standard_name"] == "projection_x_coordinate"


def test_grid_coordinates_are_the_projected_origin_plus_the_axis(bay):
    pyproj = pytest.importorskip("pyproj")
    to_utm = pyproj.Transformer.from_crs("EPSG:4326", "EPSG:32632", always_xy=True)
    with xr.open_dataset(bay, engine="koracore") as ds, koracore.open(bay) as f:
        east, north = to_utm.transform(*f.origin)
        np.testing.assert_allclose(ds.x.values, east + 50.0 * np.arange(200), atol=1e-6)
        np.testing.assert_allclose(ds.y.values, north + 50.0 * np.arange(150), atol=1e-6)


def test_values_are_read_lazily_one_step_at_a_time(bay, monkeypatch):
    steps_read = []
    original = koracore.DataFile.read

    def counting(self, item, step=None, **options):
        steps_read.append(step)
        return original(self, item, step, **options)

    monkeypatch.setattr(koracore.DataFile, "read", counting)
    with xr.open_dataset(bay, engine="koracore") as ds, koracore.open(bay) as f:
        assert steps_read == []
        seventh = ds.water_level.isel(time=7).values
        assert steps_read == [7]
        expected = original(f, 1, 7, delete_as_nan=True)
        np.testing.assert_array_equal(seventh, expected)
        corner = ds.current_speed.isel(time=slice(2, 5), x=0, y=slice(0, 2)).values
        np.testing.assert_array_equal(corner, original(f, 2, delete_as_nan=True)[2:5, 0:2, 0])


def test_written_to_netcdf_and_read_back_with_equal_values(bay, tmp_path):
    out = tmp_path / "bay.nc"
    with xr.open_dataset(bay, engine="koracore") as ds:
        ds.isel(time=slice(0, 6)).to_netcdf(out)
    with koracore.open(bay) as f, netCDF4.Dataset(out) as nc:
        assert nc.Conventions == "CF-1.8"
        level = nc["water_level"]
        assert (level.units, level.grid_mapping) == ("m", "crs")
        assert nc["crs"].grid_mapping_name == "transverse_mercator"
        assert not hasattr(nc["x"], "_FillValue")
        for name, number in (("water_level", 1), ("water_temperature", 3)):
            np.testing.assert_array_equal(nc[name][:].filled(np.nan),
                                          f.read(number, delete_as_nan=True)[:6])
        np.testing.assert_array_equal(nc["bathymetry"][:], f.read_static(0))
    with xr.open_dataset(out) as back, koracore.open(bay) as f:
        np.testing.assert_array_equal(back.time.values, f.times[:6])
    ncdump = shutil.which("ncdump")
    if ncdump:
        header = subprocess.run([ncdump, "-h", str(out)], capture_output=True, text=True,
                                check=True).stdout
        assert 'water_level:units = "m" ;' in header
        assert 'water_level:grid_mapping = "crs" ;' in header
        assert ':Conventions = "CF-1.8" ;' in header


def test_relative_time_and_points_without_projection(tmp_path):
    axis = koracore.TimeAxis.relative_axis(0.0, 30.0, "minute")
    station = koracore.Item("Discharge", "Discharge", "m^3/s")
    points = koracore.Item("Depth", "Water Depth", "m", koracore.Axis.neq1([[0, 0, 0], [5, 1, 0]]))
    with koracore.create(tmp_path / "r.dfs", [station, points, grid_item()], axis) as w:
        for k in range(3):
            w.write_step([np.float32(k), np.array([k, -k], np.float32), np.full((3, 4), k)])
    with xr.open_dataset(tmp_path / "r.dfs", engine="koracore") as ds:
        # Seconds of a relative axis decode as time spans, as in netCDF files.
        np.testing.assert_array_equal(ds.time.values, np.array([0, 30, 60], "timedelta64[m]"))
        assert ds.discharge.dims == ("time",) and ds.discharge.attrs["units"] == "m3/s"
        assert ds.depth.dims == ("time", "point")
        np.testing.assert_array_equal(ds.point_x.values, [0.0, 5.0])
        assert ds.water_level.dims == ("time", "y_2", "x_2")
        assert "crs" not in ds and "grid_mapping" not in ds.water_level.attrs
        assert ds.x_2.attrs["long_name"] == "x coordinate of the model grid"
        np.testing.assert_array_equal(ds.depth.values[2], [2.0, -2.0])
    with xr.open_dataset(tmp_path / "r.dfs", engine="koracore", decode_timedelta=False) as ds:
        np.testing.assert_array_equal(ds.time.values, [0.0, 1800.0, 3600.0])
        assert ds.time.attrs["units"] == "seconds"


def test_each_kind_of_grid_gets_its_own_dimensions(tmp_path):
    axis = koracore.Axis
    x, y = np.meshgrid(np.arange(4.0), np.arange(3.0) * 2)
    items = [koracore.Item("Curved", "Water Level", "m", axis.curvilinear2(x, y)),
             koracore.Item("Layered", "Water Level", "m", axis.eq3(4, 3, 2, dz=0.5)),
             koracore.Item("Stretched", "Water Level", "m", axis.neq2([0, 1, 3, 7], [0, 2, 5]))]
    with koracore.create(tmp_path / "g.dfs", items,
                         koracore.TimeAxis.calendar_axis("2020-01-01", 60.0)) as w:
        for k in range(2):
            w.write_step([np.full(item.shape, k, np.float32) for item in items])
    with xr.open_dataset(tmp_path / "g.dfs", engine="koracore") as ds:
        assert ds.curved.dims == ("time", "y", "x")
        np.testing.assert_array_equal(ds.xc.values, [[0.5, 1.5, 2.5]] * 2)  # cell centres
        np.testing.assert_array_equal(ds.yc.values[:, 0], [1.0, 3.0])
        assert ds.layered.dims == ("time", "z_2", "y_2", "x_2")
        np.testing.assert_array_equal(ds.z_2.values, [0.0, 0.5])
        assert ds.stretched.dims == ("time", "y_3", "x_3")
        np.testing.assert_array_equal(ds.x_3.values, [0.5, 2.0, 5.0])  # between the edges
        assert float(ds.layered[1].mean()) == 1.0


def _grid_file(path, projection, orientation):
    with koracore.create(path, [grid_item(nx=5, ny=4)],
                         koracore.TimeAxis.calendar_axis("2020-01-01", 60.0),
                         projection=projection, origin=(9.5, 55.2),
                         orientation=orientation) as w:
        w.write_step([np.zeros((4, 5), np.float32)])
    return path


def test_rotated_grids_get_the_longitude_and_latitude_of_every_cell(tmp_path):
    from koracore import crs

    path = _grid_file(tmp_path / "turned.dfs", "UTM-32", 30.0)
    with xr.open_dataset(path, engine="koracore") as ds:
        # x and y stay grid coordinates; lon and lat place every cell.
        np.testing.assert_array_equal(ds.x.values, 10.0 * np.arange(5))
        assert "grid_mapping" not in ds.water_level.attrs
        assert ds.lon.dims == ("y", "x") and ds.lat.attrs["units"] == "degrees_north"
        x, y = np.meshgrid(ds.x.values, ds.y.values)
        lon, lat = crs.Grid("UTM-32", (9.5, 55.2), 30.0).xy_to_geo(x, y)
        np.testing.assert_array_equal(ds.lon.values, lon)
        np.testing.assert_array_equal(ds.lat.values, lat)
        assert (float(ds.lon[0, 0]), float(ds.lat[0, 0])) == pytest.approx((9.5, 55.2))
        # The definition's name is written out as its well-known text.
        assert ds.crs.attrs["crs_wkt"] == crs.to_wkt("UTM-32")
        assert ds.crs.attrs["koracore_projection"] == "UTM-32"
        if "grid_mapping_name" in ds.crs.attrs:  # pyproj present
            assert ds.crs.attrs["grid_mapping_name"] == "transverse_mercator"
        ds.to_netcdf(tmp_path / "turned.nc")
    with netCDF4.Dataset(tmp_path / "turned.nc") as nc:
        assert set(nc["water_level"].coordinates.split()) >= {"lon", "lat"}
        assert nc["lon"].standard_name == "longitude"


def test_a_definition_name_places_an_upright_grid_in_projection_coordinates(tmp_path):
    from koracore import crs

    path = _grid_file(tmp_path / "upright.dfs", "UTM-32", 0.0)
    with xr.open_dataset(path, engine="koracore") as ds:
        east, north = crs.Projection("UTM-32").forward(9.5, 55.2)
        np.testing.assert_allclose(ds.x.values, east + 10.0 * np.arange(5), rtol=0, atol=1e-6)
        np.testing.assert_allclose(ds.y.values, north + 20.0 * np.arange(4), rtol=0, atol=1e-6)
        assert ds.water_level.attrs["grid_mapping"] == "crs"
        assert ds.x.attrs["standard_name"] == "projection_x_coordinate"
