#!/usr/bin/env python3
"""gen_projections - writes the shipped projection definition files.

    python3 tools/gen_projections.py [OUTPUT_DIRECTORY]

Reads tools/data/national_grids.csv, state_plane_nad83.csv and
state_plane_nad27.csv (EPSG definitions as PROJ's database gives them; see
tools/data/README.md) and writes map_projection.rcf, state_plane_nad83.rcf
and state_plane_nad27.rcf into OUTPUT_DIRECTORY (default: data/). Each row
becomes one section of target MAP_PROJECTION_DEFINITION, named by the family
that computes the row's method, with the row's name as Projection_Name, its
geodetic datum as Branch_Name and its ellipsoid code; angles in decimal
degrees, lengths in metres, under the plain keywords only.

Rows whose method no family computes as it is defined are rewritten into an
equivalent family where that is exact, and left out otherwise:
  - Lambert 2SP with an ellipsoid scaling factor (the NAD27 Michigan zones,
    EPSG method 1051) is written as the one-parallel Lambert of the same
    cone: latitude of origin asin(n), k0 = K F n t0^n / m0 and the false
    northing moved from the false origin to that latitude;
  - oblique Mercator counted from the centre (variant B) with a grid angle
    other than the azimuth is written as the rectified skew orthomorphic of
    the natural origin with the false origin moved by the centre's u;
  - the Guam projection (EPSG method 9831) is left out: no family computes it.
Longitudes counted from another prime meridian (NTF Paris) are written from
Greenwich. The ellipsoid of a row that names none is found by its axis and
flattening in tools/data/extra_ellipsoids.csv.
"""

import csv
import math
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA = os.path.join(ROOT, "tools", "data")
TARGET = "MAP_PROJECTION_DEFINITION"
OUTPUTS = [
    ("map_projection.rcf", "national_grids.csv",
     "National grids of many countries, one or more per projection family"),
    ("state_plane_nad83.rcf", "state_plane_nad83.csv", "US State Plane zones on NAD83 (metres)"),
    ("state_plane_nad27.rcf", "state_plane_nad27.csv",
     "US State Plane zones on NAD27 and the other Clarke 1866 datums"),
]


def quote(text):
    if any(ord(ch) < 32 for ch in text):
        raise ValueError(f"control character in {text!r}")
    return "'" + text.replace("'", "''") + "'"


def number(value):
    value = float(value)
    if not math.isfinite(value):
        raise ValueError(f"not a finite number: {value!r}")
    return repr(value)


def read_csv(name):
    with open(os.path.join(DATA, name), newline="", encoding="utf-8") as f:
        return list(csv.DictReader(f))


class Ellipsoids:
    """Codes and values of the shipped ellipsoids, for the rows that give
    an axis and flattening instead of a code."""

    def __init__(self):
        self.rows = read_csv("ellipsoids.csv") + read_csv("extra_ellipsoids.csv")
        self.by_code = {r["code"]: (float(r["semi_major_axis_m"]), float(r["inverse_flattening"]))
                        for r in self.rows}

    def code_of(self, row):
        if row.get("ellipsoid_code"):
            return row["ellipsoid_code"]
        wanted = (float(row["ellipsoid_a_m"]), float(row["ellipsoid_inverse_flattening"]))
        for code, values in self.by_code.items():
            if values == wanted:
                return code
        raise ValueError(f"no ellipsoid code for {row['name']}")

    def e2(self, code):
        a, inv_f = self.by_code[code]
        f = 1.0 / inv_f if inv_f > 0 else 0.0
        return a, f * (2.0 - f)


def value(row, column):
    return float(row[column])


def central_meridian(row):
    """The longitude of the projection counted from Greenwich."""
    return value(row, "central_meridian") + float(row.get("prime_meridian") or 0.0)


# --- Rewritten definitions ------------------------------------------------------


