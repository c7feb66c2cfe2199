#!/usr/bin/env python3
"""kvcart run as a process: conversions checked against PROJ's cs2cs and
geod (test-only oracles), round trips, the definitions it prints, and bad
input -- exit status and the one line on standard error.

    kvcart_test.py BIN_DIR WORK_DIR
"""

import os
import shutil
import subprocess
import sys
import unittest

BIN, WORK = sys.argv[1:3]
del sys.argv[1:3]

# ED50 / UTM zone 32N with the EPSG 1133 shift to WGS 84.
ED50_UTM32 = ('PROJCS["ED50 / UTM zone 32N",GEOGCS["ED50",DATUM["European_Datum_1950",'
              'SPHEROID["International 1924",6378388,297],TOWGS84[-87,-98,-121,0,0,0,0]],'
              'PRIMEM["Greenwich",0],UNIT["Degree",0.0174532925199433]],'
              'PROJECTION["Transverse_Mercator"],PARAMETER["False_Easting",500000],'
              'PARAMETER["False_Northing",0],PARAMETER["Central_Meridian",9],'
              'PARAMETER["Scale_Factor",0.9996],PARAMETER["Latitude_Of_Origin",0],'
              'UNIT["Meter",1]]')

WGS84 = ('GEOGCS["GCS_WGS_1984",DATUM["D_WGS_1984",SPHEROID["WGS_1984",6378137,298.257223563]],'
         'PRIMEM["Greenwich",0],UNIT["Degree",0.0174532925199433]]')

LONLAT = [(9.0, 55.0), (6.123456789, 47.5), (11.999, 70.25), (3.5, 0.0), (9.25, -33.875)]


def kvcart(*arguments, points=None):
    return subprocess.run([os.path.join(BIN, "kvcart")] + list(arguments), cwd=WORK,
                          input=points, capture_output=True, text=True, timeout=120)


def lines_of(points):
    return "".join(" ".join(repr(v) for v in p) + "\n" for p in points)


def numbers(text):
    return [tuple(float(v) for v in line.split()) for line in text.splitlines()]


def oracle(program, arguments, text):
    done = subprocess.run([program] + arguments, input=text, capture_output=True, text=True)
    assert done.returncode == 0, done.stderr
    return numbers(done.stdout)


class KvcartCase(unittest.TestCase):
    def succeeds(self, done):
        self.assertEqual(done.returncode, 0, done.stderr)
        return done.stdout

    def fails(self, done, status, *words):
        self.assertEqual(done.returncode, status, done.stdout + done.stderr)
        lines = done.stderr.splitlines()
        self.assertEqual(len(lines), 1, done.stderr)
        for word in words:
            self.assertIn(word, lines[0])
        return lines[0]

    def assertClose(self, got, want, tolerance):
        self.assertEqual(len(got), len(want))
        for g, w in zip(got, want):
            for a, b in zip(g, w):
                self.assertLessEqual(abs(a - b), tolerance, (got, want))


