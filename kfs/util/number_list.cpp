// Comma-separated lists of numbers and "y"/"n" flag strings (text_util.h):
// the compact form in which settings are shown in listings and read back
// from one-line text fields.
#include "base/kora_boundary.h"
#include "kfs/util/failure_values.h"
#include "kfs/util/number_locale.h"
#include "kfs/util/text_util.h"

#include <cstring>
#include <string>

namespace {

// "%-12.5g" pads to 12 columns; the list shows the number without the pad.
std::string floatField(float v) {
  std::string text = kfs::util::formatC("%-12.5g", static_cast<double>(v));
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

void appendField(std::string& list, const std::string& field) {
  if (!list.empty()) list += ", ";
  list += field;
}

}  // namespace

extern "C" {

char* strfmt(char* dst, const void* values, int n) try {
  std::string list;
  if (n > 0) {
    const float* f = static_cast<const float*>(values);
    for (int i = 0; i < n; ++i) appendField(list, floatField(f[i]));
  } else if (n < 0) {
    const int* v = static_cast<const int*>(values);
    // -n values: written as a long long so that n = INT_MIN cannot overflow.
    long long count = -static_cast<long long>(n);
    for (long long i = 0; i < count; ++i) appendField(list, kfs::util::formatC("%d", v[i]));
  }
  // Fields are at most 11 characters, so the list stays within
  // KFS_STRFMT_SIZE(n); the copy is exact.
  std::memcpy(dst, list.c_str(), list.size() + 1);
  return dst;
}
KORA_CATCH_ALL(::kfs::util::Emptied(dst))

int strflt(void* values, const char* text, int n) try {
  if (n == 0 || text == nullptr || allspace(text)) return 0;
  long long wanted = n > 0 ? n : -static_cast<long long>(n);
  long long fields = 0;
  const char* field = text;
  while (fields < wanted) {
    const char* comma = std::strchr(field, ',');
    const char* end = comma ? comma : field + std::strlen(field);
    if (n > 0) {
      double v = 0;
      if (kfs::util::parseFieldDouble(field, end, &v))
        static_cast<float*>(values)[fields] = static_cast<float>(v);
    } else {
      int v = 0;
      if (kfs::util::parseFieldInt(field, end, &v)) static_cast<int*>(values)[fields] = v;
    }
    ++fields;
    if (comma == nullptr) break;
    field = comma + 1;
  }
  return static_cast<int>(fields);
}
KORA_CATCH_ALL(0)

char* strfmb(char* dst, const int* flags, int n) try {
  int i = 0;
  for (; i < n; ++i) dst[i] = flags[i] ? 'y' : 'n';
  dst[i] = '\0';
  return dst;
}
KORA_CATCH_ALL(::kfs::util::Emptied(dst))

int strbol(int* flags, const char* text, int n) try {
  bool ended = false;
  for (int i = 0; i < n; ++i) {
    if (!ended && text[i] == '\0') ended = true;
    flags[i] = (!ended && text[i] == 'y') ? 1 : 0;
  }
  return 1;
}
KORA_CATCH_ALL(0)

}  // extern "C"
