#include "status.h"

#include "kfs/container/kfs.h"
#include "qty/qty.h"

namespace py = pybind11;

namespace koracore_py {

LibraryFailure::LibraryFailure(Library library, int code, std::string doing, std::string path)
    : std::runtime_error(StatusText(library, code)),
      m_library(library),
      m_code(code),
      m_doing(std::move(doing)),
      m_path(std::move(path)) {}

std::string StatusText(Library library, int code) {
  switch (library) {
    case Library::eKfs: return kfsErrorText(static_cast<unsigned int>(code));
    case Library::eQty: return qtyErrorText(code);
    case Library::eKvCart: return "the projection library could not do it";
  }
  return "unknown failure";
}

void CheckKfs(int status, const char* doing, const std::string& path) {
  if (status != 0) throw LibraryFailure(Library::eKfs, status, doing, path);
}

namespace {

const char* LibraryName(Library library) {
  switch (library) {
    case Library::eKfs: return "kfs";
    case Library::eQty: return "qty";
    case Library::eKvCart: return "KvCart";
  }
  return "";
}

// koracore.errors picks the exception class; raising it here keeps the
// classes and their choice in one readable Python file.
void RaiseFromFailure(const LibraryFailure& failure) {
  py::object make = py::module_::import("koracore.errors").attr("from_status");
  py::object exception = make(LibraryName(failure.library()), failure.code(), failure.what(),
                              failure.doing(), failure.path());
  PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(exception.ptr())), exception.ptr());
}

}  // namespace

void RegisterFailureTranslator(py::module_& m) {
  py::register_exception_translator([](std::exception_ptr pending) {
    try {
      if (pending) std::rethrow_exception(pending);
    } catch (const LibraryFailure& failure) {
      RaiseFromFailure(failure);
    }
  });
  m.def(
      "status_text",
      [](const std::string& library, int code) {
        if (library == "kfs") return StatusText(Library::eKfs, code);
        if (library == "qty") return StatusText(Library::eQty, code);
        throw py::value_error("library is \"kfs\" or \"qty\"");
      },
      "The library's own text for a status code.");
}

}  // namespace koracore_py
