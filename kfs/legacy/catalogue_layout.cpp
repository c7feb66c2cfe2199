// The catalogue's byte image: which of the 150 words and 436 text bytes
// holds which field. Counts are stored as 32-bit integers, real values as
// IEEE singles; a count never set (CAT_UNSET) is stored as INT32_MIN so that
// it reads back unset.
#include "kfs/legacy/catalogue_layout.h"

#include <climits>
#include <cmath>
#include <cstring>

namespace kfs::cat {
namespace {

// Word positions (see docs/older-formats.md).
constexpr int wAxes = 0, wItems = 1, wDelete = 2, wStartDate = 3, wLeading = 4;
constexpr int wTime = 5;   // 4 words: sets - 1, start, interval, phys. start
constexpr int wAxis = 9;   // 4 axes x 4 words, as the time axis
constexpr int wItem = 25;  // 17 items x 5 words: min, max, mean, st. dev, missing
constexpr int wordsPerAxis = 4, wordsPerItem = 5;
static_assert(wItem + CAT_MAX_ITEMS * wordsPerItem <= kNumericWords, "numeric words overflow");

// Text positions.
constexpr int tTitle = 0, tTimeUnit = 56, tAxisUnit = 64, tDescription = 96;
constexpr int titleLen = CAT_TITLE_SIZE - 1, unitLen = CAT_UNIT_SIZE - 1;
constexpr int descriptionLen = CAT_DESCRIPTION_SIZE - 1;
static_assert(tDescription + CAT_MAX_ITEMS * descriptionLen == static_cast<int>(kTextBytes),
              "text fields must fill the text record");

constexpr std::int32_t unsetCount = INT32_MIN;

struct Words {
  std::uint32_t w[kNumericWords];

