// Time-axis setters and getters, the shape checks of date and time texts,
// and the start-offset rule of calendar axes.
#include "kfs/dfs/dfs_time.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/kora_boundary.h"
#include "kfs/container/kfs_access.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_static.h"
#include "kfs/dfs/dfs_step.h"
#include "kfs/dfs/dfs_timestep.h"
#include "kfs/dfs/dfs_units.h"
#include "kfs/util/date.h"

namespace dfs {

void freeTimeAxis(dfsTimeAxis* axis) {
  std::free(axis->unitText);
  axis->unitText = nullptr;
}

}  // namespace dfs

namespace {

bool equidistantFileType(int t) {
  return t == F_EQTIME_FIXEDSPACE_ALLITEMS || t == F_EQTIME_TVARSPACE_ALLITEMS;
}

bool nonEquidistantFileType(int t) {
  return t == F_NEQTIME_FIXEDSPACE_ALLITEMS || t == F_NEQTIME_FIXEDSPACE_VARITEMS ||
         t == F_NEQTIME_TVARSPACE_VARITEMS;
}

// 0 when the file type takes an (non-)equidistant axis; the failure code
// otherwise: the opposite equidistance is 1000, no valid file type 2010.
int checkFileType(LPHEAD h, bool equidistant) {
  const bool same =
      equidistant ? equidistantFileType(h->fileType) : nonEquidistantFileType(h->fileType);
  const bool other =
      equidistant ? nonEquidistantFileType(h->fileType) : equidistantFileType(h->fileType);
  if (same) return 0;
  return DFS_FAIL(h, nullptr, other ? kfsErrNullArgument : kfsErrBlock);
}

bool shapeMatches(const char* text, const char* pattern) {
  if (!text) return false;
  const size_t n = std::strlen(pattern);
  if (std::strlen(text) != n) return false;
  for (size_t i = 0; i < n; ++i) {
    const bool digit = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
    if (pattern[i] == '9' ? !digit : text[i] != pattern[i]) return false;
  }
  return true;
}

void setRelative(LPHEAD h, int type, int unit, int startIndex) {
  dfs::freeTimeAxis(&h->time);
  h->time.type = type;
  h->time.unit = unit;
  h->time.startIndex = startIndex;
}

int setCalendar(LPHEAD h, int type, const char* date, const char* time, int unit, int startIndex) {
  if (dfsVerifyDateFormat(date) != 0) return DFS_FAIL(h, nullptr, kfsErrDate);
  if (dfsVerifyTimeFormat(time) != 0) return DFS_FAIL(h, nullptr, kfsErrTime);
  setRelative(h, type, unit, startIndex);
  std::memcpy(h->time.startDate, date, 11);
  std::memcpy(h->time.startTime, time, 9);
  return 0;
}

// Unit key and text of the axis as the getters hand them out.
void unitOut(const dfsTimeAxis& axis, int* unit, const char** unitText) {
  const char* name = dfs::unitName(axis.unit);
  int key = axis.unit;
  if (name[0] == '\0' && axis.unitText) {
    name = axis.unitText;
    key = dfs::unitKeyOf(axis.unitText);
  }
  if (unit) *unit = key;
  if (unitText) *unitText = name;
}

// Reads "a<sep>b<sep>c" of three unsigned integers (texts from files are not
// checked for their shape).
bool parseTriple(const char* text, char sep, int out[3]) {
  const char* p = text;
  for (int i = 0; i < 3; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(*p))) return false;
    long v = 0;
    while (std::isdigit(static_cast<unsigned char>(*p))) {
      if (v < 100000000) v = v * 10 + (*p - '0');
      ++p;
    }
    out[i] = static_cast<int>(v);
    if (i < 2 && *p++ != sep) return false;
  }
  return true;
}

