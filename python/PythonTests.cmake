# The pytest suites of tests/python, run by CTest against the package in the
# build tree: PYTHONPATH points at it, the libraries come through the
# extension's run path, and the unit table is found from the build tree.
execute_process(COMMAND "${Python3_EXECUTABLE}" -c "import pytest"
                RESULT_VARIABLE has_pytest OUTPUT_QUIET ERROR_QUIET)
if(NOT has_pytest EQUAL 0)
  message(STATUS "Python package tests skipped: pytest not found (python3-pytest)")
  return()
endif()

set(python_test_dir "${PROJECT_SOURCE_DIR}/tests/python")
set(python_test_work "${PROJECT_BINARY_DIR}/tests/work/python")
file(MAKE_DIRECTORY "${python_test_work}")
set(python_test_env
  "PYTHONPATH=${CMAKE_CURRENT_BINARY_DIR}"
  "KORACORE_BUILD_DIR=${PROJECT_BINARY_DIR}"
  "KORACORE_PYTHON_INSTALL_DIR=${KORACORE_PYTHON_INSTALL_DIR}"
  "KORACORE_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
  "KORACORE_DEMO=$<TARGET_FILE:koracore-demo>"
  "KORACORE_KFS_LIBRARY=$<TARGET_FILE:kfs-koracore>"
  "KORACORE_QTY_LIBRARY=$<TARGET_FILE:qty-koracore>"
  "KORACORE_KVCART_LIBRARY=$<TARGET_FILE:KvCart-koracore>"
  "MPLBACKEND=Agg"
  "PYTHONDONTWRITEBYTECODE=1")
# The C dump tool, when the build has it: `info` must print what it prints.
if(TARGET kfsdump)
  list(APPEND python_test_env "KORACORE_KFSDUMP=$<TARGET_FILE:kfsdump>")
endif()
# An interpreter that is not built with the sanitizers must load their
# run-time first, and the C++ run-time with it, so that the sanitizer finds
# the exception functions it wraps; Python's own allocations are not ours to
# report as leaks.
if(KORACORE_SANITIZE)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libasan.so
                  OUTPUT_VARIABLE asan_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++.so
                  OUTPUT_VARIABLE cxx_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
  list(APPEND python_test_env "LD_PRELOAD=${asan_runtime}:${cxx_runtime}"
       "ASAN_OPTIONS=detect_leaks=0")
endif()

# One CTest test per suite file, so a failure names its area.
file(GLOB python_suites CONFIGURE_DEPENDS "${python_test_dir}/test_*.py")
foreach(suite IN LISTS python_suites)
  get_filename_component(stem "${suite}" NAME_WE)
  string(REGEX REPLACE "^test_" "" area "${stem}")
  add_test(NAME python.${area}
           COMMAND "${Python3_EXECUTABLE}" -m pytest -q -p no:cacheprovider "${suite}"
                   --basetemp "${python_test_work}/${area}"
           WORKING_DIRECTORY "${python_test_work}")
  set_tests_properties(python.${area} PROPERTIES ENVIRONMENT "${python_test_env}")
endforeach()
