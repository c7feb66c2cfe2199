#!/usr/bin/env python3
"""Writes the ESRI .prj corpus that the well-known-text tests read.

Each file holds the single-line ESRI WKT 1 that PROJ's projinfo writes for
one EPSG coordinate system, as ArcGIS and GDAL write it next to shapefiles
and rasters. Run from anywhere; it writes beside itself:

    python3 tests/data/KvCart/prj/make_prj_corpus.py

Needs `projinfo` (Debian package proj-bin). Add the codes of a new family
to CODES and commit the new files with the script.
"""
import pathlib
import subprocess

# EPSG code (or "AUTHORITY:code"): why it is in the corpus
CODES = {
    # transverse Mercator and UTM
    32632: "UTM north, the everyday case",
    32733: "UTM south: false northing 10000000",
    25832: "UTM on GRS 1980",
    26910: "UTM with a negative central meridian",
    27700: "national grid: origin at 49N, negative false northing, odd scale",
    31467: "written as Gauss_Kruger",
    2046: "Transverse_Mercator_South_Orientated, parameter names in lower case",
    2193: "central meridian 173E",
    2236: "state plane in US survey feet",
    20791: "prime meridian of Lisbon",
    3067: "another national grid on UTM parameters",
    2100: "Greek grid",
    # families built later (their tests skip until the library has them)
    2154: "Lambert conformal conic, two parallels",
    27572: "Lambert with one parallel; Paris meridian, angles in grads",
    3395: "Mercator",
    28992: "Double_Stereographic",
    3031: "Stereographic_South_Pole",
    3413: "Stereographic_North_Pole",
    32661: "Polar_Stereographic at the pole with a scale factor",
    27200: "New Zealand Map Grid",
    2056: "Hotine_Oblique_Mercator_Azimuth_Center",
    26931: "Hotine_Oblique_Mercator_Azimuth_Natural_Origin",
    3375: "Rectified_Skew_Orthomorphic_Natural_Origin",
    5514: "Krovak",
    3005: "Albers",
    3035: "Lambert_Azimuthal_Equal_Area",
    30200: "Cassini in Clarke's links",
    "ESRI:102031": "Equidistant_Conic",
    # geographical
    4326: "WGS 84",
    4277: "OSGB 1936 on the Airy ellipsoid",
    4807: "prime meridian of Paris, angles in grads",
}


def authority_code(code):
    return code if isinstance(code, str) else f"EPSG:{code}"


def file_name(code):
    return authority_code(code).lower().replace(":", "_") + ".prj"


def esri_wkt(code):
    out = subprocess.run(
        ["projinfo", "-o", "WKT1_ESRI", "--single-line", "-q", authority_code(code)],
        check=True, capture_output=True, text=True).stdout
    return out.strip()


def main():
    here = pathlib.Path(__file__).resolve().parent
    for code in CODES:
        (here / file_name(code)).write_text(esri_wkt(code) + "\n", encoding="ascii")


if __name__ == "__main__":
    main()
