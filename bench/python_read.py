#!/usr/bin/env python3
"""Reading a result file into numpy through koracore, against reading the
same bytes with numpy.fromfile.

The file: 4 float items on a 300 x 300 grid, 100 steps (144 MB of values),
written once through koracore.create into KORACORE_BENCH_DIR (default /tmp)
and read from the page cache. Timed, best of five: every step of every item
read with DataFile.read - one call per item for all its steps (the arrays
kept), and one call per item and step as a loop over the steps does it
(each array dropped when the next step comes) - and numpy.fromfile of the
whole file. The ratio is fromfile time / koracore time: 1.0 means as fast
as reading the raw bytes.

    PYTHONPATH=build/python python3 bench/python_read.py
"""

import os
import time

import numpy as np

import koracore

SIDE, ITEMS, STEPS = 300, 4, 100


def bench_file():
    path = os.path.join(os.environ.get("KORACORE_BENCH_DIR", "/tmp"), "koracore_bench_python.dfs")
    items = [koracore.Item("Item %d" % n, "Water Level", "m", koracore.Axis.eq2(SIDE, SIDE))
             for n in range(1, ITEMS + 1)]
    values = np.random.default_rng(1).random((SIDE, SIDE), dtype=np.float32)
    with koracore.create(path, items, koracore.TimeAxis.relative_axis(0.0, 60.0)) as w:
        for _ in range(STEPS):
            w.write_step([values] * ITEMS)
    return path


def best_of(runs, work):
    best = float("inf")
    for _ in range(runs):
        start = time.perf_counter()
        work()
        best = min(best, time.perf_counter() - start)
    return best


def read_step_by_step(f):
    for k in range(STEPS):
        for n in range(1, ITEMS + 1):
            values = f.read(n, k)
    return values


def main():
    path = bench_file()
    raw = best_of(5, lambda: np.fromfile(path, dtype=np.uint8))
    with koracore.open(path) as f:
        whole = best_of(5, lambda: [f.read(n) for n in range(1, ITEMS + 1)])
        steps = best_of(5, lambda: read_step_by_step(f))
    size = os.path.getsize(path) / 1e6
    print("file %s, %.1f MB" % (path, size))
    print("numpy.fromfile             %7.1f ms  %6.0f MB/s" % (raw * 1e3, size / raw))
    print("koracore, item by item     %7.1f ms  ratio %.2f" % (whole * 1e3, raw / whole))
    print("koracore, step by step     %7.1f ms  ratio %.2f" % (steps * 1e3, raw / steps))
    os.remove(path)


if __name__ == "__main__":
    main()
