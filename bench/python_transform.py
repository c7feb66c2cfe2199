#!/usr/bin/env python3
"""Transforming a million points from longitude/latitude to UTM zone 32
through koracore.crs.Transformer against calling the whole-array C function
C_KVDC_CONVERTXY_ARRAY directly (through ctypes), with pyproj's transformer
on the same points for comparison.

Best of seven each; the ratio is C time / koracore time.

    PYTHONPATH=build/python python3 bench/python_transform.py build/KvCart/libKvCart-koracore.so
"""

import ctypes
import sys
import time

import numpy as np

from koracore import crs

COUNT = 1_000_000


def best_of(runs, work):
    best = float("inf")
    for _ in range(runs):
        start = time.perf_counter()
        work()
        best = min(best, time.perf_counter() - start)
    return best


def c_converter(library):
    lib = ctypes.CDLL(library)  # the library the package loaded, set up by it
    p, d = ctypes.c_void_p, ctypes.POINTER(ctypes.c_double)
    lib.C_KVDC_CREATE.argtypes = [ctypes.c_char_p, ctypes.c_char_p, ctypes.POINTER(p),
                                  ctypes.POINTER(ctypes.c_int)]
    lib.C_KVDC_SETCONVERSIONTYPE.argtypes = [p, ctypes.c_int]
    lib.C_KVDC_CONVERTXY_ARRAY.argtypes = [p, ctypes.c_int, d, d, d, d,
                                           ctypes.POINTER(ctypes.c_int)]
    handle, status = p(), ctypes.c_int()
    lib.C_KVDC_CREATE(crs.LONG_LAT.encode(), b"UTM-32", ctypes.byref(handle),
                      ctypes.byref(status))
    lib.C_KVDC_SETCONVERSIONTYPE(handle, 2)  # geographical to projected
    return lib, handle


def main(library):
    rng = np.random.default_rng(5)
    lon, lat = rng.uniform(6, 12, COUNT), rng.uniform(45, 70, COUNT)
    ours = crs.Transformer(crs.LONG_LAT, "UTM-32")
    lib, handle = c_converter(library)
    x, y = np.empty(COUNT), np.empty(COUNT)
    d = ctypes.POINTER(ctypes.c_double)

    def c_call():
        lib.C_KVDC_CONVERTXY_ARRAY(handle, COUNT, lon.ctypes.data_as(d), lat.ctypes.data_as(d),
                                   x.ctypes.data_as(d), y.ctypes.data_as(d), None)

    c_time = best_of(7, c_call)
    our_time = best_of(7, lambda: ours.transform(lon, lat))
    assert np.array_equal(ours.transform(lon, lat), (x, y))
    print("%d points, longitude/latitude to UTM zone 32" % COUNT)
    print("C C_KVDC_CONVERTXY_ARRAY     %7.1f ms" % (c_time * 1e3))
    print("crs.Transformer.transform    %7.1f ms  ratio %.2f" % (our_time * 1e3, c_time / our_time))
    try:
        import pyproj
    except ImportError:
        return
    theirs = pyproj.Transformer.from_crs("EPSG:4326", "EPSG:32632", always_xy=True)
    proj_time = best_of(7, lambda: theirs.transform(lon, lat))
    print("pyproj Transformer.transform %7.1f ms" % (proj_time * 1e3))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "libKvCart-koracore.so.1")