def lambert_m(phi, e2):
    return math.cos(phi) / math.sqrt(1.0 - e2 * math.sin(phi) ** 2)


def lambert_t(phi, e):
    es = e * math.sin(phi)
    return math.tan(math.pi / 4 - phi / 2) / ((1 - es) / (1 + es)) ** (e / 2)


def michigan_as_one_parallel(row, a, e2):
    """EPSG 1051 (r = a K F t^n) as EPSG 9801 of the same cone."""
    e = math.sqrt(e2)
    phi1, phi2 = math.radians(value(row, "parallel_1")), math.radians(value(row, "parallel_2"))
    phi_f = math.radians(value(row, "latitude_of_origin"))
    k = value(row, "scale")
    m1, m2 = lambert_m(phi1, e2), lambert_m(phi2, e2)
    t1, t2 = lambert_t(phi1, e), lambert_t(phi2, e)
    n = (math.log(m1) - math.log(m2)) / (math.log(t1) - math.log(t2))
    big_f = m1 / (n * t1 ** n)
    phi_0 = math.asin(n)
    t0 = lambert_t(phi_0, e)
    k0 = k * big_f * n * t0 ** n / lambert_m(phi_0, e2)
    r_f = a * k * big_f * lambert_t(phi_f, e) ** n
    r_0 = a * k * big_f * t0 ** n
    return k0, math.degrees(phi_0), value(row, "false_northing_m") + r_f - r_0


def centre_u(row, e2):
    """u of the projection centre in units of a (EPSG 9815, u_c / a)."""
    phi_c = math.radians(value(row, "latitude_of_origin"))
    alpha = math.radians(value(row, "azimuth"))
    s = math.sin(phi_c)
    big_b = math.sqrt(1 + e2 * math.cos(phi_c) ** 4 / (1 - e2))
    big_a = big_b * value(row, "scale") * math.sqrt(1 - e2) / (1 - e2 * s * s)
    d = big_b * math.sqrt(1 - e2) / (math.cos(phi_c) * math.sqrt(1 - e2 * s * s))
    u_c = big_a / big_b * math.atan(math.sqrt(max(d * d - 1, 0.0)) / math.cos(alpha))
    return math.copysign(abs(u_c), phi_c)


# --- Sections per method ----------------------------------------------------------

FE, FN = "Feast", "Fnorth"


def origin_pair(row):
    return [(FE, value(row, "false_easting_m")), (FN, value(row, "false_northing_m"))]


def transverse_mercator(row, ellipsoids, code):
    return "UTM_PROJECTION", [
        ("Scale", value(row, "scale")), ("Centre", central_meridian(row)),
        ("Origin_Latitude", value(row, "latitude_of_origin"))] + origin_pair(row)


def lambert_2sp(row, ellipsoids, code):
    return "LAMBERT_CONIC_2SP_PROJECTION", [
        ("Parallel_1", value(row, "parallel_1")), ("Parallel_2", value(row, "parallel_2")),
        ("Origin_Longitude", central_meridian(row)),
        ("Origin_Latitude", value(row, "latitude_of_origin"))] + origin_pair(row)


def lambert_1sp(row, ellipsoids, code):
    return "LAMBERT_CONIC_1SP_PROJECTION", [
        ("Scale", value(row, "scale")), ("Origin_Longitude", central_meridian(row)),
        ("Origin_Latitude", value(row, "latitude_of_origin"))] + origin_pair(row)


def lambert_michigan(row, ellipsoids, code):
    a, e2 = ellipsoids.e2(code)
    k0, lat0, fn = michigan_as_one_parallel(row, a, e2)
    return "LAMBERT_CONIC_1SP_PROJECTION", [
        ("Scale", k0), ("Origin_Longitude", central_meridian(row)), ("Origin_Latitude", lat0),
        (FE, value(row, "false_easting_m")), (FN, fn)]


