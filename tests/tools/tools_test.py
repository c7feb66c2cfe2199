#!/usr/bin/env python3
"""The command-line tools run as processes, on the demo's files, on files the
libraries write (tool_samples) and on the sample files of the tests, and on
bad input: exit status, standard output and the one line on standard error.
What kfsdump reads is compared with tools/dfsdump.py, a reader written
independently from the layout.

    tools_test.py BIN_DIR SOURCE_DIR WORK_DIR
"""

import csv
import importlib.util
import io
import json
import os
import shutil
import struct
import subprocess
import sys
import unittest

BIN, SOURCE, WORK = sys.argv[1:4]
del sys.argv[1:4]


def load_module(name):
    spec = importlib.util.spec_from_file_location(name, os.path.join(SOURCE, "tools", name + ".py"))
    module = importlib.util.module_from_spec(spec)
    sys.modules[name] = module
    spec.loader.exec_module(module)
    return module


kfsdump_py = load_module("kfsdump")
dfsdump_py = load_module("dfsdump")


def run(tool, *arguments, cwd=WORK, env=None):
    return subprocess.run([os.path.join(BIN, tool)] + list(arguments), cwd=cwd, env=env,
                          capture_output=True, text=True, timeout=120)


def path(name):
    return os.path.join(WORK, name)


class ToolCase(unittest.TestCase):
    def succeeds(self, done):
        self.assertEqual(done.returncode, 0, done.stderr)
        return done.stdout

    def fails(self, done, status, *words):
        """A failure: the exit status, nothing on standard output and one line
        on standard error holding the words."""
        self.assertEqual(done.returncode, status, done.stdout + done.stderr)
        lines = done.stderr.splitlines()
        self.assertEqual(len(lines), 1, done.stderr)
        for word in words:
            self.assertIn(word, lines[0])
        return lines[0]


def setUpModule():
    os.makedirs(WORK, exist_ok=True)
    for name in ("bay_result.dfs", "gauge.dfs"):
        if os.path.exists(path(name)):
            os.remove(path(name))
    demo = run("koracore-demo", WORK)
    assert demo.returncode == 0, demo.stderr
    samples = subprocess.run([os.path.join(BIN, "tool_samples"), "files", WORK],
                             capture_output=True, text=True)
    assert samples.returncode == 0, samples.stderr
    with open(path("notes.txt"), "w") as f:
        f.write("a text file\n")


class EveryTool(ToolCase):
    TOOLS = ("koracore-demo", "kfsdump", "qtyinfo", "kvcart")

    def test_help_and_version(self):
        for tool in self.TOOLS:
            self.assertIn("usage: " + tool, self.succeeds(run(tool, "--help")))
            self.assertIn("usage: " + tool, self.succeeds(run(tool, "-h")))
            self.assertRegex(self.succeeds(run(tool, "--version")), r"^%s \d+\.\d+\.\d+ \(koracore\)\n$" % tool)

    def test_unknown_options_are_refused(self):
        for tool in self.TOOLS:
            self.fails(run(tool, "--bogus"), 2, "unknown option '--bogus'", "--help")

    def test_the_demo_never_makes_a_folder_named_like_an_option(self):
        folder = path("cwd")
        os.makedirs(folder, exist_ok=True)
        self.fails(run("koracore-demo", "--bogus", cwd=folder), 2)
        self.fails(run("koracore-demo", "--", "-x", cwd=folder), 2, "looks like an option")
        self.fails(run("koracore-demo", "a", "b", cwd=folder), 2, "unexpected argument 'b'")
        self.assertEqual(os.listdir(folder), [])

    def test_numbers_do_not_follow_the_locale(self):
        env = dict(os.environ, LC_ALL="de_DE.UTF-8")
        self.assertEqual(self.succeeds(run("qtyinfo", "convert", "1.5", "km", "m", env=env)), "1500\n")
        text = self.succeeds(run("kfsdump", "--data", "--item", "1", "--steps", "1",
                                 path("relative.dfs"), env=env))
        self.assertEqual(text.splitlines()[1], "15,0.25")


