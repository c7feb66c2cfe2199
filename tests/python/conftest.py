"""Shared fixtures of the koracore package tests.

CTest runs these suites with PYTHONPATH at the package in the build tree and
names the demo program and the shared libraries in the environment
(python/PythonTests.cmake); run by hand, set the same variables.
"""

import ctypes
import os
import subprocess

import numpy as np
import pytest

import koracore


def _required(variable):
    value = os.environ.get(variable)
    if not value:
        pytest.skip("%s is not set (run the suites through ctest)" % variable)
    return value


@pytest.fixture(scope="session")
def demo_files(tmp_path_factory):
    """The two files the demo writes: bay_result.dfs and gauge.dfs."""
    folder = tmp_path_factory.mktemp("demo")
    subprocess.run([_required("KORACORE_DEMO"), str(folder)], check=True,
                   stdout=subprocess.DEVNULL)
    return folder / "bay_result.dfs", folder / "gauge.dfs"


@pytest.fixture(scope="session")
def libkfs():
    """The data-file library itself, through ctypes: the C interface the
    package is compared with."""
    lib = ctypes.CDLL(_required("KORACORE_KFS_LIBRARY"))
    p, i = ctypes.c_void_p, ctypes.c_int
    lib.dfsFileRead.argtypes = [ctypes.c_char_p, ctypes.POINTER(p), ctypes.POINTER(p)]
    lib.dfsFindItemDynamic.argtypes = [p, p, i, i]
    lib.dfsReadItemTimeStep.argtypes = [p, p, ctypes.POINTER(ctypes.c_double), p]
    lib.dfsFileClose.argtypes = [p, ctypes.POINTER(p)]
    lib.dfsHeaderDestroy.argtypes = [ctypes.POINTER(p)]
    return lib


@pytest.fixture(scope="session")
def libqty():
    lib = ctypes.CDLL(_required("KORACORE_QTY_LIBRARY"))
    i = ctypes.c_int
    lib.qtyConvertItemArrayF.argtypes = [i, i, ctypes.c_void_p, i, ctypes.c_float]
    lib.qtyConvertItemArrayD.argtypes = [i, i, ctypes.c_void_p, i, ctypes.c_double]
    return lib


def c_read(libkfs, path, item, step, dtype, shape):
    """One item step as the C interface reads it."""
    header, handle = ctypes.c_void_p(), ctypes.c_void_p()
    assert libkfs.dfsFileRead(str(path).encode(), ctypes.byref(header), ctypes.byref(handle)) == 0
    try:
        out = np.empty(shape, dtype=dtype)
        assert libkfs.dfsFindItemDynamic(header, handle, step, item) == 0
        time = ctypes.c_double()
        assert libkfs.dfsReadItemTimeStep(header, handle, ctypes.byref(time),
                                          out.ctypes.data_as(ctypes.c_void_p)) == 0
        return out
    finally:
        libkfs.dfsFileClose(header, ctypes.byref(handle))
        libkfs.dfsHeaderDestroy(ctypes.byref(header))


def grid_item(name="Water level", nx=4, ny=3, dtype=np.float32, unit="m"):
    return koracore.Item(name, "Water Level", unit, koracore.Axis.eq2(nx, ny, 10.0, 20.0),
                         dtype)


def hourly():
    return koracore.TimeAxis.calendar_axis("2024-03-01T06:00:00", step=3600.0)
