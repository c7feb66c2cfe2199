"""Failures become Python exceptions that carry the library's text, and a
damaged file never takes the reader down with it."""

import shutil
import struct

import numpy as np
import pytest

import koracore
from conftest import grid_item, hourly


def test_a_missing_file_is_file_not_found(tmp_path):
    with pytest.raises(FileNotFoundError, match="could not be opened") as raised:
        koracore.open(tmp_path / "nowhere.dfs")
    assert raised.value.filename == str(tmp_path / "nowhere.dfs")
    assert (raised.value.library, raised.value.code) == ("kfs", 2003)
    with pytest.raises(IsADirectoryError):
        koracore.open(tmp_path)


@pytest.mark.parametrize("content, text", [
    (b"Water level,1.25\nWater level,1.5\n", "not a container file"),
    (b"", "read failed"),
    (b"OXA_DFS_ KORA", "read failed"),
])
def test_a_text_empty_or_cut_off_file_is_a_format_error(tmp_path, content, text):
    path = tmp_path / "bad.dfs"
    path.write_bytes(content)
    with pytest.raises(koracore.FileFormatError, match=text) as raised:
        koracore.open(path)
    assert isinstance(raised.value, ValueError) and raised.value.path == str(path)


def test_a_file_cut_in_its_time_steps_reads_up_to_the_cut(demo_files, tmp_path):
    bay, _ = demo_files
    whole = bay.read_bytes()
    cut = tmp_path / "cut.dfs"
    cut.write_bytes(whole[:len(whole) * 2 // 3])
    with koracore.open(bay) as f, koracore.open(cut) as damaged:
        assert damaged.steps == f.steps  # the header does not know of the cut
        with pytest.raises(koracore.FileFormatError, match="cannot read time step"):
            damaged.read(1)
        with pytest.raises(koracore.FileFormatError):
            damaged.read(3, f.steps - 1)
        # The failure above leaves the reader usable for what is there.
        np.testing.assert_array_equal(damaged.read(2, 1), f.read(2, 1))


def test_a_header_announcing_impossibly_many_steps_is_refused(tmp_path):
    with koracore.create(tmp_path / "h.dfs", [grid_item()], hourly()) as w:
        w.write_step(np.zeros((3, 4)))
    data = bytearray((tmp_path / "h.dfs").read_bytes())
    # The number of steps: behind the date, time, unit and two doubles of
    # the calendar axis block, each a record of type, count and values.
    at = data.index(b"2024-03-01\0") + 11 + (5 + 9) + (5 + 4) + (5 + 16) + 5
    assert struct.unpack_from("<i", data, at)[0] == 1
    struct.pack_into("<i", data, at, 2**31 - 1)
    (tmp_path / "h.dfs").write_bytes(bytes(data))
    with pytest.raises(koracore.FileFormatError, match="2147483647 time steps"):
        koracore.open(tmp_path / "h.dfs")


def test_bad_arguments_are_refused_before_the_library_sees_them(demo_files):
    bay, _ = demo_files
    with koracore.open(bay) as f:
        with pytest.raises(IndexError):
            f.read(0, 0)
        with pytest.raises(IndexError):
            f.read(1, f.steps)
        with pytest.raises(KeyError):
            f.read("Salinity", 0)
        with pytest.raises(koracore.UnitError):
            f.read(1, 0, unit="furlong")
        with pytest.raises(IndexError):
            f.read_static(5)


def test_writing_checks_items_units_and_shapes(tmp_path):
    with pytest.raises(koracore.UnitError):
        koracore.Item("Level", "Water Level", "parsec")
    with pytest.raises(koracore.UnitError, match="unit not valid for the item type"):
        koracore.create(tmp_path / "u.dfs", [grid_item(unit="s")], hourly())
    assert not (tmp_path / "u.dfs").exists()
    for axis, message in ((koracore.Axis.eq2(0, 3), "at least 1"),
                          (koracore.Axis.tvar(70000, 70000), "too large")):
        with pytest.raises(ValueError, match=message):
            koracore.create(tmp_path / "a.dfs", [koracore.Item("L", "Water Level", "m", axis)],
                            hourly())
    with koracore.create(tmp_path / "w.dfs", [grid_item()], hourly()) as w:
        with pytest.raises(ValueError, match=r"takes arrays of shape \(3, 4\)"):
            w.write_step([np.zeros((4, 3))])
        with pytest.raises(ValueError, match="one per item"):
            w.write_step([np.zeros((3, 4))] * 2)
        w.write_step(np.zeros((3, 4)))
    with koracore.open(tmp_path / "w.dfs") as f:
        assert f.steps == 1
    with pytest.raises(ValueError, match="closed"):
        w.write_step(np.zeros((3, 4)))


def test_a_writer_that_cannot_create_its_file_says_why(tmp_path):
    blocker = tmp_path / "file"
    blocker.write_text("")
    with pytest.raises(OSError, match="could not be opened"):
        koracore.create(blocker / "sub" / "x.dfs", [grid_item()], hourly())


def test_a_copy_of_a_good_file_still_opens(demo_files, tmp_path):
    bay, _ = demo_files
    shutil.copy(bay, tmp_path / "copy.dfs")
    with koracore.open(tmp_path / "copy.dfs") as f:
        assert len(f.items) == 3
