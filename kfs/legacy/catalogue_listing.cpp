// cat_tell: the summary listing of a data set of the catalogue family
// (catalogue.h). Numbers are shown with nicefm so the columns stay aligned
// whatever their magnitude; the item statistics line up under their
// headings (9 characters and a blank each).
#include <climits>
#include <cmath>
#include <cstdio>
#include <string>

#include "base/kora_boundary.h"
#include "kfs/legacy/catalogue.h"
#include "kfs/util/date.h"
#include "kfs/util/number_locale.h"
#include "kfs/util/text_util.h"

namespace {

using kfs::util::formatC;

const std::string kRule(72, '-');

std::string nice(int width, double value) {
  char field[32];
  return nicefm(field, width, value);
}

// Whole-number fields of a record may hold anything; convert without
// overflow.
int wholeNumber(float value, int low, int high) {
  double v = static_cast<double>(value);
  if (!std::isfinite(v)) return low;
  v = std::nearbyint(v);
  if (v < low) return low;
  if (v > high) return high;
  return static_cast<int>(v);
}

std::string timeStart(const catRecord& cat) {
  if (!(cat.startDate > 0)) return nice(5, cat.time.start);
  date4 start = {wholeNumber(cat.startDate, 0, INT_MAX), 0, 0,
                 wholeNumber(cat.time.physStart, 0, 86399)};
  char text[DATE_TEXT_SIZE];
  return date4_s(text, start);
}

std::string axisTable(const catRecord& cat) {
  std::string out = "  Axes   Sets   Start";
  out += "   Interval     Unit     Phys. start\n";
  const catAxis& t = cat.time;
  out += formatC("  %4s  %6s%5s    %9s  %10s  %s\n", "time", nice(6, t.nSets1 + 1.0).c_str(),
                 timeStart(cat).c_str(), nice(9, t.interval).c_str(), t.unit,
                 nice(10, t.physStart).c_str());
  int nAxes = wholeNumber(cat.nAxes, 0, CAT_MAX_AXES);
  for (int a = 0; a < nAxes; ++a) {
    const catAxis& x = cat.axis[a];
    out += formatC("    %1d   %6s%5s    %9s  %10s  %s\n", a + 1, nice(6, x.nSets1 + 1.0).c_str(),
                   nice(5, x.start).c_str(), nice(9, x.interval).c_str(), x.unit,
                   nice(10, x.physStart).c_str());
  }
  return out;
}

// The standard deviation says little about fields of many points, so it is
// listed only for data sets without spatial axes (time series).
std::string itemTable(const catRecord& cat) {
  bool withStdev = wholeNumber(cat.nAxes, 0, CAT_MAX_AXES) == 0;
  std::string out = formatC("  %-20s  ", "Description");
  out += "  Minimum ";
  out += "  Maximum ";
  out += "    Mean  ";
  if (withStdev) out += "  St. dev ";
  out += "Missing\n";
  int nItems = wholeNumber(cat.nItems, 0, CAT_MAX_ITEMS);
  for (int i = 0; i < nItems; ++i) {
    const catItem& it = cat.item[i];
    std::string mn = nice(9, it.minimum), mx = nice(9, it.maximum), mean = nice(9, it.mean);
    if (withStdev)
      out += formatC("  %-20s  %s %s %s %s  %s \n", it.description, mn.c_str(), mx.c_str(),
                     mean.c_str(), nice(9, it.stdev).c_str(), nice(6, it.missing).c_str());
    else
      out += formatC("  %-20s  %s %s %s %s\n", it.description, mn.c_str(), mx.c_str(), mean.c_str(),
                     nice(7, it.missing).c_str());
  }
  return out;
}

std::string listing(const catRecord& cat) {
  std::string out = std::string(26, '-') + " Data File Summary " + std::string(27, '-') + "\n";
  out += "\n File Description:\n";
  out += formatC("  Family : %s\n", cat.prefix);
  out += formatC("  Name   : %s\n", cat.name);
  out += formatC("  Delete : %-10.3g\n", static_cast<double>(cat.deleteValue));
  out += formatC("\n  Title  : %s\n", cat.title);
  out += "\n" + axisTable(cat);
  out += "\n" + itemTable(cat);
  out += kRule + "\n";
  return out;
}

}  // namespace

extern "C" float cat_tell(FILE* stream, const catRecord* cat) try {
  if (stream == nullptr || cat == nullptr) return -1.0f;
  std::string text = listing(*cat);
  return std::fputs(text.c_str(), stream) < 0 ? -1.0f : 0.0f;
}
KORA_CATCH_ALL(-1.0f)
