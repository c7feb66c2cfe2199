// Reading, writing and byte-order conversion of catalogue files
// (catalogue.h). A catalogue is always read whole into a byte image and
// checked before anything of the caller's record changes.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "base/kora_boundary.h"
#include "kfs/legacy/catalogue.h"
#include "kfs/legacy/catalogue_layout.h"

namespace {

using kfs::cat::kFileBytes;

constexpr float kOk = 0.0f, kFileFailed = -1.0f, kNotCatalogue = -2.0f;

bool fileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

bool fitsPathField(const char* text) {
  return text == nullptr || std::strlen(text) < CAT_PATH_SIZE;
}

void storePathField(char* field, const std::string& text) {
  std::memcpy(field, text.c_str(), text.size() + 1);
}

// Number of spatial axes the record states, or -1 when it is not 0..4.
int axesOf(const catRecord& cat) {
  long n = 0;
  return kfs::cat::countField(cat.nAxes, 0, CAT_MAX_AXES, &n) ? static_cast<int>(n) : -1;
}

bool itemsInRange(const catRecord& cat) {
  long n = 0;
  return kfs::cat::countField(cat.nItems, 0, CAT_MAX_ITEMS, &n);
}

// Reads up to kFileBytes; the count read, or -1 on a read error.
long readImage(FILE* f, unsigned char* image) {
  std::size_t got = std::fread(image, 1, kFileBytes, f);
  return std::ferror(f) ? -1 : static_cast<long>(got);
}

}  // namespace

extern "C" {

float CATrea(const char* prefix, const char* name, catRecord* cat) try {
  if (cat == nullptr || !fitsPathField(prefix) || !fitsPathField(name)) return kFileFailed;
  int nAxes = axesOf(*cat);
  if (nAxes < 0) return kFileFailed;  // no file name can be formed
  if (!fileExists(kfs::cat::dataSetFile(prefix, name, "dt", nAxes))) return kFileFailed;

  FILE* f = std::fopen(kfs::cat::dataSetFile(prefix, name, "ct", nAxes).c_str(), "rb");
  if (f == nullptr) return kFileFailed;
  unsigned char image[kFileBytes];
  long got = readImage(f, image);
  std::fclose(f);
  if (got < 0) return kFileFailed;

  catRecord read = *cat;
  if (kfs::cat::unpackImage(image, static_cast<std::size_t>(got), read) !=
      kfs::cat::ImageStatus::ok)
    return kNotCatalogue;
  if (axesOf(read) != nAxes || !itemsInRange(read)) return kNotCatalogue;

  storePathField(read.prefix, prefix ? prefix : "");
  storePathField(read.name, name ? name : "");
  *cat = read;
  return kOk;
}
KORA_CATCH_ALL(-1.0f)

float CATwri(const char* prefix, const char* name, catRecord* cat) try {
  if (cat == nullptr || !fitsPathField(prefix) || !fitsPathField(name)) return kFileFailed;
  int nAxes = axesOf(*cat);
  if (nAxes < 0 || !itemsInRange(*cat)) return kNotCatalogue;
  // Copies first: prefix and name may be the record's own fields.
  std::string dir = prefix ? prefix : cat->prefix;
  std::string base = name ? name : cat->name;

  unsigned char image[kFileBytes];
  kfs::cat::packImage(*cat, image);
  FILE* f = std::fopen(kfs::cat::dataSetFile(dir.c_str(), base.c_str(), "ct", nAxes).c_str(), "wb");
  if (f == nullptr) return kFileFailed;
  bool written = std::fwrite(image, 1, kFileBytes, f) == kFileBytes;
  if (std::fclose(f) != 0) written = false;
  if (!written) return kFileFailed;

  storePathField(cat->prefix, dir);
  storePathField(cat->name, base);
  return kOk;
}
KORA_CATCH_ALL(-1.0f)

float ctxswap(const char* prefix, const char* name, int N) try {
  if (N < 0 || N > CAT_MAX_AXES) return kFileFailed;
  FILE* f = std::fopen(kfs::cat::dataSetFile(prefix, name, "ct", N).c_str(), "rb+");
  if (f == nullptr) return kFileFailed;
  unsigned char image[kFileBytes];
  long got = readImage(f, image);
  // Only a well-formed catalogue is turned over: reversing the words of
  // any other file would damage it.
  catRecord probe;
  std::memset(&probe, 0, sizeof probe);
  bool wellFormed = got == static_cast<long>(kFileBytes) &&
                    kfs::cat::unpackImage(image, kFileBytes, probe) == kfs::cat::ImageStatus::ok;
  bool written = false;
  if (wellFormed) {
    kfs::cat::reverseImage(image);
    written = std::fseek(f, 0, SEEK_SET) == 0 && std::fwrite(image, 1, kFileBytes, f) == kFileBytes;
  }
  if (std::fclose(f) != 0) written = false;
  return written ? kOk : kNotCatalogue;
}
KORA_CATCH_ALL(-1.0f)

}  // extern "C"
