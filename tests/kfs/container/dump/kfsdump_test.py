"""Cross-check of the container library against tools/kfsdump.py, a reader
written independently from the byte layout.

    python3 test_kfsdump.py SAMPLE_WRITER KFSDUMP_PY WORK_DIR
"""

import importlib.util
import json
import os
import struct
import subprocess
import sys
import unittest

WRITER, KFSDUMP, WORK = sys.argv[1:4]
del sys.argv[1:4]

loader_spec = importlib.util.spec_from_file_location("kfsdump", KFSDUMP)
kfsdump = importlib.util.module_from_spec(loader_spec)
loader_spec.loader.exec_module(kfsdump)


def run_writer(*args):
    out = subprocess.run([WRITER, *args], check=True, capture_output=True, text=True).stdout
    return json.loads(out)


def same_value(type_code, expected, actual):
    if type_code == 1:  # compare as the float32 that was written
        return struct.pack("<f", expected) == struct.pack("<f", actual)
    if type_code == 2:
        return struct.pack("<d", expected) == struct.pack("<d", actual)
    return expected == actual


class CrossCheck(unittest.TestCase):
    def assert_record(self, expected, record):
        self.assertEqual(record.type_code, expected["type"])
        self.assertEqual(record.count, expected["count"])
        for e, a in zip(expected["values"], record.values):
            self.assertTrue(same_value(expected["type"], e, a), (expected["type"], e, a))

    def assert_items(self, expected_items, items):
        self.assertEqual(len(items), len(expected_items))
        for e, item in zip(expected_items, items):
            if e["item"] == "block":
                self.assertIsInstance(item, kfsdump.Block)
                self.assertEqual(item.block_id, e["id"])
                self.assertEqual(len(item.records), len(e["records"]))
                for er, r in zip(e["records"], item.records):
                    self.assert_record(er, r)
            else:
                self.assertIsInstance(item, kfsdump.Record)
                self.assert_record(e, item)

    def test_native_file(self):
        expected = run_writer("write", WORK)
        path = os.path.join(WORK, "sample.kfs")
        box = kfsdump.load_file(path)
        self.assertEqual(box.byte_order, "<")
        self.assertEqual(box.api_id, 0x5F534644)
        self.assertEqual(box.as_dict()["api_id_text"], "DFS_")
        self.assertEqual(box.text, b" KORA Vale - this file contains binary data, do not edit  kfsdump check")
        for key in ("app_base", "container_base", "version_create", "version_create_app",
                    "version_edit", "version_edit_app"):
            self.assertEqual(getattr(box, key), expected[key], key)
        self.assertEqual(box.created.date(), expected["created"]["date"])
        self.assertEqual(box.created.time(), expected["created"]["time"])
        self.assertEqual(box.edited.values, box.created.values)
        self.assertEqual(box.reserved, (0, 0))
        self.assert_items(expected["items"], box.items)

    def big_endian_file(self):
        """A container as a big-endian writer makes it, with one record."""
        body = b"_AXO" + struct.pack(">I", 0x0BADF00D)
        body += b" KORA Vale - this file contains binary data, do not edit\x1a"
        stamp = struct.pack(">6H", 1999, 12, 31, 23, 59, 58)
        body += stamp + struct.pack(">2I", 104, 17) + stamp + struct.pack(">2I", 104, 17)
        body += struct.pack(">2I", 0, 0)
        body += bytes([2]) + struct.pack(">I", 2) + struct.pack(">2d", 1.25, -8.5)
        return body

    def test_edit_keeps_the_other_byte_order(self):
        path = os.path.join(WORK, "big_endian.kfs")
        with open(path, "wb") as f:
            f.write(self.big_endian_file())
        expected = run_writer("append", path)
        box = kfsdump.load_file(path)
        self.assertEqual(box.byte_order, ">")
        self.assertEqual(box.api_id, 0x0BADF00D)
        self.assertEqual(box.version_create_app, 17)
        self.assertEqual(box.version_edit_app, 0)  # refreshed by the internal identifier
        self.assertEqual(box.created.date(), "1999-12-31")
        self.assertNotEqual(box.edited.date(), "1999-12-31")
        self.assertEqual(expected["created"]["time"], "23:59:58")
        self.assertEqual(box.items[0].values, (1.25, -8.5))
        self.assert_items(expected["items"], box.items[1:])

    def test_truncation_is_detected(self):
        run_writer("write", WORK)
        with open(os.path.join(WORK, "sample.kfs"), "rb") as f:
            data = f.read()
        full = kfsdump.load(data)
        top_level_ends = {item.offset for item in full.items[1:]} | {len(data)}
        for cut in range(len(data)):
            try:
                box = kfsdump.load(data[:cut])
            except kfsdump.FormatError:
                self.assertNotIn(cut, top_level_ends - {full.app_base})
                continue
            # Only a cut between top-level items leaves a well-formed file.
            self.assertTrue(cut in top_level_ends or cut == full.app_base, cut)
            self.assertEqual(len(box.items), sum(1 for i in full.items if i.offset < cut))

    def test_command_line(self):
        run_writer("write", WORK)
        path = os.path.join(WORK, "sample.kfs")
        text = subprocess.run([sys.executable, KFSDUMP, "--text", "--no-values", path],
                              check=True, capture_output=True, text=True).stdout
        self.assertIn("block 40000 (3 records)", text)
        self.assertIn("double[3000]", text)
        js = json.loads(subprocess.run([sys.executable, KFSDUMP, path], check=True,
                                       capture_output=True, text=True).stdout)
        self.assertEqual(js["items"][1]["type_name"], "float")
        bad = os.path.join(WORK, "bad.kfs")
        with open(path, "rb") as f:
            data = bytearray(f.read())
        data[js["app_base"]] = 9  # an invalid type code
        with open(bad, "wb") as f:
            f.write(data)
        result = subprocess.run([sys.executable, KFSDUMP, bad], capture_output=True, text=True)
        self.assertEqual(result.returncode, 1)
        self.assertIn("offset %d" % js["app_base"], result.stderr)


if __name__ == "__main__":
    unittest.main(verbosity=2)
