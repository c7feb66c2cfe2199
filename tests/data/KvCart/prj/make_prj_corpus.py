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

# code: why it is in the corpus
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
    # geographical
    4326: "WGS 84",
    4277: "OSGB 1936 on the Airy ellipsoid",
    4807: "prime meridian of Paris, angles in grads",
}


def esri_wkt(code):
    out = subprocess.run(
        ["projinfo", "-o", "WKT1_ESRI", "--single-line", "-q", f"EPSG:{code}"],
        check=True, capture_output=True, text=True).stdout
    return out.strip()


def main():
    here = pathlib.Path(__file__).resolve().parent
    for code in CODES:
        (here / f"epsg_{code}.prj").write_text(esri_wkt(code) + "\n", encoding="ascii")


if __name__ == "__main__":
    main()
