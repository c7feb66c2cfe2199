"""Projections, transformations and model grids: agreement with PROJ
(through pyproj) and with the library's own single-point C functions, the
definitions database and its texts, array handling and errors."""

import ctypes
import math
import os

import numpy as np
import pytest

import koracore
from koracore import crs

pyproj = pytest.importorskip("pyproj")

# Points across UTM zone 32 (and a little beyond its edges).
LON = np.array([9.0, 6.1, 11.9, 3.5, 14.2, 8.25])
LAT = np.array([55.0, 47.3, 60.0, 0.5, 71.0, -33.9])


@pytest.fixture(scope="module")
def libkvcart():
    """The projection library itself through ctypes: the single-point
    functions the array calls must match bit for bit."""
    path = os.environ.get("KORACORE_KVCART_LIBRARY")
    if not path:
        pytest.skip("KORACORE_KVCART_LIBRARY is not set (run the suites through ctest)")
    crs.setup()  # the library loaded through ctypes is the one the package set up
    lib = ctypes.CDLL(path)
    p, d, pd = ctypes.c_void_p, ctypes.c_double, ctypes.POINTER(ctypes.c_double)
    lib.C_KVC_CREATE.argtypes = [ctypes.c_char_p, d, d, d, ctypes.POINTER(p),
                                 ctypes.POINTER(ctypes.c_int)]
    lib.C_KVC_DESTROY.argtypes = [ctypes.POINTER(p), ctypes.POINTER(ctypes.c_int)]
    for name in ("C_KVC_XY2GEO", "C_KVC_GEO2XY", "C_KVC_XY2PROJ"):
        getattr(lib, name).argtypes = [p, d, d, pd, pd]
    return lib


def _c_grid_points(lib, function, text, origin, orientation, a, b):
    handle, status = ctypes.c_void_p(), ctypes.c_int()
    assert lib.C_KVC_CREATE(text.encode(), origin[0], origin[1], orientation,
                            ctypes.byref(handle), ctypes.byref(status)) == 0
    try:
        out = np.empty((2, len(a)))
        for i, (u, v) in enumerate(zip(a, b)):
            r1, r2 = ctypes.c_double(), ctypes.c_double()
            assert getattr(lib, function)(handle, u, v, ctypes.byref(r1), ctypes.byref(r2)) == 0
            out[:, i] = r1.value, r2.value
        return out
    finally:
        lib.C_KVC_DESTROY(ctypes.byref(handle), ctypes.byref(status))


def test_utm_agrees_with_proj_to_a_millimetre_both_ways():
    ours = crs.Transformer(crs.LONG_LAT, "UTM-32")
    theirs = pyproj.Transformer.from_crs("EPSG:4326", "EPSG:32632", always_xy=True)
    x, y = ours.transform(LON, LAT)
    px, py = theirs.transform(LON, LAT)
    assert np.hypot(x - px, y - py).max() < 1e-3
    lon, lat = ours.transform(x, y, direction="inverse")
    assert np.abs(lon - LON).max() < 1e-9 and np.abs(lat - LAT).max() < 1e-9


def test_datum_shift_agrees_with_proj():
    # ED50 on the international ellipsoid, with its shift to WGS 84 in the text.
    ed50 = pyproj.CRS("+proj=utm +zone=32 +ellps=intl +towgs84=-87,-98,-121 +units=m")
    ours = crs.Transformer(ed50, "UTM-32")
    assert ours.datum_shift
    theirs = pyproj.Transformer.from_crs(ed50, "EPSG:32632", always_xy=True)
    x0, y0 = pyproj.Transformer.from_crs("EPSG:4326", ed50, always_xy=True).transform(LON, LAT)
    x, y = ours.transform(x0, y0)
    px, py = theirs.transform(x0, y0)
    assert np.hypot(x - px, y - py).max() < 1e-3
    # Across datums the points move by about a hundred metres, so the step ran.
    assert 50 < np.hypot(x - x0, y - y0).min()


