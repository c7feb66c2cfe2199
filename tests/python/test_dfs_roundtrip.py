"""Files written with koracore.create read back through koracore.open, and
agree with what the C interface reads."""

import numpy as np
import pytest

import koracore
from conftest import c_read, grid_item, hourly

Axis = koracore.Axis


def _write(path, items, time, steps, times=None, **options):
    """Writes `steps` steps of deterministic values; returns them."""
    rng = np.random.default_rng(len(items) * 1000 + steps)
    written = []
    with koracore.create(path, items, time, **options) as w:
        for k in range(steps):
            values = [(rng.random(item.shape) * 100).astype(item.dtype) for item in items]
            w.write_step(values, None if times is None else times[k])
            written.append(values)
    return written


AXES = {
    "EqD0": Axis.eq0(),
    "EqD1": Axis.eq1(7, dx=2.5, x0=-1.0),
    "NeqD1": Axis.neq1([[0, 0, 0], [1, 5, 0.5], [3, 2, 1], [8, 8, -2]]),
    "EqD2": Axis.eq2(5, 3, 10.0, 20.0, 100.0, 200.0),
    "NeqD2": Axis.neq2([0, 1, 3, 7], [0, 2, 4.5]),
    "CurveLinearD2": Axis.curvilinear2(*np.meshgrid(np.arange(4.0), np.arange(3.0) * 2)),
    "EqD3": Axis.eq3(4, 3, 2, 1.0, 2.0, 0.5, unit="ft"),
    "NeqD3": Axis.neq3([0, 1, 3], [0, 2, 4.5, 5], [0, -1, -3]),
    "CurveLinearD3": Axis.curvilinear3(*np.meshgrid(np.arange(3.0), np.arange(4.0),
                                                    np.arange(5.0), indexing="ij")),
}


@pytest.mark.parametrize("kind", sorted(AXES))
def test_every_stored_axis_round_trips_with_its_values(tmp_path, kind):
    item = koracore.Item("Level", "Water Level", "m", AXES[kind])
    written = _write(tmp_path / "axis.dfs", [item], hourly(), 3)
    with koracore.open(tmp_path / "axis.dfs") as f:
        (back,) = f.items
        assert back.axis == AXES[kind]
        assert back.shape == AXES[kind].shape
        assert f.read(1).shape == (3,) + AXES[kind].shape
        for step in range(3):
            np.testing.assert_array_equal(f.read(1, step), written[step][0])


def test_time_varying_axes_keep_their_sizes_and_refuse_steps(tmp_path):
    items = [koracore.Item("Particles %d" % n, "Water Level", "m", Axis.tvar(*sizes))
             for n, sizes in enumerate([(6,), (4, 3), (2, 3, 4)], 1)]
    with koracore.create(tmp_path / "tvar.dfs", items, hourly()) as w:
        with pytest.raises(ValueError, match="not supported"):
            w.write_step([np.zeros(item.shape, np.float32) for item in items])
    with koracore.open(tmp_path / "tvar.dfs") as f:
        assert [i.axis for i in f.items] == [i.axis for i in items]
        assert f.file_type_name == "F_EQTIME_TVARSPACE_ALLITEMS"
        with pytest.raises(ValueError, match="cannot be read as an array"):
            f.read(1)


def test_four_dimensional_axis_is_refused_before_anything_is_written(tmp_path):
    item = koracore.Item("Level", "Water Level", "m", Axis("EqD4", (2, 2, 2, 2), "m",
                                                           (0, 0, 0, 0), (1, 1, 1, 1)))
    with pytest.raises(ValueError, match="kfs status 2010"):
        koracore.create(tmp_path / "d4.dfs", [item], hourly())


@pytest.mark.parametrize("dtype", [np.float32, np.float64, np.uint8, np.int32, np.uint32,
                                   np.int16, np.uint16])
def test_every_numeric_type_round_trips(tmp_path, dtype):
    written = _write(tmp_path / "t.dfs", [grid_item(dtype=dtype)], hourly(), 2)
    with koracore.open(tmp_path / "t.dfs") as f:
        assert f.items[0].dtype == dtype
        np.testing.assert_array_equal(f.read(1), np.stack([w[0] for w in written]))


TIME_AXES = {
    "calendar equidistant": (koracore.TimeAxis.calendar_axis("2024-03-01T06:00:00", 1800.0),
                             None, np.datetime64("2024-03-01T06:00") +
                             np.arange(4) * np.timedelta64(30, "m")),
    "calendar non-equidistant": (
        koracore.TimeAxis.calendar_axis("2024-03-01T00:00:00", unit="hour"),
        np.array(["2024-03-01T06:00", "2024-03-01T07:30", "2024-03-02T00:00",
                  "2024-03-05T12:00:00"], "datetime64[ns]"), None),
    "relative equidistant": (koracore.TimeAxis.relative_axis(120.0, 2.0, "minute"), None,
                             (120.0 + 2.0 * np.arange(4)) * 60.0),
    "relative non-equidistant": (koracore.TimeAxis.relative_axis(unit="hour"),
                                 [0.5, 1.0, 4.0, 10.25], np.array([0.5, 1.0, 4.0, 10.25]) * 3600),
}


