// Opening, positioning, reading and writing the data files of the catalogue
// family (tx_file.h). Every transfer first positions the stream at the byte
// offset of its record, so reads and writes may alternate freely in update
// mode and a failed transfer never shifts later ones.
#include "kfs/legacy/tx_file.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <cstring>

#include "base/kora_boundary.h"
#include "kfs/legacy/catalogue_layout.h"
#include "kfs/legacy/tx_file_layout.h"

namespace kfs::tx {
namespace {

constexpr float kFailed = -1.0f, kBadLayout = -2.0f;

Slot* slotTable() {
  // Zero-initialised statics would mark every slot as in use; the table
  // is set up on first use instead.
  static Slot table[TX_MAX_SLOTS];
  static bool ready = false;
  if (!ready) {
    for (Slot& s : table) s = Slot();
    ready = true;
  }
  return table;
}

int freeSlot() {
  Slot* table = slotTable();
  for (int i = 0; i < TX_MAX_SLOTS; ++i)
    if (table[i].unit == -1) return i;
  return -1;
}

bool seekTo(FILE* f, std::int64_t offset) {
  return offset >= 0 && fseeko(f, static_cast<off_t>(offset), SEEK_SET) == 0;
}

// Moves the slot to `record` when that record has a file offset; the
// position stays where it was otherwise.
float moveTo(Slot& s, const Layout& layout, std::int64_t record) {
  if (layout.offsetOf(record) < 0) return -1.0f;
  s.record = record;
  return static_cast<float>(record);
}

bool writeZeros(FILE* f, std::int64_t bytes) {
  static const unsigned char zeros[65536] = {};
  while (bytes > 0) {
    std::size_t chunk =
        bytes < std::int64_t(sizeof zeros) ? static_cast<std::size_t>(bytes) : sizeof zeros;
    if (std::fwrite(zeros, 1, chunk, f) != chunk) return false;
    bytes -= static_cast<std::int64_t>(chunk);
  }
  return true;
}

float openIn(catRecord* cat, int mode) {
  if (cat == nullptr || cat->slot != -1) return kFailed;
  Layout layout;
  if (!layoutOf(*cat, &layout)) return kBadLayout;
  int slot = freeSlot();
  if (slot < 0) return kFailed;
  static const char* const modes[] = {"rb", "wb", "rb+"};
  FILE* f = std::fopen(dataFileName(*cat, layout.nAxes).c_str(), modes[mode]);
  if (f == nullptr) return kFailed;
  if (mode == 1) {
    if (!writeZeros(f, layout.offsetOf(0))) {
      std::fclose(f);
      return kFailed;
    }
    update_stat(cat, 0, nullptr);
  }
  Slot& s = slotTable()[slot];
  s.unit = slot;
  s.stream = f;
  s.mode = mode;
  s.record = 0;
  cat->slot = slot;
  return 0.0f;
}

// Reads data record `record` into values, in native byte order.
bool readRecord(const catRecord& cat, const Layout& layout, Slot& s, std::int64_t record,
                float* values) {
  if (s.mode == 1 || !seekTo(s.stream, layout.offsetOf(record))) return false;
  std::size_t n = static_cast<std::size_t>(layout.values);
  if (std::fread(values, 4, n, s.stream) != n) {
    std::clearerr(s.stream);
    return false;
  }
  if (cat.swapped) decswp(values, static_cast<int>(n));
  return true;
}

bool writeRecord(const catRecord& cat, const Layout& layout, Slot& s, std::int64_t record,
                 const float* values) {
  if (s.mode == 0 || !seekTo(s.stream, layout.offsetOf(record))) return false;
  std::size_t n = static_cast<std::size_t>(layout.values);
  if (!cat.swapped) return std::fwrite(values, 4, n, s.stream) == n;
  // The caller's buffer is never reversed; a small piece at a time is,
  // so a record of any size costs no allocation.
  float piece[1024];
  for (std::size_t done = 0; done < n;) {
    std::size_t count = n - done < 1024 ? n - done : 1024;
    std::memcpy(piece, values + done, count * 4);
    decswp(piece, static_cast<int>(count));
    if (std::fwrite(piece, 4, count, s.stream) != count) return false;
    done += count;
  }
  return true;
}

// The open slot and layout of cat, or null.
Slot* ready(const catRecord* cat, Layout* layout) {
  if (cat == nullptr) return nullptr;
  Slot* s = openSlot(*cat);
  if (s == nullptr || !layoutOf(*cat, layout)) return nullptr;
  return s;
}

float closeWithStatistics(catRecord* cat) {
  float stat = make_stat(cat);
  float closed = TXclr(cat);
  return (stat == 0.0f && closed == 0.0f) ? 0.0f : (stat != 0.0f ? stat : closed);
}

}  // namespace

bool layoutOf(const catRecord& cat, Layout* out) {
  long nAxes = 0, items = 0, leading = 0;
  if (!kfs::cat::countField(cat.nAxes, 0, CAT_MAX_AXES, &nAxes) ||
      !kfs::cat::countField(cat.nItems, 1, CAT_MAX_ITEMS, &items) ||
      !kfs::cat::countField(cat.leadingRecords, 0, INT32_MAX, &leading))
    return false;
  std::int64_t values = 1;
  for (long a = 0; a < nAxes; ++a) {
    long sets1 = 0;
    if (!kfs::cat::countField(cat.axis[a].nSets1, 0, INT32_MAX - 1, &sets1)) return false;
    values *= sets1 + 1;
    if (values > kMaxRecordValues) return false;
  }
  out->nAxes = static_cast<int>(nAxes);
  out->values = values;
  out->items = items;
  out->leading = leading;
  return true;
}

std::string dataFileName(const catRecord& cat, int nAxes) {
  return kfs::cat::dataSetFile(cat.prefix, cat.name, "dt", nAxes);
}

Slot* openSlot(const catRecord& cat) {
  if (cat.slot < 0 || cat.slot >= TX_MAX_SLOTS) return nullptr;
  Slot& s = slotTable()[cat.slot];
  return s.unit == cat.slot ? &s : nullptr;
}

std::int64_t recordsOnDisk(const catRecord& cat) {
  Layout layout;
  if (!layoutOf(cat, &layout)) return -1;
  if (Slot* s = openSlot(cat)) std::fflush(s->stream);
  struct stat st;
  if (::stat(dataFileName(cat, layout.nAxes).c_str(), &st) != 0) return -1;
  std::int64_t records =
      static_cast<std::int64_t>(st.st_size) / layout.recordBytes() - layout.leading;
  return records < 0 ? 0 : records;
}

}  // namespace kfs::tx