class KfsdumpDataFile(ToolCase):
    @classmethod
    def setUpClass(cls):
        cls.reference = dfsdump_py.load_file(path("bay_result.dfs"))
        done = run("kfsdump", "--json", path("bay_result.dfs"))
        assert done.returncode == 0, done.stderr
        cls.report = json.loads(done.stdout)

    def test_the_text_says_what_the_header_holds(self):
        text = self.succeeds(run("kfsdump", path("bay_result.dfs")))
        for line in ("kind: data file",
                     "  title: Bay of Aarhus, storm surge of 1 November",
                     "  file type: {code: 1, name: F_EQTIME_FIXEDSPACE_ALLITEMS}",
                     "    float: -1e-35",
                     "  first time: 2024-11-01T00:00:00",
                     "  last time: 2024-11-02T23:00:00",
                     "    unit: {id: 1501, name: degree Celsius, abbreviation: °C}",
                     "      size: [200, 150]"):
            self.assertIn(line, text.splitlines())

    def test_the_json_agrees_with_the_independent_reader(self):
        report, reference = self.report, self.reference
        self.assertEqual(report["time axis"]["steps"], reference.time_axis["steps"])
        self.assertEqual(report["header"]["projection"]["text"], reference.geo_info["projection"])
        self.assertEqual([i["name"] for i in report["items"]], [i["name"] for i in reference.items])
        self.assertEqual([i["unit"]["id"] for i in report["items"]],
                         [i["unit"] for i in reference.items])
        self.assertEqual([i["axis"]["size"] for i in report["items"]],
                         [i["axis"]["sizes"] for i in reference.items])
        for mine, theirs in zip(report["items"], reference.items):
            self.assertEqual(mine["statistics"]["missing"], theirs["missing"])
            self.assertEqual(struct.pack("f", mine["statistics"]["maximum"]),
                             struct.pack("f", theirs["max"]))
        self.assertEqual([s["name"] for s in report["static items"]],
                         [s["name"] for s in reference.static_items])

    def test_csv_values_are_the_stored_bits(self):
        text = self.succeeds(run("kfsdump", "--data", "--steps", "29:30", path("bay_result.dfs")))
        rows = list(csv.reader(io.StringIO(text)))
        self.assertEqual(rows[0], ["time", "element", "Water level [m]", "Current speed [m/s]",
                                   "Water temperature [°C]"])
        self.assertEqual(len(rows), 1 + 2 * 30000)
        cell = 120 + 40 * 200
        row = rows[1 + 30000 + cell]
        self.assertEqual(row[:2], ["2024-11-02T06:00:00", str(cell)])
        stored = self.reference.steps[30][1]
        for item in range(3):
            self.assertEqual(struct.pack("f", float(row[2 + item])), struct.pack("f", stored[item][cell]))
        dry = rows[1 + 30000]  # cell 0 lies on land: missing values are empty
        self.assertEqual(dry[2:], ["", "", ""])

    def test_a_single_point_series_has_no_element_column(self):
        text = self.succeeds(run("kfsdump", "--data", "--item", "2,1", "--steps", ":1", path("gauge.dfs")))
        rows = list(csv.reader(io.StringIO(text)))
        self.assertEqual(rows[0], ["time", "Water temperature [°C]", "Water level [m]"])
        self.assertEqual([r[0] for r in rows[1:]], ["2024-11-01T00:00:00", "2024-11-01T01:00:00"])

    def test_relative_axes_count_seconds_and_units_kept_as_text_show_as_text(self):
        rows = list(csv.reader(io.StringIO(self.succeeds(run("kfsdump", "--data", path("relative.dfs"))))))
        self.assertEqual(rows[0][:3], ["time", "element", "Level [furlong]"])
        self.assertEqual([r[0] for r in rows[1:]], ["5", "5", "15", "15", "30", "30"])
        self.assertEqual([r[2:] for r in rows[1:]], [["0", "0"], ["", "0"], ["0.25", "1"], ["", ""],
                                                      ["0.5", "2"], ["", "-2"]])
        report = json.loads(self.succeeds(run("kfsdump", "--json", path("relative.dfs"))))
        self.assertEqual(report["items"][0]["unit"], {"text": "furlong"})
        self.assertEqual(report["time axis"]["name"], "F_TM_NEQ_AXIS")

    def test_a_selection_outside_the_file_is_refused(self):
        self.fails(run("kfsdump", "--data", "--item", "4", path("bay_result.dfs")), 1, "no item 4")
        self.fails(run("kfsdump", "--data", "--steps", "40:48", path("bay_result.dfs")), 1, "no step 48")
        self.fails(run("kfsdump", "--data", "--steps", "5:2", path("gauge.dfs")), 2)
        self.fails(run("kfsdump", "--data", "--item", "0", path("gauge.dfs")), 2)
        self.fails(run("kfsdump", "--steps", "1", path("gauge.dfs")), 2, "go with --data")
        self.fails(run("kfsdump", "--json", "--validate", path("gauge.dfs")), 2)
        self.fails(run("kfsdump", "--data", path("sections.xfs")), 1, "data files only")