def two_parallel_conic(section):
    def build(row, ellipsoids, code):
        return section, [
            ("Parallel_1", value(row, "parallel_1")), ("Parallel_2", value(row, "parallel_2")),
            ("Central_Meridian", central_meridian(row)),
            ("Origin_Latitude", value(row, "latitude_of_origin"))] + origin_pair(row)
    return build


def mercator_1sp(row, ellipsoids, code):
    return "MERCATOR_1SP_PROJECTION", [
        ("Scale", value(row, "scale")), ("Centre", central_meridian(row))] + origin_pair(row)


def mercator_2sp(row, ellipsoids, code):
    return "MERCATOR_2SP_PROJECTION", [
        ("Parallel_1", value(row, "parallel_1")), ("Centre", central_meridian(row))] + origin_pair(row)


def cassini_soldner(row, ellipsoids, code):
    return "CASSINI_SOLDNER_PROJECTION", [
        ("Central_Meridian", central_meridian(row)),
        ("Origin_Latitude", value(row, "latitude_of_origin"))] + origin_pair(row)


def oblique_stereographic(row, ellipsoids, code):
    return "STEREOGRAPHIC_PROJECTION", [
        ("Scale", value(row, "scale")), ("Centre", central_meridian(row)),
        ("Origin_Latitude", value(row, "latitude_of_origin"))] + origin_pair(row)


def polar_stereographic_a(row, ellipsoids, code):
    return "POLAR_STEREOGRAPHIC_PROJECTION", [
        ("Scale", value(row, "scale")), ("Centre", central_meridian(row)),
        ("Origin_Latitude", value(row, "latitude_of_origin"))] + origin_pair(row)


def polar_stereographic_b(row, ellipsoids, code):
    parallel = value(row, "parallel_1")
    section = ("STEREOGRAPHIC_NORTH_POLE_PROJECTION" if parallel >= 0
               else "STEREOGRAPHIC_SOUTH_POLE_PROJECTION")
    return section, [("Parallel_1", parallel), ("Centre", central_meridian(row))] + origin_pair(row)


def lambert_azimuthal(row, ellipsoids, code):
    return "LAMBERT_AZIMUTHAL_EQUAL_AREA_PROJECTION", [
        ("Centre", central_meridian(row)),
        ("Origin_Latitude", value(row, "latitude_of_origin"))] + origin_pair(row)


def oblique_keys(row):
    return [("Scale", value(row, "scale")), ("Center_Longitude", central_meridian(row)),
            ("Center_Latitude", value(row, "latitude_of_origin")),
            ("Azimuth", value(row, "azimuth"))]


def hotine_variant_a(row, ellipsoids, code):
    if value(row, "rectified_grid_angle") == value(row, "azimuth"):
        return "HOTINE_OBLIQUE_MERCATOR_PROJECTION", oblique_keys(row) + origin_pair(row)
    return "RECTIFIED_SKEW_ORTHOMORPHIC_PROJECTION", oblique_keys(row) + [
        ("XY_Plane_Rotation", value(row, "rectified_grid_angle"))] + origin_pair(row)


def oblique_variant_b(row, ellipsoids, code):
    grid = value(row, "rectified_grid_angle")
    if grid == value(row, "azimuth"):
        return "OBLIQUE_MERCATOR_PROJECTION", oblique_keys(row) + origin_pair(row)
    a, e2 = ellipsoids.e2(code)
    u_c = a * centre_u(row, e2)
    gamma = math.radians(grid)
    return "RECTIFIED_SKEW_ORTHOMORPHIC_PROJECTION", oblique_keys(row) + [
        ("XY_Plane_Rotation", grid),
        (FE, value(row, "false_easting_m") - u_c * math.sin(gamma)),
        (FN, value(row, "false_northing_m") - u_c * math.cos(gamma))]