def test_heights_go_through_the_datum_step_and_back():
    ed50 = pyproj.CRS("+proj=longlat +ellps=intl +towgs84=-87,-98,-121")
    forward = crs.Transformer(ed50, crs.WGS84)
    h0 = np.full(LON.shape, 100.0)
    lon, lat, h = forward.transform(LON, LAT, h0)
    expected = pyproj.Transformer.from_crs(ed50.to_3d(), "EPSG:4979",
                                           always_xy=True).transform(LON, LAT, h0)
    assert np.allclose((lon, lat), expected[:2], rtol=0, atol=1e-9)
    assert np.abs(h - expected[2]).max() < 1e-3 and np.abs(h - 100.0).max() > 1.0
    back = forward.transform(lon, lat, h, direction="inverse")
    assert np.allclose(back, (LON, LAT, h0), rtol=0, atol=1e-6)
    # "LONG/LAT" has no datum: nothing is shifted.
    assert crs.Transformer(ed50, crs.LONG_LAT).transform(9.0, 55.0, 100.0) == (9.0, 55.0, 100.0)


def test_arrays_keep_their_shape_and_scalars_stay_scalars():
    t = crs.Transformer(crs.LONG_LAT, "UTM-32")
    x, y = t.transform(LON.reshape(2, 3), LAT.reshape(2, 3))
    assert x.shape == y.shape == (2, 3) and x.dtype == np.float64
    flat = t.transform(LON, LAT)
    assert np.array_equal(x.ravel(), flat[0]) and np.array_equal(y.ravel(), flat[1])
    one = t.transform(9.0, 55.0)
    assert isinstance(one[0], float) and one == (flat[0][0], flat[1][0])
    # A scalar latitude goes with every longitude; lists and integers are taken.
    row = t.transform([9, 10, 11], 55)
    assert row[0].shape == (3,)
    empty = t.transform(np.array([]), np.array([]))
    assert empty[0].shape == (0,)
    # Non-contiguous input (every second point) gives the same numbers.
    both = np.stack([LON, LAT], axis=1)
    strided = t.transform(both[:, 0], both[:, 1])
    assert np.array_equal(strided[0], flat[0])


def test_points_that_cannot_be_converted_are_nan_and_the_rest_are_not():
    t = crs.Transformer(crs.LONG_LAT, "UTM-32")
    x, y = t.transform([9.0, 9.0, math.nan, 9.0], [55.0, 95.0, 55.0, -55.0])
    assert np.isnan([x[1], y[1], x[2], y[2]]).all()
    assert np.isfinite([x[0], y[0], x[3], y[3]]).all()


def test_grid_agrees_with_the_single_point_functions_bit_for_bit(libkvcart):
    rng = np.random.default_rng(7)
    x, y = rng.uniform(-20000, 20000, 50), rng.uniform(-20000, 20000, 50)
    origin, orientation = (9.5, 55.2), 30.0
    grid = crs.Grid("UTM-32", origin, orientation)
    lon, lat = grid.xy_to_geo(x, y)
    expected = _c_grid_points(libkvcart, "C_KVC_XY2GEO", "UTM-32", origin, orientation, x, y)
    assert np.array_equal(np.array([lon, lat]), expected)
    expected = _c_grid_points(libkvcart, "C_KVC_XY2PROJ", "UTM-32", origin, orientation, x, y)
    assert np.array_equal(np.array(grid.xy_to_proj(x, y)), expected)
    expected = _c_grid_points(libkvcart, "C_KVC_GEO2XY", "UTM-32", origin, orientation, lon, lat)
    assert np.array_equal(np.array(grid.geo_to_xy(lon, lat)), expected)


