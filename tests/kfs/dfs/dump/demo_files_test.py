"""Runs the end-to-end demo and reads every file it wrote with
tools/dfsdump.py, a reader written independently from the layout tables.

    python3 test_demo_files.py DEMO DFSDUMP_PY WORK_DIR
"""

import importlib.util
import os
import subprocess
import sys
import unittest

DEMO, DFSDUMP, WORK = sys.argv[1:4]
del sys.argv[1:4]

spec = importlib.util.spec_from_file_location("dfsdump", DFSDUMP)
dfsdump = importlib.util.module_from_spec(spec)
spec.loader.exec_module(dfsdump)


class DemoFiles(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        for name in ("bay_result.dfs", "gauge.dfs"):
            path = os.path.join(WORK, name)
            if os.path.exists(path):
                os.remove(path)
        run = subprocess.run([DEMO, WORK], capture_output=True, text=True, timeout=60)
        cls.status, cls.output, cls.errors = run.returncode, run.stdout, run.stderr

    def test_the_demo_succeeds_and_says_what_it_read(self):
        self.assertEqual(self.status, 0, self.errors)
        for text in ("F_CAL_EQ_AXIS, 48 steps", "meter per second", "degree Celsius",
                     "Bathymetry", "statistics over all steps", "single-point series"):
            self.assertIn(text, self.output)

    def test_the_result_file_follows_the_layout(self):
        df = dfsdump.load_file(os.path.join(WORK, "bay_result.dfs"))
        self.assertTrue(df.statistics_checked)
        self.assertEqual(df.time_axis["steps"], 48)
        self.assertEqual(len(df.steps), 48)
        self.assertEqual([i["name"] for i in df.items],
                         ["Water level", "Current speed", "Water temperature"])
        for item in df.items:
            self.assertEqual(item["axis"]["sizes"], [200, 150])
            self.assertGreater(item["missing"], 0)  # dry cells
        self.assertEqual([s["name"] for s in df.static_items], ["Bathymetry"])
        self.assertTrue(df.geo_info["projection"].startswith("PROJCS[\"WGS_1984_UTM_Zone_32N\""))

    def test_the_gauge_series_follows_the_layout(self):
        df = dfsdump.load_file(os.path.join(WORK, "gauge.dfs"))
        self.assertEqual(len(df.steps), 48)
        self.assertEqual([i["data_type"] for i in df.items], [1, 2])
        self.assertEqual(df.items[0]["axis"]["elements"], 1)


if __name__ == "__main__":
    unittest.main()
