// dtx mapping: which header field becomes which catalogue field (the table
// in dtx_file.h). Only the data-file interface's own getters and setters are
// used, so the header stays consistent.
#include "kfs/legacy/dtx_mapping.h"

#include <strings.h>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_time.h"
#include "kfs/util/date.h"

namespace kfs::dtx {
namespace {

constexpr int kSecond = 1400;  // unit key of the second
constexpr int kAnyItemType = 999;
constexpr int kFloat = 1;
constexpr int kFailed = kfsErrBlock;

// One equidistant spatial axis.
struct Axis {
  int size = 1;
  float origin = 0;
  float step = 1;
};

// The common item axis: dimension and up to four axes.
struct ItemAxis {
  int dim = -1;
  Axis a[CAT_MAX_AXES];
};

bool itemAxisOf(LPITEM item, ItemAxis* out) {
  ItemAxis x;
  Axis* a = x.a;
  int s = 0;
  switch (dfsGetItemAxisType(item)) {
    case F_EQ_AXIS_D0:
      s = dfsGetItemAxisEqD0(item, nullptr, nullptr);
      x.dim = 0;
      break;
    case F_EQ_AXIS_D1:
      s = dfsGetItemAxisEqD1(item, nullptr, nullptr, &a[0].size, &a[0].origin, &a[0].step);
      x.dim = 1;
      break;
    case F_EQ_AXIS_D2:
      s = dfsGetItemAxisEqD2(item, nullptr, nullptr, &a[0].size, &a[1].size, &a[0].origin,
                             &a[1].origin, &a[0].step, &a[1].step);
      x.dim = 2;
      break;
    case F_EQ_AXIS_D3:
      s = dfsGetItemAxisEqD3(item, nullptr, nullptr, &a[0].size, &a[1].size, &a[2].size,
                             &a[0].origin, &a[1].origin, &a[2].origin, &a[0].step, &a[1].step,
                             &a[2].step);
      x.dim = 3;
      break;
    case F_EQ_AXIS_D4:
      s = dfsGetItemAxisEqD4(item, nullptr, nullptr, &a[0].size, &a[1].size, &a[2].size, &a[3].size,
                             &a[0].origin, &a[1].origin, &a[2].origin, &a[3].origin, &a[0].step,
                             &a[1].step, &a[2].step, &a[3].step);
      x.dim = 4;
      break;
    default: return false;
  }
  if (s != 0) return false;
  *out = x;
  return true;
}

bool sameAxis(const ItemAxis& p, const ItemAxis& q) {
  if (p.dim != q.dim) return false;
  for (int i = 0; i < p.dim; ++i)
    if (p.a[i].size != q.a[i].size || p.a[i].origin != q.a[i].origin || p.a[i].step != q.a[i].step)
      return false;
  return true;
}

int setItemAxis(LPITEM item, int dim, const Axis* a) {
  switch (dim) {
    case 0: return dfsSetItemAxisEqD0(item, 0);
    case 1: return dfsSetItemAxisEqD1(item, 0, a[0].size, a[0].origin, a[0].step);
    case 2:
      return dfsSetItemAxisEqD2(item, 0, a[0].size, a[1].size, a[0].origin, a[1].origin, a[0].step,
                                a[1].step);
    case 3:
      return dfsSetItemAxisEqD3(item, 0, a[0].size, a[1].size, a[2].size, a[0].origin, a[1].origin,
                                a[2].origin, a[0].step, a[1].step, a[2].step);
    default:
      return dfsSetItemAxisEqD4(item, 0, a[0].size, a[1].size, a[2].size, a[3].size, a[0].origin,
                                a[1].origin, a[2].origin, a[3].origin, a[0].step, a[1].step,
                                a[2].step, a[3].step);
  }
}

// Whole number of a count field; CAT_UNSET counts as 0.
int countOf(float v) {
  double d = v == CAT_UNSET ? 0.0 : static_cast<double>(v);
  if (!std::isfinite(d) || d < 0 || d > 2147483646.0) return -1;
  return static_cast<int>(std::nearbyint(d));
}

void copyField(char* field, std::size_t size, const char* text) {
  std::snprintf(field, size, "%s", text ? text : "");
}

int setTimeAxis(const catRecord& cat, LPHEAD header) {
  double factor = secondsPerTimeUnit(cat.time.unit);
  int steps = countOf(cat.time.nSets1 + 1.0f);
  if (factor <= 0 || steps < 0) return kFailed;
  double start = static_cast<double>(cat.time.start) * factor;
  double step = static_cast<double>(cat.time.interval) * factor;
  int status = 0;
  if (cat.startDate > 0) {
    // A catalogue may hold any 32-bit count here, which as a float can lie
    // beyond every int.
    int day = countOf(cat.startDate);
    if (day < 0) return kFailed;
    double tod = static_cast<double>(cat.time.physStart);
    date4 first = {day, 0, 0,
                   std::isfinite(tod) && tod >= 0 && tod < 86400 ? static_cast<int>(tod) : 0};
    date6 d;
    date4_6(&d, first);
    char date[32], time[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", d.year, d.month, d.day);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", d.hour, d.minute, d.second);
    status = dfsSetEqCalendarAxis(header, date, time, kSecond, 0, start, step);
  } else {
    status = dfsSetEqTimeAxis(header, kSecond, 0, start, step);
  }
  return status ? status : dfsSetNumberOfTimeSteps(header, steps);
}

int setItems(const catRecord& cat, LPHEAD header, int nItems) {
  int dim = countOf(cat.nAxes);
  Axis axes[CAT_MAX_AXES];
  for (int i = 0; i < dim; ++i) {
    axes[i].size = countOf(cat.axis[i].nSets1) + 1;
    axes[i].origin = cat.axis[i].physStart;
    axes[i].step = cat.axis[i].interval;
    if (axes[i].size < 1) return kFailed;
  }
  for (int n = 1; n <= nItems; ++n) {
    LPITEM item = dfsItemD(header, n);
    int status =
        dfsSetItemInfo_(header, item, kAnyItemType, cat.item[n - 1].description, "", kFloat);
    if (status == 0) status = setItemAxis(item, dim, axes);
    if (status != 0) return status;
  }
  return 0;
}

// Fills the time fields of cat from an equidistant axis in seconds.
int timeAxisToCatalogue(LPHEAD header, catRecord& cat) {
  int unit = 0, steps = 0, first = 0;
  double start = 0, step = 0;
  cat.startDate = 0;
  cat.time.physStart = 0;
  if (dfsGetTimeAxisType(header) == F_TM_EQ_AXIS) {
    if (dfsGetEqTimeAxis(header, &unit, nullptr, &start, &step, &steps, &first) != 0)
      return kFailed;
  } else if (dfsGetTimeAxisType(header) == F_CAL_EQ_AXIS) {
    const char *date = nullptr, *time = nullptr;
    if (dfsGetEqCalendarAxis(header, &date, &time, &unit, nullptr, &start, &step, &steps, &first) !=
        0)
      return kFailed;
    char text[64];
    std::snprintf(text, sizeof text, "%s %s", date, time);
    date4 d;
    if (!dates_4(&d, text)) return kFailed;
    cat.startDate = static_cast<float>(d.day);
    cat.time.physStart = static_cast<float>(date4_toff(d));
  } else {
    return kFailed;
  }
  if (unit != kSecond) return kFailed;
  cat.time.nSets1 = static_cast<float>(steps - 1);
  cat.time.start = static_cast<float>(start);
  cat.time.interval = static_cast<float>(step);
  copyField(cat.time.unit, sizeof cat.time.unit, "sec");
  return 0;
}

}  // namespace

double secondsPerTimeUnit(const char* unit) {
  static const struct {
    const char* name;
    double seconds;
  } units[] = {{"sec", 1},      {"s", 1},       {"second", 1},   {"seconds", 1}, {"secs", 1},
               {"min", 60},     {"minute", 60}, {"minutes", 60}, {"mins", 60},   {"hour", 3600},
               {"hours", 3600}, {"h", 3600},    {"hr", 3600},    {"hrs", 3600},  {"day", 86400},
               {"days", 86400}, {"d", 86400}};
  if (unit == nullptr) return 0;
  for (const auto& u : units)
    if (strcasecmp(u.name, unit) == 0) return u.seconds;
  return 0;
}

int headerFromCatalogue(const catRecord& cat, LPHEAD* header) {
  *header = nullptr;
  int nItems = countOf(cat.nItems);
  int dim = countOf(cat.nAxes);
  if (nItems < 1 || nItems > CAT_MAX_ITEMS || dim < 0 || dim > CAT_MAX_AXES) return kFailed;
  LPHEAD h = nullptr;
  int status =
      dfsHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, cat.title, "", 0, nItems, F_NO_STAT, &h);
  if (status == 0) status = dfsSetDeleteValFloat(h, cat.deleteValue);
  if (status == 0) status = setTimeAxis(cat, h);
  if (status == 0) status = setItems(cat, h, nItems);
  if (status != 0) {
    dfsHeaderDestroy(&h);
    return status;
  }
  *header = h;
  return 0;
}