def test_grid_lies_at_its_origin_turned_by_its_orientation():
    origin = (9.5, 55.2)
    grid = crs.Grid("UTM-32", origin, orientation=30.0)
    assert np.allclose(grid.xy_to_geo(0.0, 0.0), origin, rtol=0, atol=1e-10)
    # The grid is the projected plane shifted and turned: lengths stay.
    x, y = np.array([1000.0, 0.0, -3000.0]), np.array([0.0, 2000.0, 4000.0])
    east, north = grid.xy_to_proj(x, y)
    east0, north0 = grid.geo_to_proj(*origin)
    assert np.allclose(np.hypot(east - east0, north - north0), np.hypot(x, y), rtol=1e-12)
    assert grid.true_north(0.0, 0.0) == pytest.approx(30.0)
    convergence = crs.Projection("UTM-32").convergence(*origin)
    assert grid.projection_north == pytest.approx(30.0 - convergence)
    # Round trips through all three systems.
    lon, lat = grid.xy_to_geo(x, y)
    assert np.allclose(grid.geo_to_xy(lon, lat), (x, y), rtol=0, atol=1e-6)
    assert np.allclose(grid.proj_to_xy(east, north), (x, y), rtol=0, atol=1e-6)
    assert np.allclose(grid.proj_to_geo(east, north), (lon, lat), rtol=0, atol=1e-10)
    # The bare "UTM" takes the zone of the origin.
    assert crs.Grid("UTM", origin).name == crs.Grid("UTM-32", origin).name


def test_grid_of_a_data_file_places_its_cells(demo_files):
    bay, _ = demo_files
    with koracore.open(bay) as f:
        grid = crs.Grid.of(f)
        assert grid.origin == pytest.approx(f.origin)
        lon, lat = grid.xy_to_geo(0.0, 0.0)
    assert (lon, lat) == pytest.approx(f.origin, abs=1e-9)
    # The demo's grid lies in UTM zone 32, where pyproj puts the same point.
    east, north = grid.xy_to_proj(0.0, 0.0)
    expected = pyproj.Transformer.from_crs("EPSG:4326", "EPSG:32632",
                                           always_xy=True).transform(lon, lat)
    assert math.hypot(east - expected[0], north - expected[1]) < 1e-3


def test_database_lists_its_definitions_and_writes_their_texts():
    names = crs.names()
    assert names[0] == crs.LONG_LAT and names[-1] == crs.LOCAL
    assert "UTM-1" in names and "UTM-60" in names and len(names) > 300
    utm = crs.definition("UTM-32")
    assert utm.parameters and all(unit in ("m", "deg", "") for _, _, unit in utm.parameters)
    assert not utm.custom
    assert utm.wkt.startswith("PROJCS[") and "Transverse_Mercator" in utm.wkt
    terms = utm.proj4.split()
    assert "+proj=utm" in terms and "+zone=32" in terms or "+proj=tmerc" in terms
    # The reserved words stay words; the local grid has no PROJ form.
    assert crs.to_wkt(crs.LOCAL) == crs.LOCAL and crs.to_proj4(crs.LOCAL) == ""
    pretty = crs.to_wkt("UTM-32", pretty=True)
    assert pretty.count("\n") > 3 and "".join(pretty.split()) == "".join(utm.wkt.split())
    assert crs.ellipsoids() and crs.utm_zone(9.0) == "UTM-32"
    with pytest.raises(koracore.ProjectionError):
        crs.definition("no such grid")


def test_shipped_definitions_mean_in_proj_what_they_mean_here():
    # Every 25th projected definition: PROJ reading our PROJ.4 text puts a
    # point near the origin where our projection does.
    chosen = [d for d in crs.definitions() if d.name not in (crs.LONG_LAT, crs.LOCAL)][::25]
    assert len(chosen) > 10
    for definition in chosen:
        ours = crs.Projection(definition.name)
        lon, lat = ours.origin
        lon, lat = lon + 0.05, lat + 0.05
        x, y = ours.forward(lon, lat)
        theirs = pyproj.Transformer.from_crs(pyproj.CRS(definition.proj4).geodetic_crs,
                                             pyproj.CRS(definition.proj4), always_xy=True)
        px, py = theirs.transform(lon, lat)
        assert math.hypot(x - px, y - py) < 1e-3, definition.name


