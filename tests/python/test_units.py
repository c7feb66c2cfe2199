"""Units through the package: look-ups, conversions bit for bit as the C
functions give them, item types, and UDUNITS-2 spellings checked against
UDUNITS-2 itself."""

import ctypes
import ctypes.util

import numpy as np
import pytest

import koracore
from koracore import units


def test_units_are_found_by_every_name_people_use():
    meter = units.find("m")
    assert (meter.id, meter.name, meter.ident) == (1000, "meter", "qtyUmeter")
    for text in ("meter", "metres", "qtyUmeter", " m ", 1000, meter):
        assert units.find(text) == meter
    assert units.find("m/s").name == "meter per second"
    assert units.find("°C").offset == 273.15


@pytest.mark.parametrize("bad", ["furlongs per fortnight", "", 0, 987654, None, 1.5])
def test_an_unknown_unit_is_a_value_error_with_the_library_text(bad):
    with pytest.raises(ValueError, match="no unit with that id") as raised:
        units.find(bad)
    assert isinstance(raised.value, koracore.UnitError)
    assert (raised.value.library, raised.value.code) == ("qty", 3001)


def _c_convert(libqty, values, source, target, delete):
    out = values.copy()
    convert = libqty.qtyConvertItemArrayF if out.dtype == np.float32 else \
        libqty.qtyConvertItemArrayD
    assert convert(source.id, target.id, out.ctypes.data, out.size, delete) == 1
    return out


@pytest.mark.parametrize("dtype", [np.float32, np.float64])
@pytest.mark.parametrize("pair", [("ft", "m"), ("°C", "°F"), ("m^3/s", "ft^3/s"), ("kn", "km/h")])
def test_array_conversion_is_bit_identical_to_the_c_function(libqty, dtype, pair):
    rng = np.random.default_rng(7)
    values = (rng.standard_normal(100_003) * 1e3).astype(dtype)
    values[::17] = -1e-35  # delete values stay
    values[5] = np.nan
    source, target = units.find(pair[0]), units.find(pair[1])
    ours = units.convert(values, *pair, delete_value=-1e-35)
    theirs = _c_convert(libqty, values, source, target, -1e-35)
    assert ours.dtype == dtype
    np.testing.assert_array_equal(ours.view(np.uint8), theirs.view(np.uint8))
    assert np.all(ours[::17] == values[::17])
    in_place = values.copy()
    assert units.convert(in_place, *pair, delete_value=-1e-35, out=in_place) is in_place
    np.testing.assert_array_equal(in_place.view(np.uint8), theirs.view(np.uint8))


def test_conversion_of_numbers_and_other_arrays():
    assert units.convert(10.0, "ft", "m") == pytest.approx(3.048, rel=1e-15)
    assert units.convert(100, "°C", "K") == 373.15
    assert units.convert(-1e-35, "ft", "m", delete_value=-1e-35) == -1e-35
    ints = units.convert([1, 2, 3], "km", "m")
    assert ints.dtype == np.float64 and list(ints) == [1000.0, 2000.0, 3000.0]
    source = np.arange(3.0)
    units.convert(source, "m", "ft")
    assert list(source) == [0.0, 1.0, 2.0]  # without `out` the input stays


def test_conversion_between_dimensions_or_into_a_bad_array_is_refused():
    with pytest.raises(koracore.UnitError, match="dimensions do not match"):
        units.convert(np.ones(3), "m", "s")
    with pytest.raises(TypeError):
        units.convert(np.ones(3), "m", "ft", out=np.ones(3, dtype=np.int32))
    with pytest.raises(ValueError, match="C-contiguous"):
        units.convert(np.ones((3, 2)), "m", "ft", out=np.ones((3, 4))[:, ::2])


def test_item_types_list_their_allowed_units():
    everything = units.item_types()
    assert len(everything) > 50
    level = units.item_type("Water Level")
    assert level in everything and units.item_type(level.id) == level
    assert units.item_type(level.ident) == level
    assert units.find("m") in level.units and level.allows("ft") and not level.allows("s")
    assert level.user_unit in level.units
    with pytest.raises(koracore.UnitError, match="no item type"):
        units.item_type("Unobtainium")


def _udunits():
    found = ctypes.util.find_library("udunits2")
    if not found:
        pytest.skip("UDUNITS-2 (libudunits2-dev) is not installed")
    ud = ctypes.CDLL(found)
    ud.ut_read_xml.restype = ctypes.c_void_p
    ud.ut_read_xml.argtypes = [ctypes.c_char_p]
    ud.ut_set_error_message_handler.argtypes = [ctypes.c_void_p]
    ud.ut_set_error_message_handler(ud.ut_ignore)
    ud.ut_parse.restype = ctypes.c_void_p
    ud.ut_parse.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    ud.ut_get_converter.restype = ctypes.c_void_p
    ud.ut_get_converter.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
    ud.cv_convert_double.restype = ctypes.c_double
    ud.cv_convert_double.argtypes = [ctypes.c_void_p, ctypes.c_double]
    system = ud.ut_read_xml(None)
    if not system:
        pytest.skip("the UDUNITS-2 unit database is not installed")
    return ud, system


def test_every_udunits_spelling_means_the_same_unit_to_udunits():
    """UDUNITS-2 is the oracle here, never a dependency of the package."""
    ud, system = _udunits()
    bases = ("m", "kg", "s", "K", "A", "mol", "cd")
    wrong = []
    for unit in units.units():
        spelled = unit.udunits
        if spelled is None:
            assert any(p != int(p) for p in unit.dimension), unit
            continue
        si = " ".join("%s^%d" % (b, p) for b, p in zip(bases, unit.dimension) if p) or "1"
        ours = ud.ut_parse(system, spelled.encode(), 2)  # UT_UTF8
        converter = ours and ud.ut_get_converter(ours, ud.ut_parse(system, si.encode(), 2))
        got = [ud.cv_convert_double(converter, v) for v in (0.0, 1.0)] if converter else None
        want = [unit.offset, unit.factor + unit.offset]
        if got is None or not np.allclose(got, want, rtol=1e-12, atol=0):
            wrong.append((unit.abbreviation, spelled, got, want))
    assert not wrong
