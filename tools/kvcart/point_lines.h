// The points kvcart converts: one "x y [z]" per line of text, numbers in
// the "C" form separated by blanks, tabs or commas. Blank lines and lines
// starting with "#" carry no point and are passed through as they are, so
// that a commented list of points comes back commented.
#ifndef TOOLS_KVCART_POINT_LINES_H
#define TOOLS_KVCART_POINT_LINES_H

#include <string>

namespace kvcart {

struct Point {
  double x = 0.0, y = 0.0, z = 0.0;
  bool hasZ = false;
};

// False for a line that carries no point. Throws tools::Failure naming the
// line number for a line that is neither: fewer than two or more than three
// fields, or a field that is not a finite number.
bool ParsePointLine(const std::string& line, long long lineNumber, Point& point);

// A number in the shortest fixed-point text that reads back to the same
// double ("500000", "0.1"), or "*" when it is not finite: no coordinate.
std::string CoordinateText(double value);

// "x y" or "x y z", each number as CoordinateText writes it.
std::string PointText(const Point& point);

}  // namespace kvcart

#endif
