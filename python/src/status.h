// Failures of the libraries on their way to Python.
//
// Code that runs without the interpreter lock cannot raise Python
// exceptions, so it throws LibraryFailure instead: which library, its status
// code, what was being done and the file involved. The translator installed
// by RegisterFailureTranslator turns it, once the lock is back, into the
// exception koracore.errors chooses for the code, carrying the library's own
// text for it.
#ifndef KORACORE_PYTHON_STATUS_H
#define KORACORE_PYTHON_STATUS_H

#include <pybind11/pybind11.h>

#include <stdexcept>
#include <string>

namespace koracore_py {

enum class Library { eKfs, eQty, eKvCart };

class LibraryFailure : public std::runtime_error {
 public:
  LibraryFailure(Library library, int code, std::string doing, std::string path = {});
  Library library() const { return m_library; }
  int code() const { return m_code; }
  const std::string& doing() const { return m_doing; }
  const std::string& path() const { return m_path; }

 private:
  Library m_library;
  int m_code;
  std::string m_doing;
  std::string m_path;
};

// The library's text for a code ("seek failed" for kfs 2006).
std::string StatusText(Library library, int code);

// Throws LibraryFailure for a kfs status other than 0.
void CheckKfs(int status, const char* doing, const std::string& path = {});

void RegisterFailureTranslator(pybind11::module_& m);

}  // namespace koracore_py

#endif
