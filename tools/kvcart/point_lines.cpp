#include "point_lines.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "command_line.h"

namespace kvcart {

namespace {

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  const char* separators = " \t\r,";
  while ((start = line.find_first_not_of(separators, start)) != std::string::npos) {
    const size_t end = line.find_first_of(separators, start);
    fields.push_back(line.substr(start, end - start));
    start = end;
  }
  return fields;
}

}  // namespace

std::string CoordinateText(double value) {
  if (!std::isfinite(value)) return "*";
  // Fixed notation: coordinates read as "500000", not "5e+05"; still the
  // shortest text that reads back to the same double.
  char text[400];  // the longest finite double written out in full
  const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
  return std::string(text, written.ptr);
}

bool ParsePointLine(const std::string& line, long long lineNumber, Point& point) {
  const std::vector<std::string> fields = Fields(line);
  if (fields.empty() || fields[0][0] == '#') return false;
  const std::string where = "line " + std::to_string(lineNumber) + ": ";
  if (fields.size() < 2 || fields.size() > 3) {
    throw tools::Failure(where + "expected x y [z], found " + std::to_string(fields.size()) +
                         (fields.size() == 1 ? " field" : " fields"));
  }
  try {
    point.x = tools::ParseNumber(fields[0], "x");
    point.y = tools::ParseNumber(fields[1], "y");
    point.hasZ = fields.size() == 3;
    point.z = point.hasZ ? tools::ParseNumber(fields[2], "z") : 0.0;
  } catch (const tools::UsageError& e) {
    throw tools::Failure(where + e.what());
  }
  return true;
}

std::string PointText(const Point& point) {
  std::string text = CoordinateText(point.x) + " " + CoordinateText(point.y);
  if (point.hasZ) text += " " + CoordinateText(point.z);
  return text;
}

}  // namespace kvcart
