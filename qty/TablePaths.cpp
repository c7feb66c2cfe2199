#include "qty/TablePaths.h"

#include <unistd.h>

#include <cstdlib>

#ifndef KORACORE_INSTALL_DATA_DIR
#define KORACORE_INSTALL_DATA_DIR "/usr/local/share/koracore"
#endif
#ifndef KORACORE_SOURCE_DATA_DIR
#define KORACORE_SOURCE_DATA_DIR ""
#endif

namespace qty {

namespace {
const char kTableName[] = "QTY";
const char kTableExtension[] = ".xml";
}  // namespace

std::string TableFolder(const char* home, const std::string& installed, const std::string& source) {
  if (home && *home) return std::string(home) + "/bin/";
  const std::string installedTable = installed + "/" + kTableName + kTableExtension;
  if (access(installedTable.c_str(), R_OK) == 0) return installed + "/";
  return source + "/";
}

std::string TableFolder() {
  return TableFolder(std::getenv("KORA_HOME"), KORACORE_INSTALL_DATA_DIR, KORACORE_SOURCE_DATA_DIR);
}

std::string DefaultTablePath() { return TableFolder() + kTableName + kTableExtension; }

}  // namespace qty
