// The compiled part of the koracore package. It holds only what needs C:
// calls into the libraries, with the interpreter lock released around file
// reading, writing and conversion, and numpy arrays filled in place. The
// Python modules of the package give it its shape.
#include <pybind11/pybind11.h>

#include "bindings.h"
#include "status.h"

PYBIND11_MODULE(_koracore, m) {
  m.doc() = "koracore libraries: data files, units and projections";
  koracore_py::RegisterFailureTranslator(m);
  koracore_py::BindUnits(m);
  koracore_py::BindDataFiles(m);
  koracore_py::BindWriter(m);
  koracore_py::BindDefinitions(m);
  koracore_py::BindProjections(m);
}
