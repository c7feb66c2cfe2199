#include "qty/TablePaths.h"

#include <vector>

#include "base/kora_data.h"

namespace qty {

namespace {

const char kTableFile[] = "QTY.xml";

// The data search for the table, with a buffer as long as the path needs.
std::string SearchTable(bool* found) {
  std::vector<char> path(512);
  size_t length = 0;
  int result = koraFindDataFile(kTableFile, path.data(), path.size(), &length);
  if (length >= path.size()) {
    path.resize(length + 1);
    result = koraFindDataFile(kTableFile, path.data(), path.size(), &length);
  }
  if (found) *found = result == 1;
  return std::string(path.data());
}

}  // namespace

std::string DefaultTablePath() { return SearchTable(nullptr); }

bool DefaultTableExists() {
  bool found = false;
  SearchTable(&found);
  return found;
}

std::string TableFolder() {
  const std::string table = DefaultTablePath();
  return table.substr(0, table.rfind('/') + 1);
}

std::string TableSearchList() {
  std::string list(koraDataSearchList(kTableFile, nullptr, 0), '\0');
  koraDataSearchList(kTableFile, &list[0], list.size() + 1);
  return list;
}

}  // namespace qty
