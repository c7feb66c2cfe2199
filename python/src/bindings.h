// The parts of the compiled module, each adding its functions and classes.
#ifndef KORACORE_PYTHON_BINDINGS_H
#define KORACORE_PYTHON_BINDINGS_H

#include <pybind11/pybind11.h>

namespace koracore_py {

void BindUnits(pybind11::module_& m);
void BindDataFiles(pybind11::module_& m);
void BindWriter(pybind11::module_& m);
void BindProjections(pybind11::module_& m);
void BindDefinitions(pybind11::module_& m);

}  // namespace koracore_py

#endif
