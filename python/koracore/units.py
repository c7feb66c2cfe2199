"""Units and item types of the koracore units registry.

The registry is the one the libraries use (loaded once per process from
the XML unit table; the package loads the default table on import). Units
are found by ident, name, alias or abbreviation; conversions go through the
library's own array conversion, so a converted array holds the very bits a C
program gets from ``qtyConvertItemArrayF`` or ``qtyConvertItemArrayD``.

    >>> from koracore import units
    >>> units.find("ft").name
    'foot'
    >>> units.convert(np.array([1.0, 2.0]), "ft", "m")
    array([0.3048, 0.6096])

The registry is shared by every thread of the process: load tables before
using it from several threads.
"""

import functools
from dataclasses import dataclass

import numpy as np

from . import _koracore
from .errors import UnitError, from_status

__all__ = ["Unit", "ItemType", "find", "units", "item_type", "item_types", "convert", "load",
           "table_path"]

_UNKNOWN_UNIT, _UNKNOWN_ITEM_TYPE, _DIMENSION = 3001, 3002, 3004


def _failure(code, doing):
    return from_status("qty", code, _koracore.status_text("qty", code), doing)


@dataclass(frozen=True)
class Unit:
    """A unit of the registry. A value v in this unit is v * factor + offset
    in the base unit of its dimension; `dimension` holds the exponents of
    length, mass, time, temperature, electric current, amount of substance
    and luminous intensity."""

    id: int
    ident: str
    name: str
    abbreviation: str
    factor: float
    offset: float
    dimension: tuple

    def __str__(self):
        return self.abbreviation or self.name

    @property
    def udunits(self):
        """The unit as UDUNITS-2 (and so CF) writes it: "m", "m3/s", "degC"."""
        from ._udunits import udunits_spelling

        return udunits_spelling(self)

    def is_convertible_to(self, other):
        return _koracore.units_equivalent(self.id, find(other).id)


@dataclass(frozen=True)
class ItemType:
    """A physical quantity with the units it may be stored in."""

    id: int
    ident: str
    name: str
    unit_ids: tuple
    user_unit_id: int

    def __str__(self):
        return self.name

    @property
    def units(self):
        """The allowed units, in the table's order."""
        return [_unit(u) for u in self.unit_ids]

    @property
    def user_unit(self):
        return _unit(self.user_unit_id) if self.user_unit_id > 0 else None

    def allows(self, unit):
        """Whether a value of this item type may be stored in `unit`."""
        return _koracore.unit_allowed(self.id, find(unit).id)


@functools.lru_cache(maxsize=None)
def _unit(unit_id):
    try:
        info = _koracore.unit_info(unit_id)
    except UnitError:
        raise _failure(_UNKNOWN_UNIT, "find unit %d" % unit_id) from None
    return Unit(info["id"], info["ident"], info["name"], info["abbreviation"], info["factor"],
                info["offset"], tuple(info["powers"]))


def find(unit):
    """The unit named by `unit`: a Unit, an id, or a text (ident, name,
    alias, abbreviation). Raises UnitError, a ValueError, when there is
    none."""
    if isinstance(unit, Unit):
        return unit
    if isinstance(unit, (int, np.integer)) and not isinstance(unit, bool):
        return _unit(int(unit))
    if isinstance(unit, str):
        unit_id = _koracore.find_unit(unit.strip())
        if unit_id:
            return _unit(unit_id)
    raise _failure(_UNKNOWN_UNIT, "find unit %r" % (unit,))


def units():
    """Every unit of the registry, in the table's order."""
    return [_unit(u) for u in _koracore.unit_ids()]


@functools.lru_cache(maxsize=None)
def _item_type(type_id):
    info = _koracore.item_type_info(type_id)
    return ItemType(info["id"], info["ident"], info["name"], tuple(info["units"]),
                    info["user_unit"])


def item_type(item_type):
    """The item type named by an ItemType, an id, an ident or a name.
    Raises UnitError, a ValueError, when there is none."""
    if isinstance(item_type, ItemType):
        return item_type
    type_id = 0
    if isinstance(item_type, (int, np.integer)) and not isinstance(item_type, bool):
        type_id = int(item_type)
    elif isinstance(item_type, str):
        type_id = _koracore.find_item_type(item_type.strip())
    if type_id:
        try:
            return _item_type(type_id)
        except UnitError:
            pass
    raise _failure(_UNKNOWN_ITEM_TYPE, "find item type %r" % (item_type,))


def item_types():
    """Every item type of the registry, in the table's order."""
    return [_item_type(t) for t in _koracore.item_type_ids()]


def convert(values, from_unit, to_unit, *, delete_value=None, out=None):
    """Converts values from one unit to another.

    A number gives a float. An array gives a new float32 or float64 array
    (other types are converted as float64), or, with `out`, the result goes
    into that writable, C-contiguous float32 or float64 array, which may be
    `values` itself. Elements equal to `delete_value` and NaN elements are
    left as they are. Raises UnitError for unknown units or units of
    different dimensions."""
    source, target = find(from_unit), find(to_unit)
    if not source.is_convertible_to(target):
        raise _failure(_DIMENSION, "convert from %s to %s" % (source, target))
    if out is None and np.ndim(values) == 0 and not isinstance(values, np.ndarray):
        if delete_value is not None and values == delete_value:
            return float(values)
        return _koracore.convert_value(float(values), source.id, target.id)
    if out is None:
        array = np.asarray(values)
        dtype = array.dtype if array.dtype in (np.float32, np.float64) else np.float64
        out = np.array(array, dtype=dtype, order="C", copy=True)
    elif out is not values:
        np.copyto(out, values)
    deleted = np.nan if delete_value is None else delete_value
    _koracore.convert_array(out, source.id, target.id, deleted)
    return out


def load(path=""):
    """Loads a unit table into the registry ("" for the default table);
    adds what is missing and refreshes names. Returns whether it loaded."""
    loaded = _koracore.load_units(str(path))
    _unit.cache_clear()
    _item_type.cache_clear()
    return loaded


def table_path():
    """The path of the last table loaded, "" before any."""
    return _koracore.unit_table_path()