@pytest.mark.parametrize("kind", sorted(TIME_AXES))
def test_both_kinds_of_time_axis_round_trip(tmp_path, kind):
    axis, given, expected = TIME_AXES[kind]
    _write(tmp_path / "time.dfs", [grid_item()], axis, 4, given)
    with koracore.open(tmp_path / "time.dfs") as f:
        assert f.time_axis.calendar == axis.calendar
        assert f.time_axis.equidistant == axis.equidistant
        assert f.time_axis.unit == axis.unit
        assert f.steps == 4
        want = given if expected is None else expected
        if axis.calendar:
            assert f.times.dtype == np.dtype("datetime64[ns]")
            np.testing.assert_array_equal(f.times, np.asarray(want, "datetime64[ns]"))
            assert f.time_axis.start == f.times[0]
        else:
            np.testing.assert_allclose(f.times, want, rtol=1e-15)


def test_header_facts_round_trip(tmp_path):
    wkt = 'GEOGCS["GCS_WGS_1984",DATUM["D_WGS_1984",SPHEROID["WGS_1984",6378137.0,298.257223563]],PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]]'
    _write(tmp_path / "h.dfs", [grid_item(), grid_item("Speed", dtype=np.float64)], hourly(), 1,
           title="Run 7", app_title="test model", app_version=3, projection=wkt,
           origin=(12.5, 55.25), orientation=-3.5, delete_values={"float": -999.0})
    with koracore.open(tmp_path / "h.dfs") as f:
        assert (f.title, f.app_title, f.app_version) == ("Run 7", "test model", 3)
        assert (f.projection, f.origin, f.orientation) == (wkt, (12.5, 55.25), -3.5)
        assert f.delete_values["float"] == np.float32(-999.0)
        assert f.delete_values["double"] == -1e-255
        assert [i.name for i in f.items] == ["Water level", "Speed"]
        assert f.item("Speed").number == 2 and f.item(2).dtype == np.float64
        level = f.items[0]
        assert (level.item_type.name, level.unit.name, level.unit.abbreviation) == (
            "Water Level", "meter", "m")


def test_missing_values_become_delete_values_and_nan_on_request(tmp_path):
    values = np.arange(12, dtype=np.float32).reshape(3, 4)
    values[1, 2] = np.nan
    with koracore.create(tmp_path / "nan.dfs", [grid_item()], hourly()) as w:
        w.write_step([values])
    with koracore.open(tmp_path / "nan.dfs") as f:
        raw = f.read(1, 0)
        assert raw[1, 2] == f.delete_values["float"]
        masked = f.read(1, 0, delete_as_nan=True)
        assert np.isnan(masked[1, 2]) and np.isnan(masked).sum() == 1
        assert f.items[0].missing == 1


def test_statics_are_written_before_the_steps_and_read_back(tmp_path):
    bed = -np.arange(12, dtype=np.float32).reshape(3, 4)
    depth = koracore.Item("Bathymetry", "Bathymetry", "m", grid_item().axis)
    codes = koracore.Item("Codes", 999, "-", Axis.eq1(5), np.int32)
    statics = [(depth, bed), (codes, np.array([1, 2, 3, 4, 5]))]
    with koracore.create(tmp_path / "s.dfs", [grid_item()], hourly(), statics=statics) as w:
        w.write_step([np.ones((3, 4))])
        with pytest.raises(ValueError, match="kfs status 1000"):
            w.write_static(depth, bed)
    with koracore.open(tmp_path / "s.dfs") as f:
        assert [s.name for s in f.static_items] == ["Bathymetry", "Codes"]
        np.testing.assert_array_equal(f.read_static("Bathymetry"), bed)
        np.testing.assert_array_equal(f.read_static(1), [1, 2, 3, 4, 5])
        np.testing.assert_array_equal(f.read_static(0, unit="ft"), bed / np.float32(0.3048))


def test_reading_in_another_unit_uses_the_library_conversion(tmp_path, libqty):
    written = _write(tmp_path / "u.dfs", [grid_item()], hourly(), 2)
    with koracore.open(tmp_path / "u.dfs") as f:
        in_feet = f.read(1, 1, unit="ft")
        expected = written[1][0].copy()
        meter, foot = koracore.units.find("m").id, koracore.units.find("ft").id
        libqty.qtyConvertItemArrayF(meter, foot, expected.ctypes.data, expected.size,
                                    np.float32(-1e-35))
        np.testing.assert_array_equal(in_feet, expected)
        # The item's own setting is untouched afterwards.
        np.testing.assert_array_equal(f.read(1, 1), written[1][0])
        with pytest.raises(ValueError, match="not valid for the item type"):
            f.read(1, 1, unit="s")


def test_values_agree_with_the_c_interface(demo_files, libkfs):
    bay, _ = demo_files
    with koracore.open(bay) as f:
        for item in f.items:
            for step in (0, 17, f.steps - 1):
                ours = f.read(item, step)
                theirs = c_read(libkfs, bay, item.number, step, item.dtype, item.shape)
                np.testing.assert_array_equal(ours, theirs)
        all_steps = f.read(2)
        np.testing.assert_array_equal(all_steps[17], f.read(2, 17))


def test_a_file_closes_on_exit_and_on_collection(tmp_path):
    _write(tmp_path / "c.dfs", [grid_item()], hourly(), 1)
    with koracore.open(tmp_path / "c.dfs") as f:
        pass
    assert f.closed
    with pytest.raises(ValueError, match="closed"):
        f.read(1, 0)
    for _ in range(2000):  # would run out of file handles if collection leaked them
        koracore.open(tmp_path / "c.dfs").read(1, 0)
