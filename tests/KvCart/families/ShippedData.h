/* The shipped data of the projection library for the family tests: the
 * ellipsoid file loaded once into the process-wide list (the records look
 * their ellipsoid up there), and the tables the projection files were
 * generated from (the CSV files of tools/data), read by a small reader. */
#ifndef KORACORE_TESTS_KVCART_SHIPPEDDATA_H
#define KORACORE_TESTS_KVCART_SHIPPEDDATA_H

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "KvCart/core/CKvCartSetup.h"

// The shipped ellipsoids in the process-wide list, once per test program.
inline void LoadShippedEllipsoids() {
  static const bool loaded = [] {
    CKvEllipsoidList& list = CKvCartSetup::Instance().GetEllipsoidList();
    if (list.GetEllipsoid("WE") == nullptr) {
      list.ReadEllipsoids(KORACORE_SOURCE_DIR "/data/ellipsoid.rcf", false);
      list.GenerateCompleteList();
    }
    return true;
  }();
  (void)loaded;
}

using CsvRow = std::map<std::string, std::string>;

// The rows of a CSV file with a header line (quoted fields, "" inside quotes).
inline std::vector<CsvRow> ReadCsv(const std::string& path) {
  std::ifstream in(path);
  std::stringstream all;
  all << in.rdbuf();
  const std::string text = all.str();
  std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
      records.back().back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && c == ',') {
      records.back().emplace_back();
    } else if (!quoted && c == '\n') {
      records.emplace_back(1);
    } else if (c != '\r' || quoted) {
      records.back().back() += c;
    }
  }
  std::vector<CsvRow> rows;
  for (size_t r = 1; r < records.size(); ++r) {
    if (records[r].size() != records[0].size()) continue;  // the empty last line
    CsvRow row;
    for (size_t k = 0; k < records[0].size(); ++k) row[records[0][k]] = records[r][k];
    rows.push_back(row);
  }
  return rows;
}

#endif
