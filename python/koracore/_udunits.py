"""Units as UDUNITS-2 (and so the CF conventions) spell them.

The unit table's abbreviations are written for people ("°C", "m^3/s",
"W/(m^2·K)", "ac-ft"); most are UDUNITS-2 syntax once the few symbols it
spells otherwise are replaced, and the rest are written out below. A unit
with neither is written from its dimension and factor in SI base units
("9.8692326671601275e-13 m^2"), which UDUNITS-2 reads exactly. The test
suite checks every unit of the shipped table against UDUNITS-2 itself.
"""

import re

# Symbols UDUNITS-2 spells differently, or knows with another value.
_SYMBOLS = {
    "°C": "degC", "°F": "degF", "°R": "degR", "°": "arc_degree", "µ": "u", "‰": "1e-3",
    "%": "percent", "-": "1", "l": "L", "ml": "mL", "Ml": "ML", "ft": "ft", "ftUS": "US_survey_foot",
    "mi": "international_mile", "miUS": "US_statute_mile", "yr": "(365 day)", "a": "(365.25 day)",
    "d": "day", "wk": "week", "Wh": "(W h)", "kWh": "(kW h)", "MWh": "(MW h)", "GWh": "(GW h)", "lb": "avoirdupois_pound", "lbf": "force_pound",
    "kgf": "kilogram_force", "oz": "(avoirdupois_pound/16)", "gal": "(231 in^3)",
    "ac": "(43560 ft^2)", "cal": "IT_calorie", "kcal": "(1000 IT_calorie)",
    "cal_th": "thermochemical_calorie", "BTU": "IT_Btu", "dyn": "dyne", "kn": "knot",
    "kt": "(1000 tonne)", "NM": "nautical_mile", "fath": "(6 ft)", "arcmin": "arc_minute",
    "arcsec": "arc_second", "rev": "revolution", "gon": "grade", "ly": "langley",
    "fc": "(lumen/ft^2)", "g0": "standard_free_fall", "at": "technical_atmosphere",
    "Torr": "(atm/760)", "mmHg": "(mm Hg)", "inHg": "(in Hg)", "cmH2O": "(cm H2O)",
    "mH2O": "(m H2O)", "ftH2O": "(ft H2O)", "cP": "centipoise", "P": "poise", "t": "tonne", "hp": "(550 ft force_pound/s)",
    "PS": "(75 kilogram_force m/s)", "psf": "(force_pound/ft^2)", "MG": "(231e6 in^3)",
}

# Whole abbreviations that are no expression of symbols; None where
# UDUNITS-2 has no name of the same value (its darcy is rounded).
_WHOLE = {
    "NonDimensional": "1", "Length": "m", "Mass": "kg", "Time": "s", "Temperature": "K",
    "ElectricCurrent": "A", "AmountOfSubstance": "mol", "LuminousIntensity": "cd",
    "Mm^3": "1e6 m^3", "Mm^3/yr": "1e6 m^3/(365 day)", "mph": "international_mile/h",
    "cal/cm^2/min": "thermochemical_calorie/cm^2/min", "1/100ml": "1/(100 mL)",
    "D": None, "mD": None,
    "ac-ft": "43560 ft^3", "ac-ft/d": "43560 ft^3/day", "gal (UK)": "4.54609 L",
    "ton (UK)": "long_ton", "ton (US)": "short_ton", "MGD": "231e6 in^3/day",
    "gpm": "231 in^3/min", "gpd": "231 in^3/day", "gpm/ft": "231 in^3/min/ft",
    "gpd/ft": "231 in^3/day/ft", "1000 m^3": "1000 m^3", "sigma": "kg/m^3 @ 1000",
    "PSU": "1e-3", "rpm": "revolution/min",
}

_TOKEN = re.compile(r"°[CFR]?|µ|‰|%|[A-Za-z_][A-Za-z_0-9]*|[^A-Za-z_µ°‰%]+")
_SI_BASES = ("m", "kg", "s", "K", "A", "mol", "cd")


def udunits_spelling(unit):
    """The UDUNITS-2 text of a Unit; None for units of fractional powers
    (Manning's and Chezy's coefficients), which UDUNITS-2 cannot write."""
    if any(power != int(power) for power in unit.dimension):
        return None
    abbreviation = unit.abbreviation.strip()
    if abbreviation in _WHOLE:
        spelled = _WHOLE[abbreviation]
    else:
        spelled = _from_symbols(abbreviation)
    if spelled is None:
        return _from_dimension(unit)
    # Powers as CF files usually write them: "m3/s" rather than "m^3/s".
    return re.sub(r"\^(-?\d+)", r"\1", spelled)


def _from_symbols(text):
    if not text:
        return None
    return "".join(_SYMBOLS.get(token, token.replace("·", " ")) for token in _TOKEN.findall(text))


def _from_dimension(unit):
    """The unit in SI base units with its factor and offset."""
    terms = []
    for base, power in zip(_SI_BASES, unit.dimension):
        if power == 1:
            terms.append(base)
        elif power:
            terms.append("%s%d" % (base, power))
    text = " ".join(["%.17g" % unit.factor] + terms)
    return "(%s) @ %.17g" % (text, unit.offset / unit.factor) if unit.offset else text
