// Item statistics of the catalogue family (tx_file.h): running sums per item
// (Welford's update, so long series keep their precision) published into
// the catalogue fields after every record. Delete values and NaNs count as
// missing.
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "base/kora_boundary.h"
#include "kfs/legacy/tx_file.h"
#include "kfs/legacy/tx_file_layout.h"

namespace {

void resetSums(catStatSums& s) {
  s.count = s.missing = s.mean = s.m2 = 0.0;
  s.minimum = std::numeric_limits<double>::infinity();
  s.maximum = -std::numeric_limits<double>::infinity();
}

void publish(const catStatSums& s, float deleteValue, catItem& item) {
  item.missing = static_cast<float>(s.missing);
  if (s.count == 0) {  // nothing but delete values: no statistics to show
    item.minimum = item.maximum = item.mean = item.stdev = deleteValue;
    return;
  }
  item.minimum = static_cast<float>(s.minimum);
  item.maximum = static_cast<float>(s.maximum);
  item.mean = static_cast<float>(s.mean);
  item.stdev = static_cast<float>(std::sqrt(s.m2 / s.count));
}

void addValue(catStatSums& s, double v) {
  s.count += 1.0;
  double delta = v - s.mean;
  s.mean += delta / s.count;
  s.m2 += delta * (v - s.mean);
  if (v < s.minimum) s.minimum = v;
  if (v > s.maximum) s.maximum = v;
}

std::int64_t fileSize(FILE* f) {
  if (fseeko(f, 0, SEEK_END) != 0) return -1;
  off_t size = ftello(f);
  return fseeko(f, 0, SEEK_SET) == 0 ? static_cast<std::int64_t>(size) : -1;
}

}  // namespace

extern "C" {

float update_stat(catRecord* cat, int item, const float* values) try {
  if (cat == nullptr) return -1.0f;
  if (item == 0) {
    for (int i = 0; i < CAT_MAX_ITEMS; ++i) {
      resetSums(cat->sums[i]);
      publish(cat->sums[i], cat->deleteValue, cat->item[i]);
    }
    return 0.0f;
  }
  kfs::tx::Layout layout;
  if (!kfs::tx::layoutOf(*cat, &layout)) return -2.0f;
  if (item < 0 || item > layout.items || values == nullptr) return -1.0f;
  catStatSums& s = cat->sums[item - 1];
  for (std::int64_t i = 0; i < layout.values; ++i) {
    // A NaN is missing too: averaged, it would make mean and standard
    // deviation NaN for good (and it is the delete value of some sets).
    if (values[i] == cat->deleteValue || std::isnan(values[i]))
      s.missing += 1.0;
    else
      addValue(s, static_cast<double>(values[i]));
  }
  publish(s, cat->deleteValue, cat->item[item - 1]);
  return 0.0f;
}
KORA_CATCH_ALL(-1.0f)

float make_stat(catRecord* cat) try {
  if (cat == nullptr) return -1.0f;
  kfs::tx::Layout layout;
  if (!kfs::tx::layoutOf(*cat, &layout)) return -2.0f;
  if (kfs::tx::Slot* open = kfs::tx::openSlot(*cat)) std::fflush(open->stream);
  FILE* f = std::fopen(kfs::tx::dataFileName(*cat, layout.nAxes).c_str(), "rb");
  if (f == nullptr) return -1.0f;
  std::int64_t size = fileSize(f);
  update_stat(cat, 0, nullptr);
  // Whole records only; the buffer is made only when the file holds one.
  std::int64_t records = size < 0 ? 0 : size / layout.recordBytes() - layout.leading;
  bool ok = size >= 0;
  if (records > 0) {
    std::vector<float> values(static_cast<std::size_t>(layout.values));
    ok = fseeko(f, static_cast<off_t>(layout.offsetOf(0)), SEEK_SET) == 0;
    for (std::int64_t r = 0; ok && r < records; ++r) {
      ok = std::fread(values.data(), 4, values.size(), f) == values.size();
      if (!ok) break;
      if (cat->swapped) decswp(values.data(), static_cast<int>(values.size()));
      update_stat(cat, static_cast<int>(r % layout.items + 1), values.data());
    }
  }
  std::fclose(f);
  return ok ? 0.0f : -1.0f;
}
KORA_CATCH_ALL(-1.0f)

}  // extern "C"
