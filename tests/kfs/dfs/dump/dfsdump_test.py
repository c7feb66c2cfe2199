"""Cross-check of the data-file header writer against tools/dfsdump.py, a
reader written independently from the layout tables.

    python3 test_dfsdump.py SAMPLE_WRITER DFSDUMP_PY WORK_DIR
"""

import importlib.util
import json
import struct
import subprocess
import sys
import unittest

WRITER, DFSDUMP, WORK = sys.argv[1:4]
del sys.argv[1:4]

spec = importlib.util.spec_from_file_location("dfsdump", DFSDUMP)
dfsdump = importlib.util.module_from_spec(spec)
spec.loader.exec_module(dfsdump)


def as_float32(v):
    return struct.unpack("<f", struct.pack("<f", v))[0]


class CrossCheck(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        out = subprocess.run([WRITER, WORK], check=True, capture_output=True, text=True).stdout
        cls.files = json.loads(out)["files"]

    def floats(self, expected, actual):
        self.assertEqual([as_float32(v) for v in expected], actual)

    def check_file(self, entry):
        e = entry["expected"]
        df = dfsdump.load_file(entry["path"])
        info = df.file_info
        for key in ("file_type", "title", "app_title", "app_version", "data_type", "encoded",
                    "stats_type", "delete_byte", "delete_int", "delete_unsigned"):
            self.assertEqual(info[key], e[key], key)
        self.assertEqual(info["delete_float"], as_float32(e["delete_float"]))
        self.assertEqual(info["delete_double"], e["delete_double"])
        if "geo_info" in e:
            self.assertEqual(df.geo_info, e["geo_info"])
        else:
            self.assertIsNone(df.geo_info)
        t = df.time_axis
        for key, value in e["time_axis"].items():
            self.assertEqual(t[key], value, key)
        self.assertEqual(t["tag"], 20050 + e["time_axis"]["type"])
        self.assertEqual(len(df.items), len(e["items"]))
        for got, want in zip(df.items, e["items"]):
            self.check_item(got, want, e["stats_type"])
        self.assertEqual([(c["name"], c["type"], c["count"]) for c in df.custom_blocks],
                         [(c["name"], c["type"], c["count"]) for c in e["custom_blocks"]])
        self.assertEqual(df.encode_keys, e["encode_keys"])
        self.check_data(df, e)
        return df

    def check_data(self, df, e):
        statics = [s for s in df.static_items if not s.get("encode_key")]
        self.assertEqual([s["name"] for s in statics], [s["name"] for s in e["statics"]])
        for got, want in zip(statics, e["statics"]):
            self.floats(want["values"], got["values"])
        self.assertEqual(len(df.steps), len(e["steps"]))
        self.assertEqual(len(df.steps), e["time_axis"]["steps"])
        for (time, values), want in zip(df.steps, e["steps"]):
            self.assertEqual(time, want["time"])
            for item, got, expected in zip(df.items, values, want["values"]):
                if item["data_type"] == 1:
                    self.floats(expected, list(got))
                else:
                    self.assertEqual(list(got), expected)
        self.assertTrue(df.statistics_checked)

    def check_item(self, got, want, stats_type):
        for key in ("name", "item_type", "unit", "data_type", "value_type"):
            self.assertEqual(got[key], want[key], key)
        if "unit_text" in want:
            self.assertEqual(got["tag"], 30002)
            self.assertEqual(got["unit_text"], want["unit_text"])
        self.floats(want["reference"], got["reference"])
        self.floats(want["orientation"], got["orientation"])
        axis = got["axis"]
        self.assertEqual(axis["type"], want["axis_type"])
        self.assertEqual(axis["unit"], want["axis_unit"])
        self.assertEqual(axis["sizes"], want["sizes"])
        if "origin" in want:
            self.floats(want["origin"], axis["origin"])
            self.floats(want["step"], axis["step"])
        if "points" in want:
            self.floats(want["points"], axis["points"])
        if "coords" in want:
            self.assertEqual(axis["coords"], want["coords"])
        if stats_type in (2, 3):
            self.assertEqual(len(got["statistics"]), want["statistics_count"])
        else:
            self.assertNotIn("statistics", got)
        self.assertEqual(got.get("assoc_static", []), want["assoc_static"])

    def test_every_file_reads_back(self):
        self.assertEqual(len(self.files), 4)
        for entry in self.files:
            with self.subTest(path=entry["path"]):
                self.check_file(entry)

    def test_header_ends_at_the_data_sections(self):
        df = dfsdump.load_file(self.files[0]["path"])
        self.assertEqual(df.body_tag, 50000)
        encoded = dfsdump.load_file(self.files[2]["path"])
        self.assertEqual(encoded.body_tag, 40000)
        self.assertEqual(sorted(encoded.encode_keys), ["x", "y", "z"])

    def test_command_line(self):
        out = subprocess.run([sys.executable, DFSDUMP, "--text", self.files[0]["path"]],
                             check=True, capture_output=True, text=True).stdout
        self.assertIn("CurveLinearD3", out)
        out = subprocess.run([sys.executable, DFSDUMP, self.files[1]["path"]],
                             check=True, capture_output=True, text=True).stdout
        self.assertEqual(json.loads(out)["items"][2]["axis"]["name"], "TvarD3")

    def steps_file(self):
        with open(self.files[3]["path"], "rb") as f:
            return f.read()

    def test_statistics_must_match_the_data(self):
        data = bytearray(self.steps_file())
        df = dfsdump.load(bytes(data))
        self.assertEqual(df.items[0]["max"], 1e6)
        # 1e6 as a float, stored in steps 0, 1 and 3: make the last one 2e6.
        big = struct.pack("<f", 1e6)
        at = data.rfind(big)
        data[at:at + 4] = struct.pack("<f", 2e6)
        with self.assertRaisesRegex(dfsdump.DataFormatError, "statistics"):
            dfsdump.load(bytes(data))
        self.assertEqual(dfsdump.load(bytes(data), check_statistics=False).steps[3][1][0][4], 2e6)

    def test_steps_must_be_whole_and_as_many_as_announced(self):
        data = self.steps_file()
        # The last step ends with the one float of item 3 (a record of 9 bytes).
        with self.assertRaisesRegex(dfsdump.DataFormatError, "step 3"):
            dfsdump.load(data[:-9])
        tag = data.rfind(bytes([0xFE, 0x51, 0xC3]))
        with self.assertRaisesRegex(dfsdump.DataFormatError, "announces 4 time steps"):
            dfsdump.load(data[:tag])

    def test_custom_block_without_values_is_malformed(self):
        with open(self.files[0]["path"], "rb") as f:
            data = f.read()
        name = data.find(b"Shorts\0")
        self.assertGreater(name, 0)
        values = name + len(b"Shorts\0")
        self.assertEqual(data[values], 6)  # the record of two shorts: 1 + 4 + 4 bytes
        with self.assertRaisesRegex(dfsdump.DataFormatError, "block 60000: record 2 missing"):
            dfsdump.load(data[:values] + data[values + 9:])

    def test_an_unknown_item_type_code_is_malformed(self):
        data = bytearray(self.steps_file())
        name = data.find(b"Flags\0")
        self.assertGreater(name, 0)
        # Behind the name: the unit key (a record of 9 bytes), then the data
        # type record, whose value follows its 5-byte record header.
        at = name + len(b"Flags\0") + 9 + 5
        self.assertEqual(struct.unpack_from("<i", data, at)[0], 4)
        struct.pack_into("<i", data, at, 99)
        with self.assertRaisesRegex(dfsdump.DataFormatError, "type 99"):
            dfsdump.load(bytes(data))

    def test_a_header_without_delete_values_takes_the_defaults(self):
        data = self.steps_file()
        block = data.find(bytes([0xFE]) + struct.pack("<H", 10007))
        self.assertGreater(block, 0)
        # block start (3 bytes), one double record (5 + 8), terminator
        self.assertEqual(data[block + 3 + 13], 0xFF)
        df = dfsdump.load(data[:block] + data[block + 17:])
        self.assertNotIn("delete_double", df.file_info)
        self.assertTrue(df.statistics_checked)

    def test_truncated_file_is_malformed(self):
        with open(self.files[0]["path"], "rb") as f:
            data = f.read()
        with self.assertRaises((dfsdump.DataFormatError, dfsdump.kfsdump.FormatError)):
            dfsdump.load(data[:len(data) // 2])


if __name__ == "__main__":
    unittest.main()
