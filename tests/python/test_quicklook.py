"""Quick-look pictures and the command line of the package."""

import json
import os
import subprocess
import sys

import numpy as np
import pytest
from matplotlib import image

import koracore
from koracore.quicklook import quicklook


def _run(*args):
    return subprocess.run([sys.executable, "-m", "koracore", *map(str, args)],
                          capture_output=True, text=True)


def _colours(path):
    pixels = image.imread(path)
    return pixels, len(np.unique(pixels.reshape(-1, pixels.shape[-1]), axis=0))


def test_a_gridded_item_is_drawn_at_the_requested_size(demo_files, tmp_path):
    bay, _ = demo_files
    out = tmp_path / "level.png"
    result = _run("quicklook", bay, "--item", 1, "--step", 30, "-o", out, "--width", 640,
                  "--height", 480)
    assert result.returncode == 0, result.stderr
    pixels, colours = _colours(out)
    assert pixels.shape[:2] == (480, 640)
    assert colours > 100  # a colour field, not a blank page


def test_delete_values_stay_blank(tmp_path):
    values = np.full((20, 20), 5.0, np.float32)
    values[:, :10] = np.nan  # the left half is missing
    item = koracore.Item("Level", "Water Level", "m", koracore.Axis.eq2(20, 20))
    with koracore.create(tmp_path / "half.dfs", [item],
                         koracore.TimeAxis.relative_axis(0.0, 60.0)) as w:
        w.write_step(values)
    quicklook(tmp_path / "half.dfs", tmp_path / "half.png", width=400, height=400)
    pixels, _ = _colours(tmp_path / "half.png")
    middle = pixels[200]
    drawn = [tuple(p) for p in middle if p[0] < 0.9 or p[1] < 0.9 or p[2] < 0.9]
    blank = [tuple(p) for p in middle[40:300] if tuple(p) == (1.0, 1.0, 1.0, 1.0)]
    assert drawn and len(blank) > 40


def test_a_single_point_series_is_a_line_over_time(demo_files, tmp_path):
    _, gauge = demo_files
    out = quicklook(gauge, tmp_path / "gauge.png", item="Water temperature", width=500,
                    height=300)
    pixels, colours = _colours(out)
    assert pixels.shape[:2] == (300, 500) and colours > 2


def test_command_line_failures_say_why_and_set_the_exit_status(demo_files, tmp_path):
    bay, _ = demo_files
    missing = _run("quicklook", tmp_path / "none.dfs", "-o", tmp_path / "x.png")
    assert missing.returncode == 1 and "could not be opened" in missing.stderr
    no_item = _run("quicklook", bay, "--item", "Salinity", "-o", tmp_path / "x.png")
    assert no_item.returncode == 1 and "Salinity" in no_item.stderr
    assert not (tmp_path / "x.png").exists()
    assert _run("quicklook").returncode == 2
    assert _run("info", bay, "--bogus").returncode == 2


def test_info_tells_what_an_independent_reader_finds(demo_files):
    bay, _ = demo_files
    result = _run("info", "--json", bay)
    assert result.returncode == 0, result.stderr
    ours = json.loads(result.stdout)
    dump = subprocess.run([sys.executable, os.path.join(os.environ["KORACORE_SOURCE_DIR"],
                                                        "tools", "dfsdump.py"), "--no-values",
                           str(bay)], capture_output=True, text=True, check=True)
    theirs = json.loads(dump.stdout)
    assert ours["header"]["title"] == theirs["file_info"]["title"]
    assert ours["header"]["file type"]["code"] == theirs["file_info"]["file_type"]
    assert ours["time axis"]["steps"] == theirs["step_count"]
    assert [i["name"] for i in ours["items"]] == [i["name"] for i in theirs["items"]]
    assert [i["unit"]["id"] for i in ours["items"]] == [i["unit"] for i in theirs["items"]]
    assert [i["axis"]["size"] for i in ours["items"]] == [
        i["axis"]["sizes"] for i in theirs["items"]]
    assert [s["name"] for s in ours["static items"]] == [
        s["name"] for s in theirs["static_items"]]


def _kfsdump():
    tool = os.environ.get("KORACORE_KFSDUMP")
    if not tool:
        pytest.skip("the build has no kfsdump")
    return tool


def _varied_file(path):
    """Items and axes the demo does not have: a relative, non-equidistant
    time axis in hours, integer and double items, points, a static item."""
    items = [koracore.Item("Count", 999, "-", koracore.Axis.eq1(3, 0.5, -1.0), np.int32),
             koracore.Item("Stage", "Water Level", "ft", koracore.Axis.neq1([[0, 0, 0], [1, 2, 3]]),
                           np.float64)]
    statics = [(koracore.Item("Mask", 999, "-", koracore.Axis.eq1(4), np.uint8),
                np.array([0, 1, 1, 0], np.uint8))]
    with koracore.create(path, items, koracore.TimeAxis.relative_axis(unit="hour"),
                         statistics=True, statics=statics) as w:
        for k, hours in enumerate([0.5, 2.0, 7.25]):
            w.write_step([np.array([k, 2147483647, -k], np.int32), np.array([k, np.nan])],
                         hours)
    return path


def test_info_prints_what_the_c_dump_tool_prints(demo_files, tmp_path):
    tool = _kfsdump()
    bay, gauge = demo_files
    cut = tmp_path / "cut.dfs"
    cut.write_bytes(bay.read_bytes()[:-1000])
    for path in (bay, gauge, _varied_file(tmp_path / "varied.dfs"), cut):
        for options in ([], ["--json"]):
            ours = _run("info", *options, path)
            theirs = subprocess.run([tool, *options, str(path)], capture_output=True, text=True)
            assert ours.returncode == theirs.returncode, (path, ours.stderr, theirs.stderr)
            assert ours.stdout == theirs.stdout, path
    assert "cut short" in _run("info", cut).stderr


@pytest.mark.parametrize("args", [["--version"], ["--help"]])
def test_version_and_help(args):
    result = _run(*args)
    assert result.returncode == 0 and "koracore" in result.stdout
