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
    # oblique Mercator family and Krovak: every EPSG system of their methods
    3078: "Hotine natural origin: Michigan, azimuth 337.25556",
    3079: "Michigan on NAD83(HARN)",
    3591: "Michigan on NAD83(NSRS2007)",
    6497: "Michigan on NAD83(2011)",
    3468: "Alaska zone 1 on NAD83(NSRS2007)",
    6394: "Alaska zone 1 on NAD83(2011)",
    26731: "Alaska zone 1 on NAD27, US survey feet",
    6808: "Oregon Columbia River West, metres",
    6809: "Oregon Columbia River West, international feet",
    6810: "Oregon Columbia River West on NAD83(2011)",
    6811: "the same in feet",
    6840: "Oregon Coast, metres",
    6841: "Oregon Coast, feet",
    6842: "Oregon Coast on NAD83(2011)",
    6843: "the same in feet",
    3167: "Rectified_Skew_Orthomorphic_Natural_Origin in chains",
    3168: "RSO Malaya in metres",
    3376: "East Malaysia BRSO",
    5247: "Brunei BRSO",
    29874: "RSO Sarawak LSD",
    2057: "Hotine_Oblique_Mercator_Azimuth_Center, small azimuth",
    8065: "Hotine centre origin in feet",
    20050: "Amtrak NECCS21 in feet",
    21780: "centre origin with the prime meridian of Bern",
    21781: "CH1903 / LV03",
    21782: "LV03C-G without false origin",
    23700: "Hungarian EOV",
    29702: "Laborde approximation: southern centre, Paris meridian",
    29871: "Rectified_Skew_Orthomorphic_Center in chains",
    29872: "Rectified_Skew_Orthomorphic_Center in Sears feet",
    29873: "Rectified_Skew_Orthomorphic_Center in metres",
    5513: "Krovak southing/westing: X_Scale 1, Y_Scale 1",
    8352: "Krovak on S-JTSK [JTSK03]",
    2065: "Krovak with the Ferro meridian",
    5221: "Krovak East North with the Ferro meridian",
    8353: "Krovak East North on S-JTSK [JTSK03]",
    5515: "Krovak_Modified: another method (not one of our families)",
    5516: "Krovak_Modified_(North_Orientated): another method",
    # azimuthal families: stereographic, polar stereographic, Lambert azimuthal
    2172: "Double_Stereographic: Poland zone II",
    2173: "Double_Stereographic: Poland zone III",
    2174: "Double_Stereographic: Poland zone IV",
    2200: "Double_Stereographic: New Brunswick (ATS77)",
    2290: "Double_Stereographic: Prince Edward Island (ATS77)",
    2953: "Double_Stereographic: New Brunswick on NAD83(CSRS)",
    2954: "Double_Stereographic: Prince Edward Island on NAD83(CSRS)",
    3120: "Double_Stereographic: Poland zone I",
    3328: "Double_Stereographic: GUGiK-80",
    3844: "Double_Stereographic: Stereo70",
    5588: "Double_Stereographic: New Brunswick in US survey feet",
    22780: "Double_Stereographic: Levant, Clarke 1880",
    28991: "Double_Stereographic: RD Old, origin at the false origin",
    31600: "Double_Stereographic: Stereo 33",
    5041: "Polar_Stereographic: UPS North (E,N)",
    5042: "Polar_Stereographic: UPS South (E,N)",
    5482: "Polar_Stereographic: RSPS2000, south pole, scale 1",
    5936: "Polar_Stereographic: Alaska polar stereographic, central meridian -150",
    5940: "Polar_Stereographic: Russia polar stereographic, central meridian 100",
    32761: "Polar_Stereographic: UPS South (N,E)",
    3032: "Stereographic_South_Pole: false origin 6000000, central meridian 70",
    3976: "Stereographic_South_Pole: NSIDC sea ice south, true scale -70",
    9354: "Stereographic_South_Pole: IBCSO, true scale -65",
    3995: "Stereographic_North_Pole: Arctic, true scale 71",
    3996: "Stereographic_North_Pole: IBCAO, true scale 75",
    3571: "Lambert_Azimuthal_Equal_Area: north pole, central meridian 180",
    3575: "Lambert_Azimuthal_Equal_Area: north pole, central meridian 10",
    6931: "Lambert_Azimuthal_Equal_Area: EASE-Grid 2.0 North",
    6932: "Lambert_Azimuthal_Equal_Area: EASE-Grid 2.0 South",
    9947: "Lambert_Azimuthal_Equal_Area: Iceland",
    9311: "Lambert_Azimuthal_Equal_Area: US National Atlas (the spherical method, written on the ellipsoid)",
    "ESRI:102017": "Lambert_Azimuthal_Equal_Area: ESRI north pole",
    "ESRI:102020": "Lambert_Azimuthal_Equal_Area: ESRI south pole",
    "ESRI:102018": "Stereographic: ESRI north pole, latitude of origin 90",
    "ESRI:102021": "Stereographic: ESRI south pole, latitude of origin -90",
    "ESRI:53026": "Stereographic: oblique on a sphere",
    "ESRI:54026": "Stereographic: oblique on WGS 84 (PROJ's stere differs from the double stereographic)",
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