def test_texts_of_any_kind_name_the_same_system():
    wkt = crs.to_wkt("UTM-32")
    assert crs.are_identical(wkt, "UTM-32")
    from_proj = pyproj.CRS.from_epsg(32632)
    assert crs.are_identical(from_proj, "UTM-32")
    a = crs.Transformer(crs.LONG_LAT, wkt).transform(LON, LAT)
    b = crs.Transformer(crs.LONG_LAT, crs.Projection("UTM-32")).transform(LON, LAT)
    assert np.allclose(a, b, rtol=0, atol=1e-6)
    assert crs.is_geographical(crs.LONG_LAT) and not crs.is_geographical("UTM-32")
    assert crs.is_local(crs.LOCAL)
    # The local grid passes coordinates through unchanged.
    assert crs.Transformer(crs.LOCAL, "UTM-32").transform(1.5, 2.5) == (1.5, 2.5)


def test_bad_systems_and_arguments_raise():
    for bad in ("no such grid", "UTM", 'PROJCS["broken",'):
        with pytest.raises(koracore.ProjectionError) as raised:
            crs.Transformer(crs.LONG_LAT, bad)
        assert isinstance(raised.value, ValueError)
    with pytest.raises(koracore.ProjectionError):
        crs.Projection("no such grid")
    with pytest.raises(TypeError):
        crs.Transformer(crs.LONG_LAT, 32632)
    with pytest.raises(koracore.ProjectionError):  # heights only: no place on a map
        crs.Projection(pyproj.CRS("EPSG:5773"))
    t = crs.Transformer(crs.LONG_LAT, "UTM-32")
    with pytest.raises(ValueError):
        t.transform([1.0, 2.0], [1.0, 2.0, 3.0])
    with pytest.raises(ValueError):
        t.transform(1.0, 2.0, direction="sideways")
    with pytest.raises(ValueError):
        crs.to_proj4("UTM-32", towgs84=[1.0, 2.0])


CUSTOM_DEFINITION = """[MAP_PROJECTION_DEFINITION]
   [UTM_PROJECTION]
      Projection_Name = 'Harbour grid'
      Branch_Name = 'Mine'
      Ellipsoid = 'AA'
      Scale = 0.9996012717
      Centre = -2.0
      Origin_Latitude = 49.0
      Feast = 400000.0
      Fnorth = -100000.0
   EndSect  // UTM_PROJECTION
EndTarget  // MAP_PROJECTION_DEFINITION
"""


def test_a_users_own_definitions_are_read_and_left_as_they_are(tmp_path):
    # The database is read once per process: a fresh interpreter reads it
    # with the user's folder.
    custom = tmp_path / "custom"
    custom.mkdir()
    (custom / "custom_projection.rcf").write_text(CUSTOM_DEFINITION)
    script = """if True:
        import sys
        from koracore import crs
        assert crs.setup(custom_folder=sys.argv[1])
        assert not crs.setup()  # once per process
        mine = crs.definition("Harbour grid")
        assert mine.custom and mine.branch == "Mine"
        assert crs.names()[-2:] == ["Harbour grid", crs.LOCAL]
        a = crs.Projection("Harbour grid").forward(-1.5, 52.0)
        b = crs.Projection("OSGB36 / British National Grid").forward(-1.5, 52.0)
        assert a == b, (a, b)
        crs.Transformer(crs.LONG_LAT, "Harbour grid").transform(-1.5, 52.0)
        crs.Grid("Harbour grid", (-1.5, 52.0), 10.0).xy_to_geo(100.0, 100.0)
    """
    import subprocess
    import sys

    result = subprocess.run([sys.executable, "-c", script, str(custom)], capture_output=True,
                            text=True, env=dict(os.environ, HOME=str(tmp_path)))
    assert result.returncode == 0, result.stderr
    # Using definitions changes none: nothing is written back at exit.
    assert sorted(p.name for p in custom.iterdir()) == ["custom_projection.rcf"]
    assert (custom / "custom_projection.rcf").read_text() == CUSTOM_DEFINITION
    assert not (tmp_path / ".koracore").exists()