class KfsdumpValidate(ToolCase):
    def test_sound_files_pass(self):
        for name, words in (("bay_result.dfs", "valid data file: 3 items, 48 time steps, 1 static item"),
                            ("gauge.dfs", "valid data file: 2 items, 48 time steps"),
                            ("relative.dfs", "valid data file"),
                            ("sections.xfs", "valid cross-section file: 2 cross-sections"),
                            ("other.kfs", "valid container")):
            self.assertIn(words, self.succeeds(run("kfsdump", "--validate", path(name))))

    def corrupt_copy(self, name, offset, byte):
        copy = path("corrupt-" + name)
        shutil.copyfile(path(name), copy)
        with open(copy, "r+b") as f:
            f.seek(offset)
            f.write(bytes([byte]))
        return copy

    def test_a_corrupted_record_is_found_at_its_offset(self):
        container = kfsdump_py.load_file(path("bay_result.dfs"))
        blocks = [item for item in container.items if isinstance(item, kfsdump_py.Block)]
        step = [b for b in blocks if b.block_id == 50001][10]  # the tag of step 10
        record = next(item for item in container.items
                      if isinstance(item, kfsdump_py.Record) and item.offset > step.offset)
        copy = self.corrupt_copy("bay_result.dfs", record.offset, 9)
        self.fails(run("kfsdump", "--validate", copy), 1, "offset %d:" % record.offset, "(2019)")

    def test_a_truncated_file_is_found(self):
        copy = path("truncated.dfs")
        with open(path("bay_result.dfs"), "rb") as f:
            data = f.read()
        with open(copy, "wb") as f:
            f.write(data[:len(data) // 2])
        self.fails(run("kfsdump", "--validate", copy), 1, "offset", "(2001)", "runs past the end")
        self.fails(run("kfsdump", copy), 1, "truncated.dfs")
        with open(copy, "wb") as f:
            f.write(data[:30])
        self.fails(run("kfsdump", "--validate", copy), 1, "offset 0:", "container header")


class KfsdumpOtherFiles(ToolCase):
    def test_cross_sections_are_listed_with_their_counts(self):
        report = json.loads(self.succeeds(run("kfsdump", "--json", path("sections.xfs"))))
        self.assertEqual(report["kind"], "cross-section file")
        self.assertEqual(report["cross-sections"], 2)
        self.assertEqual([(x["branch"], x["chainage"], x["raw points"]) for x in report["list"]],
                         [("Main", 100, 3), ("Side arm", 200, 4)])

    def test_older_catalogues(self):
        catalogue = os.path.join(SOURCE, "tests", "data", "kfs", "legacy", "bigend.ct0")
        report = json.loads(self.succeeds(run("kfsdump", "--json", catalogue)))
        self.assertEqual(report["title"], "Gauge 12, big-endian")
        self.assertEqual([i["description"] for i in report["items"]], ["Water level", "Discharge"])
        self.assertEqual(report["byte order"], "swapped")
        truncated = os.path.join(SOURCE, "tests", "data", "kfs", "legacy", "truncated.ct0")
        self.fails(run("kfsdump", truncated), 1, "not a catalogue")

    def test_other_containers_list_their_items(self):
        report = json.loads(self.succeeds(run("kfsdump", "--json", path("other.kfs"))))
        self.assertEqual(report["list"], [{"type": "block", "id": 7}, {"type": "double", "count": 2},
                                          {"type": "terminator", "count": 0},
                                          {"type": "integer*4", "count": 1}])

    def test_what_is_no_koracore_file(self):
        self.fails(run("kfsdump", path("notes.txt")), 1, "notes.txt", "not a koracore file", "(2014)")
        self.fails(run("kfsdump", path("missing.dfs")), 1, "missing.dfs: no such file")
        self.fails(run("kfsdump", WORK), 1, "is a folder")
        self.fails(run("kfsdump"), 2, "too few arguments")


class Qtyinfo(ToolCase):
    def library(self, value, source, target):
        done = subprocess.run([os.path.join(BIN, "tool_samples"), "convert", value, source, target],
                              capture_output=True, text=True)
        self.assertEqual(done.returncode, 0, done.stderr)
        return float.fromhex(done.stdout.strip())

    def test_conversions_agree_with_the_library_to_the_last_bit(self):
        for value, source, target, ids in (("10", "ft", "m", ("1005", "1000")),
                                           ("100", "degC", "degF", ("1501", "1502")),
                                           ("1", "m^3/s", "ft3/s", ("2000", "2004")),
                                           ("36", "km/h", "m/s", ("1801", "1800")),
                                           ("-1e-3", "kg/m^3", "g/l", ("2800", "2804")),
                                           ("0.1", "°C", "K", ("1501", "1500"))):
            printed = self.succeeds(run("qtyinfo", "convert", value, source, target))
            self.assertEqual(float(printed), self.library(value, *ids), (value, source, target))
        self.assertEqual(self.succeeds(run("qtyinfo", "convert", "10", "ft", "m")), "3.048\n")

    def test_bad_conversions(self):
        self.fails(run("qtyinfo", "convert", "1", "furlong", "m"), 1, "unknown unit 'furlong'")
        self.fails(run("qtyinfo", "convert", "1", "m", "s"), 1, "different dimensions")
        self.fails(run("qtyinfo", "convert", "1,5", "m", "ft"), 2, "not a number")
        self.fails(run("qtyinfo", "convert", "1", "m"), 2)
        self.fails(run("qtyinfo", "--table", path("notes.txt"), "units"), 1, "cannot load")

    def test_listings(self):
        units = self.succeeds(run("qtyinfo", "--tsv", "units")).splitlines()
        self.assertEqual(units[0].split("\t"), ["id", "symbol", "name", "factor", "offset", "dimension", "ident"])
        for row in ("1502\t°F\tdegree Fahrenheit\t0.5555555555555556\t255.3722222222222\tK\tqtyUdegreeFahrenheit",
                    "2800\tkg/m^3\tkilogram per cubic meter\t1\t0\tkg m^-3\tqtyUkilogramPerCubicMeter"):
            self.assertTrue(row in units, row)
        allowed = self.succeeds(run("qtyinfo", "--tsv", "allowed", "qtyIWaterLevel")).splitlines()
        self.assertTrue(allowed[1].startswith("*\t1000\tm\tmeter"))
        filters = self.succeeds(run("qtyinfo", "filters"))
        self.assertIn("Hydrodynamics", filters)
        items = self.succeeds(run("qtyinfo", "--tsv", "items", "--filter", "qtyFWaves")).splitlines()
        self.assertGreater(len(items), 10)
        self.fails(run("qtyinfo", "allowed", "no such item"), 1, "unknown item type")
        self.fails(run("qtyinfo", "frobnicate"), 2, "unknown command")

    def test_include_files(self):
        folder = path("includes")
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        self.succeeds(run("qtyinfo", "includes", folder))
        self.assertEqual(sorted(os.listdir(folder)), ["qtyAllowedUnits.HTML", "qtyDefine.c__",
                                                      "qtyDefine.cs", "qtyDefine.f__", "qtyDefine.p__"])
        with open(os.path.join(folder, "qtyDefine.c__")) as f:
            self.assertIn("#define qtyUmeter", f.read())
        self.fails(run("qtyinfo", "includes", path("no-folder")), 1, "no folder")


if __name__ == "__main__":
    unittest.main()