// The start-offset rule: the offset folded into the date and time handed
// out. False when the stored texts and offset are handed out as they are.
bool foldOffset(LPHEAD h) {
  dfsTimeAxis& t = h->time;
  if (t.start == 0.0 || !h->modifyTimes) return false;
  int ymd[3], hms[3];
  double seconds = t.start;
  if (!parseTriple(t.startDate, '-', ymd) || !parseTriple(t.startTime, ':', hms)) return false;
  if (!dfs::convertUnit(t.unit, dfs::kUnitSecond, &seconds)) return false;
  const date6 start = {ymd[0], ymd[1], ymd[2], hms[0], hms[1], hms[2]};
  date6 shown;
  date6_AddSeconds(&shown, start, seconds);
  std::snprintf(t.shownDate, sizeof t.shownDate, "%.4d-%.2d-%.2d", shown.year, shown.month,
                shown.day);
  std::snprintf(t.shownTime, sizeof t.shownTime, "%.2d:%.2d:%.2d", shown.hour, shown.minute,
                shown.second);
  return true;
}

int getCalendar(LPHEAD h, int type, const char** date, const char** time, int* unit,
                const char** unitText, double* offset, double* stepOrSpan, int* nSteps,
                int* startIndex) {
  if (!h) return DFS_FAIL(h, nullptr, kfsErrNullArgument);
  if (h->time.type != type) return DFS_FAIL(h, nullptr, kfsErrNullArgument);
  const bool folded = foldOffset(h);
  if (date) *date = folded ? h->time.shownDate : h->time.startDate;
  if (time) *time = folded ? h->time.shownTime : h->time.startTime;
  unitOut(h->time, unit, unitText);
  if (offset) *offset = folded ? 0.0 : h->time.start;
  if (stepOrSpan) *stepOrSpan = type == F_CAL_EQ_AXIS ? h->time.step : h->time.span;
  if (nSteps) *nSteps = h->time.nSteps;
  if (startIndex) *startIndex = h->time.startIndex;
  return 0;
}

int getRelative(LPHEAD h, int type, int* unit, const char** unitText, double* start,
                double* stepOrSpan, int* nSteps, int* startIndex) {
  if (!h) return DFS_FAIL(h, nullptr, kfsErrNullArgument);
  if (h->time.type != type) return DFS_FAIL(h, nullptr, kfsErrNullArgument);
  unitOut(h->time, unit, unitText);
  if (start) *start = h->time.start;
  if (stepOrSpan) *stepOrSpan = type == F_TM_EQ_AXIS ? h->time.step : h->time.span;
  if (nSteps) *nSteps = h->time.nSteps;
  if (startIndex) *startIndex = h->time.startIndex;
  return 0;
}

// The span of a non-equidistant axis as the file holds it: the time of its
// last step minus the start; the file is left at its static data.
int spanFromFile(LPHEAD h, kfsHandle file, double* span) {
  if (int s = dfsFindTimeStep(h, file, h->time.nSteps - 1)) return s;
  double last = 0.0;
  if (int s = dfs::readStepTag(h, file, &last, __FILE__, __LINE__)) return s;
  *span = last - h->time.start;
  return dfsFindBlockStatic(h, file);
}

}  // namespace

extern "C" {

int dfsGetTimeAxisType(LPHEAD header) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument), 0;
  return header->time.type;
}
KORA_CATCH_ALL(0)

