#include "table.h"

#include <algorithm>

namespace tools {

size_t Characters(const std::string& text) {
  size_t count = 0;
  for (unsigned char c : text) count += (c & 0xC0) != 0x80;
  return count;
}

void Table::Write(std::FILE* out, bool tabs) const {
  std::vector<size_t> widths;
  for (const auto& row : m_rows) {
    if (widths.size() < row.size()) widths.resize(row.size(), 0);
    for (size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], Characters(row[i]));
  }
  for (const auto& row : m_rows) {
    std::string line;
    for (size_t i = 0; i < row.size(); ++i) {
      line += row[i];
      if (i + 1 == row.size()) break;
      line += tabs ? std::string("\t") : std::string(widths[i] - Characters(row[i]) + 2, ' ');
    }
    line += "\n";
    std::fwrite(line.data(), 1, line.size(), out);
  }
}

}  // namespace tools