def krovak(row, ellipsoids, code):
    return "KROVAK_OBLIQUE_CONFORMAL_CONIC", [
        ("Scale_At_Pseudo_Parallel", value(row, "scale")),
        ("Pseudo_Parallel", value(row, "pseudo_standard_parallel")),
        ("Center_Longitude", central_meridian(row)),
        ("Center_Latitude", value(row, "latitude_of_origin")),
        ("Azimuth", value(row, "azimuth")),
        ("XY_Plane_Rotation", value(row, "xy_plane_rotation")),
        ("X_Scale", value(row, "x_scale")), ("Y_Scale", value(row, "y_scale"))] + origin_pair(row)


def new_zealand_map_grid(row, ellipsoids, code):
    return "NEW_ZEALAND_MAP_GRID_PROJECTION", [
        ("Origin_Longitude", central_meridian(row)),
        ("Origin_Latitude", value(row, "latitude_of_origin"))] + origin_pair(row)


METHODS = {
    "transverse_mercator": transverse_mercator,
    "lambert_conic_2sp": lambert_2sp,
    "lambert_conic_2sp_michigan": lambert_michigan,
    "lambert_conic_1sp": lambert_1sp,
    "albers_equal_area": two_parallel_conic("ALBERS_EQUAL_AREA_PROJECTION"),
    "equidistant_conic": two_parallel_conic("EQUIDISTANT_CONIC_PROJECTION"),
    "mercator_1sp": mercator_1sp,
    "mercator_2sp": mercator_2sp,
    "cassini_soldner": cassini_soldner,
    "oblique_stereographic": oblique_stereographic,
    "polar_stereographic": polar_stereographic_a,
    "polar_stereographic_b": polar_stereographic_b,
    "lambert_azimuthal_equal_area": lambert_azimuthal,
    "hotine_oblique_mercator": hotine_variant_a,
    "oblique_mercator": oblique_variant_b,
    "krovak": krovak,
    "new_zealand_map_grid": new_zealand_map_grid,
}
LEFT_OUT = {"guam_projection"}


def branch_of(row):
    """The geodetic datum: the state-plane tables name it; a national grid's
    EPSG name starts with it ("OSGB36 / British National Grid"); an ESRI
    name falls back to the datum of its well-known text."""
    if row.get("geodetic_crs"):
        return row["geodetic_crs"]
    if " / " in row["name"]:
        return row["name"].split(" / ")[0]
    wkt = row.get("esri_wkt", "")
    start = wkt.find('DATUM["')
    if start < 0:
        return ""
    name = wkt[start + 7:wkt.index('"', start + 7)]
    return name[2:] if name.startswith("D_") else name


def section_lines(row, ellipsoids):
    code = ellipsoids.code_of(row)
    section, params = METHODS[row["method"]](row, ellipsoids, code)
    lines = [f"   [{section}]",
             f"      Projection_Name = {quote(row['name'])}",
             f"      Branch_Name = {quote(branch_of(row))}",
             f"      Ellipsoid = {quote(code)}"]
    lines += [f"      {key} = {number(v)}" for key, v in params]
    lines += [f"   EndSect  // {section}", ""]
    return lines


def render(title, source, rows, ellipsoids):
    lines = [f"// {title}.",
             f"// Generated by tools/gen_projections.py from tools/data/{source}.",
             "// Do not edit: user definitions belong in custom_projection.rcf.",
             "", f"[{TARGET}]"]
    for row in rows:
        if row["method"] in LEFT_OUT:
            continue
        lines += section_lines(row, ellipsoids)
    lines.append(f"EndTarget  // {TARGET}")
    return "\n".join(lines) + "\n"


def main(argv):
    out_dir = argv[1] if len(argv) > 1 else os.path.join(ROOT, "data")
    ellipsoids = Ellipsoids()
    for output, source, title in OUTPUTS:
        text = render(title, source, read_csv(source), ellipsoids)
        with open(os.path.join(out_dir, output), "w", encoding="utf-8", newline="\n") as f:
            f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
