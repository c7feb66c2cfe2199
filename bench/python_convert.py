#!/usr/bin/env python3
"""Converting ten million floats through koracore.units.convert against
calling the C function qtyConvertItemArrayF directly (through ctypes, which
adds one call's overhead to 10^7 elements).

Both convert metres to feet in place, alternating, best of nine each; the
ratio is C time / koracore time. Also shown: convert without `out`, which first copies the
array (the numpy-style call).

    PYTHONPATH=build/python python3 bench/python_convert.py build/qty/libqty-koracore.so
"""

import ctypes
import sys
import time

import numpy as np

from koracore import units

COUNT = 10_000_000


def best_of(runs, work):
    best = float("inf")
    for _ in range(runs):
        start = time.perf_counter()
        work()
        best = min(best, time.perf_counter() - start)
    return best


def main(library):
    qty = ctypes.CDLL(library)
    qty.qtyConvertItemArrayF.argtypes = [ctypes.c_int, ctypes.c_int, ctypes.c_void_p,
                                        ctypes.c_int, ctypes.c_float]
    meter, foot = units.find("m").id, units.find("ft").id
    values = np.random.default_rng(1).random(COUNT, dtype=np.float32)
    c_time = ours = copying = float("inf")
    for _ in range(9):
        c_time = min(c_time, best_of(1, lambda: qty.qtyConvertItemArrayF(
            meter, foot, values.ctypes.data, COUNT, -1e-35)))
        ours = min(ours, best_of(1, lambda: units.convert(values, "m", "ft", delete_value=-1e-35,
                                                          out=values)))
        copying = min(copying, best_of(1, lambda: units.convert(values, "m", "ft",
                                                                delete_value=-1e-35)))
        values /= 10.0  # keeps the numbers in range over the runs
    print("%d floats, metre to foot" % COUNT)
    print("C qtyConvertItemArrayF       %7.2f ms" % (c_time * 1e3))
    print("units.convert(out=values)    %7.2f ms  ratio %.2f" % (ours * 1e3, c_time / ours))
    print("units.convert (new array)    %7.2f ms  ratio %.2f" % (copying * 1e3, c_time / copying))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "libqty-koracore.so.1")