int dfsSetEqTimeAxis(LPHEAD header, int unit, int startIndex, double start, double step) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  if (int s = checkFileType(header, true)) return s;
  if (!(step > 0.0)) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  setRelative(header, F_TM_EQ_AXIS, unit, startIndex);
  header->time.start = start;
  header->time.step = step;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsSetNeqTimeAxis(LPHEAD header, int unit, int startIndex) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  if (int s = checkFileType(header, false)) return s;
  setRelative(header, F_TM_NEQ_AXIS, unit, startIndex);
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsSetEqCalendarAxis(LPHEAD header, const char* date, const char* time, int unit,
                         int startIndex, double startOffset, double step) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  if (int s = checkFileType(header, true)) return s;
  if (int s = setCalendar(header, F_CAL_EQ_AXIS, date, time, unit, startIndex)) return s;
  header->time.start = startOffset;
  header->time.step = step;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsSetNeqCalendarAxis(LPHEAD header, const char* date, const char* time, int unit,
                          int startIndex) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  if (int s = checkFileType(header, false)) return s;
  return setCalendar(header, F_CAL_NEQ_AXIS, date, time, unit, startIndex);
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsSetNumberOfTimeSteps(LPHEAD header, int n) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  if (header->time.type >= F_TM_EQ_AXIS && header->time.type <= F_CAL_NEQ_AXIS)
    header->time.nSteps = n;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsSetTimeStartEnd(LPHEAD header, double start, double span) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  switch (header->time.type) {
    case F_TM_EQ_AXIS:
    case F_CAL_EQ_AXIS: header->time.start = start; break;
    case F_TM_NEQ_AXIS:
    case F_CAL_NEQ_AXIS:
      header->time.start = start;
      header->time.span = span;
      header->time.endTime = start + span;
      break;
    default: break;
  }
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsGetEqTimeAxis(LPHEAD header, int* unit, const char** unitText, double* start, double* step,
                     int* nSteps, int* startIndex) try {
  return getRelative(header, F_TM_EQ_AXIS, unit, unitText, start, step, nSteps, startIndex);
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsGetNeqTimeAxis(LPHEAD header, int* unit, const char** unitText, double* start, double* span,
                      int* nSteps, int* startIndex) try {
  return getRelative(header, F_TM_NEQ_AXIS, unit, unitText, start, span, nSteps, startIndex);
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsGetEqCalendarAxis(LPHEAD header, const char** date, const char** time, int* unit,
                         const char** unitText, double* startOffset, double* step, int* nSteps,
                         int* startIndex) try {
  return getCalendar(header, F_CAL_EQ_AXIS, date, time, unit, unitText, startOffset, step, nSteps,
                     startIndex);
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsGetNeqCalendarAxis(LPHEAD header, const char** date, const char** time, int* unit,
                          const char** unitText, double* startOffset, double* span, int* nSteps,
                          int* startIndex) try {
  return getCalendar(header, F_CAL_NEQ_AXIS, date, time, unit, unitText, startOffset, span, nSteps,
                     startIndex);
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsVerifyDateFormat(const char* date) try {
  return shapeMatches(date, "9999-99-99") ? 0 : kfsErrDate;
}
KORA_CATCH_ALL(kfsErrDate)

int dfsVerifyTimeFormat(const char* time) try {
  return shapeMatches(time, "99:99:99") ? 0 : kfsErrTime;
}
KORA_CATCH_ALL(kfsErrTime)

int dfsGetTimeAxisInfo(LPHEAD header, int* nSteps, double* factor, int* equidistant) try {
  if (nSteps) *nSteps = 0;
  if (factor) *factor = 1.0;
  if (equidistant) *equidistant = 0;
  if (!header || header->time.type < F_TM_EQ_AXIS || header->time.type > F_CAL_NEQ_AXIS) return -1;
  const dfsTimeAxis& t = header->time;
  const bool eq = t.type == F_TM_EQ_AXIS || t.type == F_CAL_EQ_AXIS;
  double seconds = 1.0;
  if (t.unit != dfs::kUnitSecond && !dfs::secondsPerUnit(t.unit, &seconds)) seconds = 1.0;
  if (eq) seconds *= t.step;
  if (nSteps) *nSteps = t.nSteps;
  if (factor) *factor = seconds;
  if (equidistant) *equidistant = eq ? 1 : 0;
  return 0;
}
KORA_CATCH_ALL(-1)

int _dfsGetTimeAxisSpan(LPHEAD header, kfsHandle file, double* span) try {
  if (!header || !span) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  *span = DFS_DELETE_DOUBLE;
  const dfsTimeAxis& t = header->time;
  switch (t.type) {
    case F_TM_EQ_AXIS:
    case F_CAL_EQ_AXIS: *span = t.nSteps * t.step; return 0;
    case F_TM_NEQ_AXIS:
    case F_CAL_NEQ_AXIS:
      // A reader asks the file; a writer knows the latest time itself.
      if (file && kfs::IsReadOnly(file) && t.nSteps >= 1) return spanFromFile(header, file, span);
      *span = t.span;
      return 0;
    default: return DFS_FAIL(header, nullptr, kfsErrBlock);
  }
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

}  // extern "C"