  void putFloat(int i, float v) { std::memcpy(&w[i], &v, 4); }
  float getFloat(int i) const {
    float v;
    std::memcpy(&v, &w[i], 4);
    return v;
  }
  void putCount(int i, float v) {
    std::int32_t n = unsetCount;
    if (v != CAT_UNSET && std::isfinite(v)) {
      double r = std::nearbyint(static_cast<double>(v));
      if (r > INT32_MIN && r <= INT32_MAX) n = static_cast<std::int32_t>(r);
    }
    std::memcpy(&w[i], &n, 4);
  }
  float getCount(int i) const {
    std::int32_t n;
    std::memcpy(&n, &w[i], 4);
    return n == unsetCount ? CAT_UNSET : static_cast<float>(n);
  }
};

void putAxis(Words& w, int at, const catAxis& a) {
  w.putCount(at, a.nSets1);
  w.putFloat(at + 1, a.start);
  w.putFloat(at + 2, a.interval);
  w.putFloat(at + 3, a.physStart);
}

void getAxis(const Words& w, int at, catAxis& a) {
  a.nSets1 = w.getCount(at);
  a.start = w.getFloat(at + 1);
  a.interval = w.getFloat(at + 2);
  a.physStart = w.getFloat(at + 3);
}

// Fixed-width text fields are blank-padded, as Fortran CHARACTER fields.
void putText(unsigned char* field, int len, const char* text) {
  std::size_t n = strnlen(text, static_cast<std::size_t>(len));
  std::memcpy(field, text, n);
  std::memset(field + n, ' ', static_cast<std::size_t>(len) - n);
}

// Up to the first NUL, without the padding blanks.
void getText(const unsigned char* field, int len, char* text) {
  std::size_t n = 0;
  while (n < static_cast<std::size_t>(len) && field[n] != '\0') ++n;
  while (n > 0 && field[n - 1] == ' ') --n;
  std::memcpy(text, field, n);
  text[n] = '\0';
}

std::uint32_t loadWord(const unsigned char* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

void storeWord(unsigned char* p, std::uint32_t v) { std::memcpy(p, &v, 4); }

void reverseWordAt(unsigned char* p) { storeWord(p, byteSwapped(loadWord(p))); }

}  // namespace

std::uint32_t byteSwapped(std::uint32_t v) {
  return (v >> 24) | ((v >> 8) & 0xff00u) | ((v << 8) & 0xff0000u) | (v << 24);
}

void reverseImage(unsigned char image[kFileBytes]) {
  for (std::size_t at = kNumericHead; at <= kNumericTail; at += 4) reverseWordAt(image + at);
  reverseWordAt(image + kTextHead);
  reverseWordAt(image + kTextTail);
}

void packImage(const catRecord& cat, unsigned char image[kFileBytes]) {
  Words w;
  std::memset(&w, 0, sizeof w);  // reserved words are written as 0
  w.putCount(wAxes, cat.nAxes);
  w.putCount(wItems, cat.nItems);
  w.putFloat(wDelete, cat.deleteValue);
  w.putCount(wStartDate, cat.startDate);
  w.putCount(wLeading, cat.leadingRecords);
  putAxis(w, wTime, cat.time);
  for (int a = 0; a < CAT_MAX_AXES; ++a) putAxis(w, wAxis + a * wordsPerAxis, cat.axis[a]);
  for (int i = 0; i < CAT_MAX_ITEMS; ++i) {
    const catItem& it = cat.item[i];
    int at = wItem + i * wordsPerItem;
    w.putFloat(at, it.minimum);
    w.putFloat(at + 1, it.maximum);
    w.putFloat(at + 2, it.mean);
    w.putFloat(at + 3, it.stdev);
    w.putCount(at + 4, it.missing);
  }

  storeWord(image + kNumericHead, kNumericBytes);
  std::memcpy(image + kNumericHead + 4, w.w, kNumericBytes);
  storeWord(image + kNumericTail, kNumericBytes);
  storeWord(image + kTextHead, kTextBytes);
  unsigned char* text = image + kTextHead + 4;
  putText(text + tTitle, titleLen, cat.title);
  putText(text + tTimeUnit, unitLen, cat.time.unit);
  for (int a = 0; a < CAT_MAX_AXES; ++a)
    putText(text + tAxisUnit + a * unitLen, unitLen, cat.axis[a].unit);
  for (int i = 0; i < CAT_MAX_ITEMS; ++i)
    putText(text + tDescription + i * descriptionLen, descriptionLen, cat.item[i].description);
  storeWord(image + kTextTail, kTextBytes);

  if (cat.swapped) reverseImage(image);
}

ImageStatus unpackImage(const unsigned char* file, std::size_t size, catRecord& out) {
  if (size < kFileBytes) return ImageStatus::notCatalogue;
  unsigned char image[kFileBytes];
  std::memcpy(image, file, kFileBytes);
  bool swapped = false;
  if (loadWord(image) != kNumericBytes) {
    reverseImage(image);
    if (loadWord(image) != kNumericBytes) return ImageStatus::notCatalogue;
    swapped = true;
  }
  if (loadWord(image + kNumericTail) != kNumericBytes ||
      loadWord(image + kTextHead) != kTextBytes || loadWord(image + kTextTail) != kTextBytes)
    return ImageStatus::notCatalogue;

  Words w;
  std::memcpy(w.w, image + 4, kNumericBytes);
  out.nAxes = w.getCount(wAxes);
  out.nItems = w.getCount(wItems);
  out.deleteValue = w.getFloat(wDelete);
  out.startDate = w.getCount(wStartDate);
  out.leadingRecords = w.getCount(wLeading);
  getAxis(w, wTime, out.time);
  for (int a = 0; a < CAT_MAX_AXES; ++a) getAxis(w, wAxis + a * wordsPerAxis, out.axis[a]);
  for (int i = 0; i < CAT_MAX_ITEMS; ++i) {
    catItem& it = out.item[i];
    int at = wItem + i * wordsPerItem;
    it.minimum = w.getFloat(at);
    it.maximum = w.getFloat(at + 1);
    it.mean = w.getFloat(at + 2);
    it.stdev = w.getFloat(at + 3);
    it.missing = w.getCount(at + 4);
  }
  const unsigned char* text = image + kTextHead + 4;
  getText(text + tTitle, titleLen, out.title);
  getText(text + tTimeUnit, unitLen, out.time.unit);
  for (int a = 0; a < CAT_MAX_AXES; ++a)
    getText(text + tAxisUnit + a * unitLen, unitLen, out.axis[a].unit);
  for (int i = 0; i < CAT_MAX_ITEMS; ++i)
    getText(text + tDescription + i * descriptionLen, descriptionLen, out.item[i].description);
  out.swapped = swapped ? 1 : 0;
  return ImageStatus::ok;
}

std::string joinFileName(const char* prefix, const char* name, const char* extension) {
  std::string path = prefix ? prefix : "";
  path += name ? name : "";
  if (extension != nullptr && extension[0] != '\0') {
    path += '.';
    path += extension;
  }
  return path;
}

std::string dataSetFile(const char* prefix, const char* name, const char* letters, int nAxes) {
  std::string ext = std::string(letters) + static_cast<char>('0' + nAxes);
  return joinFileName(prefix, name, ext.c_str());
}

bool countField(float value, long low, long high, long* out) {
  double v = value == CAT_UNSET ? 0.0 : static_cast<double>(value);
  if (!std::isfinite(v) || v != std::floor(v) || v < static_cast<double>(low) ||
      v > static_cast<double>(high))
    return false;
  *out = static_cast<long>(v);
  return true;
}

}  // namespace kfs::cat
