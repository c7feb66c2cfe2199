// Loading entry points of the flat interface and the Windows-style path
// helpers.
#include <cstdio>
#include <cstring>
#include <string>

#include "base/kora_diagnostics.h"
#include "qty/CKVregistry.h"
#include "qty/CTableLoader.h"
#include "qty/LanguageFiles.h"
#include "qty/QtyStatus.h"
#include "qty/TablePaths.h"
#include "qty/qty.h"

namespace {

// Process-wide names: the table handed to qtyLoadItemTypeTables and the last
// table loaded successfully. Strings, not fixed buffers: any path fits.
struct SetupNames {
  std::string libraryFile;
  std::string documentName;
};

SetupNames& Names() {
  static SetupNames* const names = new SetupNames();
  return *names;
}

}  // namespace

namespace {

// Copies text into dst of `size` bytes; -1 when it had to be cut.
int CopyBounded(char* dst, const std::string& text, size_t size) {
  if (!dst || size == 0) return -1;
  const size_t n = text.size() < size ? text.size() : size - 1;
  std::memcpy(dst, text.data(), n);
  dst[n] = '\0';
  return n == text.size() ? 0 : -1;
}

// The default table is missing: say so, and where it was looked for, so that
// the cause is not taken for a table that does not parse.
void ReportMissingTable() {
  std::string places = qty::TableSearchList();
  if (places.empty()) places = "(the library's own folder could not be told)\n";
  koraDiagnostic(koraDiagError, "The unit table QTY.xml was not found; looked for:\n%s",
                 places.c_str());
}

}  // namespace

extern "C" {

int qtySetupLoad(const char* path) {
  return qty::Flat([&] {
    const bool given = path && *path;
    const std::string table = given ? std::string(path) : qty::DefaultTablePath();
    if (!qty::LoadUnitTable(QtyRegistry(), table)) {
      if (!given && !qty::DefaultTableExists()) ReportMissingTable();
      return QtyStatus::eTable;
    }
    Names().documentName = table;
    return QtyStatus::eOk;
  });
}

int qtySetupLoadLinux(const char* path) { return qtySetupLoad(path); }

void qtyLoadItemTypeTables(const char* path) {
  qty::Guarded([&] {
    Names().libraryFile = path ? path : "";
    if (qtySetupLoad(path)) qty::ApplyLanguageFiles(QtyRegistry(), qty::TableFolder());
  });
}

const char* qtySetupGetPath(const char** path) {
  const char* name = qty::Guarded("", [] { return Names().documentName.c_str(); });
  if (path) *path = name;
  return name;
}

void qtySetupUnload(void) {}

void qtyUnloadItemTypeTables(void) {}

int qtySetupWrite(void) { return 1; }

int _fullpath(char* dst, const char* /*path*/, int size) {
  return qty::Guarded(-1, [&] {
    const size_t bytes = size > 0 ? static_cast<size_t>(size) : QTY_MAX_PATH;
    return CopyBounded(dst, qty::TableFolder(), bytes);
  });
}

int _splitpath(char* /*path*/, char* /*drive*/, char* dir, char* /*name*/, char* /*ext*/) {
  return qty::Guarded(-1, [&] { return CopyBounded(dir, qty::TableFolder(), QTY_MAX_PATH); });
}

int _makepath(char* dst, char* /*drive*/, char* dir, char* name, char* ext) {
  return qty::Guarded(-1, [&] {
    std::string joined;
    for (const char* part : {dir, name, ext}) {
      if (part) joined += part;
    }
    return CopyBounded(dst, joined, QTY_MAX_PATH);
  });
}

}  // extern "C"
