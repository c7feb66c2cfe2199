"""The package as `cmake --install` lays it out: importable from the
prefix's Python path, its libraries found beside it, the xarray backend
registered."""

import os
import shutil
import subprocess
import sys

import pytest


def test_installed_package_works_from_a_moved_prefix(tmp_path, demo_files):
    build = os.environ.get("KORACORE_BUILD_DIR")
    site = os.environ.get("KORACORE_PYTHON_INSTALL_DIR")
    if not build or not site:
        pytest.skip("run through ctest")
    subprocess.run(["cmake", "--install", build, "--prefix", str(tmp_path / "first")],
                   check=True, stdout=subprocess.DEVNULL)
    # Nothing refers to the prefix it was installed into.
    shutil.move(tmp_path / "first", tmp_path / "moved")
    environment = dict(os.environ, PYTHONPATH=str(tmp_path / "moved" / site))
    environment.pop("KORA_HOME", None)
    # The unit table and the projection definitions come from the moved
    # prefix, not from the source tree the libraries were built from.
    script = ("import koracore, xarray, sys; from koracore import crs; "
              "assert koracore.__file__.startswith(sys.argv[1]), koracore.__file__; "
              "assert koracore.units.table_path().startswith(sys.argv[1]); "
              "assert 'koracore' in xarray.backends.list_engines(); "
              "assert crs.default_folder().startswith(sys.argv[1]); "
              "assert crs.setup() and len(crs.names()) > 300; "
              "x = crs.Transformer(crs.LONG_LAT, 'UTM-32').transform(9, 0)[0]; "
              "assert abs(x - 5e5) < 1e-6; "
              "print(koracore.open(sys.argv[2]).items[0].unit.name)")
    result = subprocess.run([sys.executable, "-c", script, str(tmp_path / "moved"),
                             str(demo_files[0])], env=environment, capture_output=True,
                            text=True, cwd=tmp_path)
    assert result.returncode == 0, result.stderr
    assert result.stdout.strip() == "meter"