class Conversion(KvcartCase):
    def test_round_trip_through_utm_returns_the_input(self):
        utm = self.succeeds(kvcart("convert", "LONG/LAT", "UTM-32", points=lines_of(LONLAT)))
        back = self.succeeds(kvcart("convert", "UTM-32", "LONG/LAT", points=utm))
        self.assertClose(numbers(back), LONLAT, 1e-9)
        again = self.succeeds(kvcart("convert", "LONG/LAT", "UTM-32", points=back))
        self.assertClose(numbers(again), numbers(utm), 1e-4)

    def test_utm_agrees_with_proj(self):
        utm = numbers(self.succeeds(kvcart("convert", "LONG/LAT", "UTM-32",
                                           points=lines_of(LONLAT))))
        want = oracle("cs2cs", ["-f", "%.6f", "+proj=longlat", "+datum=WGS84", "+to",
                                "+proj=utm", "+zone=32", "+datum=WGS84"], lines_of(LONLAT))
        self.assertClose(utm, [(x, y) for x, y, _ in want], 1e-3)

    def test_datum_shift_and_height_agree_with_proj(self):
        points = [(500000.0, 6100000.0, 0.0), (612345.678, 5300000.25, 125.5)]
        got = numbers(self.succeeds(kvcart("convert", ED50_UTM32, WGS84, points=lines_of(points))))
        # The PROJ.4 form kvcart writes is the same system to cs2cs.
        proj4 = self.succeeds(kvcart("show", "--proj4", ED50_UTM32)).split()
        self.assertTrue(any(term.startswith("+towgs84=") for term in proj4), proj4)
        want = oracle("cs2cs", ["-f", "%.12f"] + [t for t in proj4 if t.startswith("+")] +
                      ["+to", "+proj=longlat", "+datum=WGS84"], lines_of(points))
        self.assertClose([p[:2] for p in got], [w[:2] for w in want], 1e-9)  # 0.1 mm
        # cs2cs keeps heights of 2D systems: the heights come from the full pipeline.
        heights = oracle("cct", ["-d", "9", "+proj=pipeline", "+step", "+inv", "+proj=utm",
                                 "+zone=32", "+ellps=intl", "+step", "+proj=cart",
                                 "+ellps=intl", "+step", "+proj=helmert", "+x=-87", "+y=-98",
                                 "+z=-121", "+step", "+inv", "+proj=cart", "+ellps=WGS84"],
                         "".join("%r %r %r 0\n" % p for p in points))
        self.assertClose([p[2:] for p in got], [h[2:3] for h in heights], 1e-6)

    def test_long_lat_carries_no_datum(self):
        # Without an ellipsoid on one side the datum step is skipped: the
        # longitude and latitude are those of the source's own datum.
        points = lines_of([(500000.0, 6100000.0)])
        on_ed50 = numbers(self.succeeds(kvcart("convert", ED50_UTM32, "LONG/LAT", points=points)))
        self.assertClose(on_ed50, [(9.0, 55.045613027304)], 1e-9)

    def test_prj_file_is_the_same_system_as_its_text(self):
        prj = os.path.join(WORK, "ed50.prj")
        with open(prj, "w") as f:
            f.write(ED50_UTM32 + "\r\n")
        points = lines_of([(500000.0, 6100000.0)])
        self.assertEqual(self.succeeds(kvcart("convert", "@" + prj, "LONG/LAT", points=points)),
                         self.succeeds(kvcart("convert", ED50_UTM32, "LONG/LAT", points=points)))

    def test_comments_pass_through_and_unconvertible_points_are_starred(self):
        done = kvcart("convert", "LONG/LAT", "UTM-32", points="# lon lat\n\n9 55\n9 95\n")
        self.assertEqual(done.returncode, 1)
        out = done.stdout.splitlines()
        self.assertEqual(out[:2], ["# lon lat", ""])
        self.assertEqual(out[3], "* *")
        self.assertEqual(done.stderr, "kvcart: 1 point could not be converted\n")

    def test_a_line_that_is_no_point_stops_with_its_number(self):
        self.fails(kvcart("convert", "LONG/LAT", "UTM-32", points="9 55\n9,5 55,5 1 2\n"),
                   1, "line 2:")
        self.fails(kvcart("convert", "LONG/LAT", "UTM-32", points="9 x\n"), 1, "line 1:",
                   "not a number")
        self.fails(kvcart("convert", "LONG/LAT", "UTM-32", points="1" * 10000), 1, "longer than")


class BadSystems(KvcartCase):
    def test_each_gives_one_line_and_status_1(self):
        points = "9 55\n"
        self.fails(kvcart("convert", "UTM-99", "LONG/LAT", points=points), 1,
                   "unknown coordinate system 'UTM-99'")
        self.fails(kvcart("convert", "LONG/LAT", 'PROJCS["x",GEOGCS[', points=points), 1,
                   "malformed well-known text")
        self.fails(kvcart("convert", "@" + os.path.join(WORK, "missing.prj"), "LONG/LAT",
                          points=points), 1, "cannot read", "missing.prj")
        empty = os.path.join(WORK, "empty.prj")
        open(empty, "w").close()
        self.fails(kvcart("show", "@" + empty), 1, "holds no coordinate system")
        self.fails(kvcart("show", "UTM"), 1, "names no zone")
        self.fails(kvcart("show", "NON-UTM"), 1, "no well-known text")
        self.fails(kvcart("show", "--proj4", "NON-UTM"), 1, "no PROJ.4 form")

    def test_hostile_texts_do_not_crash(self):
        for text in ("[" * 5000, "]" * 100 + "PROJCS", 'GEOGCS["\x01\xff",',
                     'PROJCS["a",PROJECTION["Transverse_Mercator"]]', "@", "@/", "@" + WORK):
            done = kvcart("show", text)
            self.assertEqual(done.returncode, 1, (text[:40], done.stderr))
            self.assertEqual(len(done.stderr.splitlines()), 1, done.stderr)

    def test_usage_errors(self):
        self.fails(kvcart("frobnicate"), 2, "unknown command")
        self.fails(kvcart("convert", "UTM-32"), 2, "wrong number of arguments")
        self.fails(kvcart("list", "--pretty"), 2, "--pretty goes with show")
        self.fails(kvcart("show", "--pretty", "--proj4", "UTM-32"), 2)
        self.fails(kvcart("distance", "0", "0", "1", "x"), 2, "not a number")
        self.fails(kvcart("--bogus"), 2, "unknown option '--bogus'")


CUSTOM_PROJECTION = """[MAP_PROJECTION_DEFINITION]
   [UTM_PROJECTION]
      Projection_Name = 'My grid'
      Branch_Name = 'Mine'
      Ellipsoid = 'WE'
      Scale = 1.0
      Centre = 12.5
      Origin_Latitude = 0.0
      Feast = 200000.0
      Fnorth = 0.0
   EndSect  // UTM_PROJECTION
EndTarget  // MAP_PROJECTION_DEFINITION
"""


