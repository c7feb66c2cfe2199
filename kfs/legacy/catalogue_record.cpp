// Data-set records and the file-name helpers of the catalogue family
// (catalogue.h).
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/kora_boundary.h"
#include "kfs/legacy/catalogue.h"
#include "kfs/legacy/catalogue_layout.h"
#include "kfs/legacy/tx_file.h"

namespace {

void unsetAxis(catAxis& a) { a.nSets1 = a.start = a.interval = a.physStart = CAT_UNSET; }

}  // namespace

extern "C" {

catRecord* newcat(int N) try {
  catRecord* cat = static_cast<catRecord*>(std::calloc(1, sizeof(catRecord)));
  if (cat == nullptr) return nullptr;
  cat->nAxes = (N >= 0 && N <= CAT_MAX_AXES) ? static_cast<float>(N) : CAT_UNSET;
  cat->nItems = cat->deleteValue = cat->startDate = cat->leadingRecords = CAT_UNSET;
  unsetAxis(cat->time);
  for (catAxis& a : cat->axis) unsetAxis(a);
  for (catItem& it : cat->item)
    it.minimum = it.maximum = it.mean = it.stdev = it.missing = CAT_UNSET;
  cat->slot = -1;
  return cat;
}
KORA_CATCH_ALL(nullptr)

void frecat(catRecord* cat) try {
  if (cat == nullptr) return;
  if (cat->slot >= 0) TXclose(cat);
  std::free(cat);
}
KORA_CATCH_ALL(void())

char* OXAntr(const char* prefix, const char* name, const char* extension, char* result) try {
  std::string path = kfs::cat::joinFileName(prefix, name, extension);
  std::memcpy(result, path.c_str(), path.size() + 1);
  return result;
}
KORA_CATCH_ALL(result)

int OXAopn(FILE** stream, const char* prefix, const char* name, const char* extension, int mode,
           int binary) try {
  static const char* const textModes[] = {"r", "w", "r+"};
  static const char* const binaryModes[] = {"rb", "wb", "rb+"};
  if (stream == nullptr) return 1;
  *stream = nullptr;
  if (mode < 0 || mode > 2) return 1;
  std::string path = kfs::cat::joinFileName(prefix, name, extension);
  *stream = std::fopen(path.c_str(), binary ? binaryModes[mode] : textModes[mode]);
  return *stream != nullptr ? 0 : 1;
}
KORA_CATCH_ALL(1)

void decswp(void* values, int n) try {
  unsigned char* p = static_cast<unsigned char*>(values);
  for (int i = 0; i < n; ++i, p += 4) {
    std::uint32_t w;
    std::memcpy(&w, p, 4);
    w = kfs::cat::byteSwapped(w);
    std::memcpy(p, &w, 4);
  }
}
KORA_CATCH_ALL(void())

}  // extern "C"