using kfs::tx::Layout;
using kfs::tx::Slot;

extern "C" {

float TXopr(catRecord* cat) try { return kfs::tx::openIn(cat, 0); }
KORA_CATCH_ALL(-1.0f)
float TXopw(catRecord* cat) try { return kfs::tx::openIn(cat, 1); }
KORA_CATCH_ALL(-1.0f)
float TXopu(catRecord* cat) try { return kfs::tx::openIn(cat, 2); }
KORA_CATCH_ALL(-1.0f)

int TXrecordLength(const catRecord* cat) try {
  Layout layout;
  if (cat == nullptr || !kfs::tx::layoutOf(*cat, &layout)) return -2;
  return static_cast<int>(layout.values);
}
KORA_CATCH_ALL(0)

float TXre(catRecord* cat, float* values) try {
  Layout layout;
  Slot* s = kfs::tx::ready(cat, &layout);
  if (s == nullptr || values == nullptr ||
      !kfs::tx::readRecord(*cat, layout, *s, s->record, values))
    return -1.0f;
  std::int64_t item = s->record % layout.items + 1;
  ++s->record;
  return static_cast<float>(item);
}
KORA_CATCH_ALL(-1.0f)

float TXrea(catRecord* cat, float* values) try {
  Layout layout;
  Slot* s = kfs::tx::ready(cat, &layout);
  if (s == nullptr || values == nullptr) return -1.0f;
  std::int64_t first = (s->record + layout.items - 1) / layout.items * layout.items;
  for (std::int64_t i = 0; i < layout.items; ++i)
    if (!kfs::tx::readRecord(*cat, layout, *s, first + i, values + i * layout.values)) return -1.0f;
  s->record = first + layout.items;
  return static_cast<float>(first / layout.items + 1);
}
KORA_CATCH_ALL(-1.0f)

float TXwr(catRecord* cat, const float* values) try {
  Layout layout;
  Slot* s = kfs::tx::ready(cat, &layout);
  if (s == nullptr || values == nullptr ||
      !kfs::tx::writeRecord(*cat, layout, *s, s->record, values))
    return -1.0f;
  int item = static_cast<int>(s->record % layout.items + 1);
  ++s->record;
  update_stat(cat, item, values);
  return static_cast<float>(item);
}
KORA_CATCH_ALL(-1.0f)

float TXwrt(catRecord* cat, const float* values) try { return TXwr(cat, values); }
KORA_CATCH_ALL(-1.0f)

float TXseek(catRecord* cat, int step, int item) try {
  Layout layout;
  Slot* s = kfs::tx::ready(cat, &layout);
  if (s == nullptr || step < 1 || item < 1 || item > layout.items) return -1.0f;
  return kfs::tx::moveTo(*s, layout,
                         (static_cast<std::int64_t>(step) - 1) * layout.items + (item - 1));
}
KORA_CATCH_ALL(-1.0f)

float TXsp(catRecord* cat, int n) try {
  Layout layout;
  Slot* s = kfs::tx::ready(cat, &layout);
  if (s == nullptr) return -1.0f;
  std::int64_t record = s->record + n;
  return kfs::tx::moveTo(*s, layout, record < 0 ? 0 : record);
}
KORA_CATCH_ALL(-1.0f)

float TXrew(catRecord* cat) try {
  Layout layout;
  Slot* s = kfs::tx::ready(cat, &layout);
  if (s == nullptr) return -1.0f;
  s->record = 0;
  return 0.0f;
}
KORA_CATCH_ALL(-1.0f)

float TXrewind(catRecord* cat) try { return TXrew(cat); }
KORA_CATCH_ALL(-1.0f)

float TXclr(catRecord* cat) try {
  if (cat == nullptr) return -1.0f;
  Slot* s = kfs::tx::openSlot(*cat);
  if (s == nullptr) return -1.0f;
  int closed = std::fclose(s->stream);
  *s = Slot();
  cat->slot = -1;
  return closed == 0 ? 0.0f : -1.0f;
}
KORA_CATCH_ALL(-1.0f)

float TXclose(catRecord* cat) try { return TXclr(cat); }
KORA_CATCH_ALL(-1.0f)
float TXclw(catRecord* cat) try { return kfs::tx::closeWithStatistics(cat); }
KORA_CATCH_ALL(-1.0f)
float TXclu(catRecord* cat) try { return kfs::tx::closeWithStatistics(cat); }
KORA_CATCH_ALL(-1.0f)

float TXcw(catRecord* cat) try {
  if (cat == nullptr || kfs::tx::openSlot(*cat) == nullptr) return -1.0f;
  float stat = make_stat(cat);
  if (stat != 0.0f) return stat;
  float written = CATwri(nullptr, nullptr, cat);
  if (written != 0.0f) return written;
  return std::fflush(kfs::tx::openSlot(*cat)->stream) == 0 ? 0.0f : -1.0f;
}
KORA_CATCH_ALL(-1.0f)

int TXmode(const catRecord* cat) try {
  const Slot* s = cat ? kfs::tx::openSlot(*cat) : nullptr;
  return s ? s->mode : -1;
}
KORA_CATCH_ALL(-1)

}  // extern "C"
