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
    result = _run("info", bay)
    assert result.returncode == 0, result.stderr
    dump = subprocess.run([sys.executable, os.path.join(os.environ["KORACORE_SOURCE_DIR"],
                                                        "tools", "dfsdump.py"), "--no-values",
                           str(bay)], capture_output=True, text=True, check=True)
    facts = json.loads(dump.stdout)
    lines = result.stdout.splitlines()
    assert "title       %s" % facts["file_info"]["title"] in lines
    assert "file type   %s" % facts["file_info"]["file_type_name"] in lines
    assert "%d steps" % facts["step_count"] in result.stdout
    items = [line for line in lines if line.startswith("item ")]
    assert len(items) == facts["item_count"]
    for line, item in zip(items, facts["items"]):
        assert line.split(": ")[1].startswith(item["name"] + ", ")
    statics = [line for line in lines if line.startswith("static ")]
    assert [s.split(", ")[0].split(": ")[1] for s in statics] == [
        s["name"] for s in facts["static_items"]]


@pytest.mark.parametrize("args", [["--version"], ["--help"]])
def test_version_and_help(args):
    result = _run(*args)
    assert result.returncode == 0 and "koracore" in result.stdout
