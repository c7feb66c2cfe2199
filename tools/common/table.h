// Rows of columns for the listings of the tools: aligned for people, or
// tab-separated for scripts (--tsv). Widths count characters, not bytes, so
// that "°C" and "µm" keep a column straight.
#ifndef TOOLS_COMMON_TABLE_H
#define TOOLS_COMMON_TABLE_H

#include <cstdio>
#include <string>
#include <vector>

namespace tools {

class Table {
 public:
  explicit Table(std::vector<std::string> header) : m_rows{std::move(header)} {}
  void Add(std::vector<std::string> row) { m_rows.push_back(std::move(row)); }
  void Write(std::FILE* out, bool tabs) const;

 private:
  std::vector<std::vector<std::string>> m_rows;
};

// Characters of a UTF-8 text (bytes that do not continue a character).
size_t Characters(const std::string& text);

}  // namespace tools

#endif