int spatialAxesOf(LPHEAD header) {
  int nItems = dfsGetNoOfItems(header);
  if (nItems < 1) return -1;
  ItemAxis first;
  if (!itemAxisOf(dfsItemD(header, 1), &first)) return -1;
  for (int n = 2; n <= nItems; ++n) {
    ItemAxis other;
    if (!itemAxisOf(dfsItemD(header, n), &other) || !sameAxis(first, other)) return -1;
  }
  return first.dim;
}

int catalogueFromHeader(LPHEAD header, catRecord& cat) {
  int nItems = dfsGetNoOfItems(header);
  int dim = spatialAxesOf(header);
  if (dfsGetFileType(header) != F_EQTIME_FIXEDSPACE_ALLITEMS || nItems < 1 ||
      nItems > CAT_MAX_ITEMS || dim < 0 || static_cast<float>(dim) != cat.nAxes)
    return kFailed;
  ItemAxis axis;
  itemAxisOf(dfsItemD(header, 1), &axis);
  for (int n = 1; n <= nItems; ++n) {
    const char* name = nullptr;
    int dataType = 0;
    if (dfsGetItemInfo_(dfsItemD(header, n), nullptr, &name, nullptr, &dataType) != 0 ||
        dataType != kFloat)
      return kFailed;
    copyField(cat.item[n - 1].description, sizeof cat.item[n - 1].description, name);
  }
  if (int status = timeAxisToCatalogue(header, cat)) return status;

  copyField(cat.title, sizeof cat.title, dfsGetFileTitle(header));
  cat.nItems = static_cast<float>(nItems);
  cat.deleteValue = dfsGetDeleteValFloat(header);
  cat.leadingRecords = 0;
  for (int i = 0; i < dim; ++i) {
    cat.axis[i].nSets1 = static_cast<float>(axis.a[i].size - 1);
    cat.axis[i].start = 0;
    cat.axis[i].interval = axis.a[i].step;
    cat.axis[i].physStart = axis.a[i].origin;
  }
  return 0;
}

}  // namespace kfs::dtx