class CustomDefinitions(KvcartCase):
    def test_used_and_never_written(self):
        folder = os.path.join(WORK, "custom")
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        custom = os.path.join(folder, "custom_projection.rcf")
        with open(custom, "w") as f:
            f.write(CUSTOM_PROJECTION)
        before = os.stat(custom)
        self.assertIn("My grid", self.succeeds(kvcart("--custom", folder, "list", "my grid")))
        self.assertEqual(self.succeeds(kvcart("--custom", folder, "convert", "LONG/LAT",
                                              "My grid", points="12.5 0\n")), "200000 0\n")
        # Failed look-ups and every other command leave the user's file alone.
        kvcart("--custom", folder, "show", "No such grid")
        kvcart("--custom", folder, "convert", "No such grid", "My grid", points="1 2\n")
        self.succeeds(kvcart("--custom", folder, "ellipsoids"))
        self.assertEqual(os.listdir(folder), ["custom_projection.rcf"])
        with open(custom) as f:
            self.assertEqual(f.read(), CUSTOM_PROJECTION)
        self.assertEqual(os.stat(custom).st_mtime_ns, before.st_mtime_ns)


class Definitions(KvcartCase):
    def test_show_in_three_forms(self):
        one = self.succeeds(kvcart("show", "UTM-32"))
        self.assertEqual(len(one.splitlines()), 1)
        self.assertTrue(one.startswith('PROJCS["'), one)
        pretty = self.succeeds(kvcart("show", "--pretty", "UTM-32"))
        self.assertGreater(len(pretty.splitlines()), 5)
        self.assertNotIn("\r", pretty)
        # The readable form is the same text: it converts the same, bit for bit.
        points = lines_of(LONLAT)
        self.assertEqual(self.succeeds(kvcart("convert", "LONG/LAT", pretty, points=points)),
                         self.succeeds(kvcart("convert", "LONG/LAT", one, points=points)))
        proj4 = self.succeeds(kvcart("show", "--proj4", "UTM-32"))
        self.assertTrue(proj4.startswith("+proj=tmerc"), proj4)
        self.assertIn("+lon_0=9", proj4)

    def test_listings_hold_the_shipped_definitions(self):
        names = [row.split("\t")[0] for row in
                 self.succeeds(kvcart("--tsv", "list")).splitlines()]
        self.assertEqual(names[0], "name")
        for name in ("LONG/LAT", "UTM-32", "NON-UTM", "NAD83 / Alabama East",
                     "OSGB36 / British National Grid"):
            self.assertIn(name, names)
        some = self.succeeds(kvcart("--tsv", "list", "alabama")).splitlines()
        self.assertEqual(len(some), 5, some)  # the header, NAD83 and NAD27 east and west
        ellipsoids = self.succeeds(kvcart("--tsv", "ellipsoids")).splitlines()
        self.assertIn("WE\tWGS 84\t6378137\t298.257223563\tno",
                      [line.replace("WGS 1984", "WGS 84") for line in ellipsoids])


class Geodesy(KvcartCase):
    def test_distance_and_azimuths_agree_with_geod(self):
        for lon1, lat1, lon2, lat2 in ((9, 55, 12.5, 56.25), (-0.1, 51.5, 139.7, 35.7),
                                       (0, 0, 179.5, 0.5)):
            out = self.succeeds(kvcart("distance", str(lon1), str(lat1), str(lon2), str(lat2)))
            got = {}
            for line in out.splitlines():  # "distance D m", "azimuth A", "back azimuth B"
                words = line.split()
                if words[-1] == "m":
                    words.pop()
                got[" ".join(words[:-1])] = float(words[-1])
            az12, az21, dist = oracle("geod", ["+ellps=WGS84", "-I", "-f", "%.10f"],
                                      "%r %r %r %r\n" % (lat1, lon1, lat2, lon2))[0]
            self.assertAlmostEqual(got["distance"], dist, delta=6e-4)  # geod writes mm
            self.assertAlmostEqual(got["azimuth"] % 360, az12 % 360, delta=1e-8)
            self.assertAlmostEqual(got["back azimuth"] % 360, az21 % 360, delta=1e-8)

    def test_convergence(self):
        self.assertEqual(float(self.succeeds(kvcart("convergence", "UTM-32", "9", "55"))), 0.0)
        east = float(self.succeeds(kvcart("convergence", "UTM-32", "12", "55")))
        self.assertAlmostEqual(abs(east), 3 * 0.8191520443, delta=0.01)  # about dlon sin(lat)
        self.fails(kvcart("convergence", "UTM-32", "9", "91"), 1, "beyond 90")
        self.fails(kvcart("convergence", "NON-UTM", "9", "55"), 1, "no convergence")


if __name__ == "__main__":
    os.makedirs(WORK, exist_ok=True)
    unittest.main()
