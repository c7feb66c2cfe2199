#include "convert.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <memory>
#include <string>

#include "KvCart/facade/CKvDatumConverter.h"
#include "command_line.h"
#include "point_lines.h"
#include "progress.h"

namespace kvcart {

namespace {

// Far longer than any line of three numbers: a longer one is not a point
// line, and the limit keeps a file without line ends from filling memory.
constexpr size_t kLongestLine = 4096;

// One line of `in` without its line end; false at the end of the input.
bool ReadLine(std::FILE* in, long long lineNumber, std::string& line) {
  line.clear();
  int c = 0;
  while ((c = std::fgetc(in)) != EOF && c != '\n') {
    if (line.size() == kLongestLine) {
      throw tools::Failure("line " + std::to_string(lineNumber) + " is longer than " +
                           std::to_string(kLongestLine) + " characters");
    }
    line += static_cast<char>(c);
  }
  return c != EOF || !line.empty();
}

CKvDatumConverter::ETypeOfConversion ConversionType(bool fromGeo, bool toGeo) {
  if (fromGeo) return toGeo ? CKvDatumConverter::eGeoToGeo : CKvDatumConverter::eGeoToProj;
  return toGeo ? CKvDatumConverter::eProjToGeo : CKvDatumConverter::eProjToProj;
}

bool Converted(const CKvDatumConverter& converter, Point& point) {
  if (point.hasZ) {
    converter.Convert(point.x, point.y, point.z);
  } else {
    converter.Convert(point.x, point.y);
  }
  const bool finite = std::isfinite(point.x) && std::isfinite(point.y) && std::isfinite(point.z);
  if (!finite) point.x = point.y = point.z = NAN;
  return finite;
}

// A progress line in bytes read, for a file given on standard input: a pipe
// has no size to count against. Not when the points themselves go to the
// terminal, where the line would tear them.
std::unique_ptr<tools::Progress> ProgressOf(std::FILE* in, std::FILE* out) {
  struct stat status {};
  if (fstat(fileno(in), &status) != 0 || !S_ISREG(status.st_mode) || isatty(fileno(out))) {
    return nullptr;
  }
  return std::make_unique<tools::Progress>("byte", static_cast<long long>(status.st_size));
}

}  // namespace

long long ConvertPoints(const CoordinateSystem& from, const CoordinateSystem& to, std::FILE* in,
                        std::FILE* out) {
  CKvDatumConverter converter(from.projection.get(), to.projection.get());
  converter.SetConversionType(ConversionType(IsGeographical(from), IsGeographical(to)));
  const std::unique_ptr<tools::Progress> progress = ProgressOf(in, out);
  long long failed = 0, bytes = 0;
  std::string line;
  for (long long number = 1; ReadLine(in, number, line); ++number) {
    bytes += static_cast<long long>(line.size()) + 1;
    if (progress) progress->Update(bytes);
    Point point;
    if (!ParsePointLine(line, number, point)) {
      std::fprintf(out, "%s\n", line.c_str());
      continue;
    }
    if (!Converted(converter, point)) ++failed;
    std::fprintf(out, "%s\n", PointText(point).c_str());
  }
  if (std::ferror(in)) throw tools::Failure("cannot read the points");
  return failed;
}

}  // namespace kvcart
