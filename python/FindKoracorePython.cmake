# Finds what the Python package needs: an interpreter that imports numpy,
# its development files, and pybind11. Sets KORACORE_PYTHON_FOUND (and
# KORACORE_PYTHON_WHY when not found) and KORACORE_PYTHON_DEFAULT_INSTALL_DIR.
#
# numpy, xarray and pybind11 come from the distribution's packages, which
# serve the system's python3; a python3 earlier on PATH (pyenv, a virtual
# environment) may lack them. Unless Python3_EXECUTABLE is given, the first
# python3 on PATH that imports numpy is taken.
set(KORACORE_PYTHON_FOUND FALSE)
if(NOT Python3_EXECUTABLE)
  string(REPLACE ":" ";" search_dirs "$ENV{PATH}")
  list(APPEND search_dirs /usr/bin)
  foreach(dir IN LISTS search_dirs)
    if(dir AND EXISTS "${dir}/python3")
      execute_process(COMMAND "${dir}/python3" -c "import numpy"
                      RESULT_VARIABLE imports_numpy OUTPUT_QUIET ERROR_QUIET)
      if(imports_numpy EQUAL 0)
        set(Python3_EXECUTABLE "${dir}/python3" CACHE FILEPATH "Python interpreter with numpy")
        break()
      endif()
    endif()
  endforeach()
endif()

find_package(Python3 COMPONENTS Interpreter Development.Module NumPy)
if(NOT Python3_NumPy_FOUND OR NOT Python3_Development.Module_FOUND)
  set(KORACORE_PYTHON_WHY "no python3 with numpy and development files (python3-dev python3-numpy)")
  return()
endif()
set(PYBIND11_FINDPYTHON ON)
find_package(pybind11 CONFIG QUIET)
if(NOT pybind11_FOUND)
  set(KORACORE_PYTHON_WHY "pybind11 not found (pybind11-dev)")
  return()
endif()

# The interpreter's own package folder for this prefix layout: Debian's
# python3 reads <prefix>/lib/python3.X/dist-packages, others site-packages.
execute_process(
  COMMAND "${Python3_EXECUTABLE}" -c
    "import sysconfig as s; p = s.get_path('platlib', 'posix_prefix', vars={'platbase': '@', 'base': '@'}); d = s.get_path('platlib'); print((p[:-len('site-packages')] + 'dist-packages') if d.endswith('dist-packages') else p, end='')"
  OUTPUT_VARIABLE install_dir RESULT_VARIABLE rc)
string(REGEX REPLACE "^@/" "" install_dir "${install_dir}")
set(KORACORE_PYTHON_DEFAULT_INSTALL_DIR "${install_dir}")
set(KORACORE_PYTHON_FOUND TRUE)
