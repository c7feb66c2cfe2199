// Blank handling, justification and character editing of zero-terminated
// texts (declared in text_util.h). Blanks are spaces only: fixed-width files
// use tabs as data, never as padding.
#include "kfs/util/text_util.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "base/kora_boundary.h"

namespace {

// [first, last] non-blank range of s; first > last when s is blank.
void nonBlankRange(const char* s, int* first, int* last) {
  *first = fst_nspc(s);
  *last = *first < 0 ? -2 : lst_nspc(s);
}

}  // namespace

extern "C" {

int allspace(const char* s) try { return fst_nspc(s) < 0 ? 1 : 0; }
KORA_CATCH_ALL(0)

int fst_nspc(const char* s) try {
  for (int i = 0; s[i] != '\0'; ++i)
    if (s[i] != ' ') return i;
  return -1;
}
KORA_CATCH_ALL(-1)

int lst_nspc(const char* s) try {
  int last = -1;
  for (int i = 0; s[i] != '\0'; ++i)
    if (s[i] != ' ') last = i;
  return last;
}
KORA_CATCH_ALL(-1)

char* rem_spc(char* dst, const char* src) try {
  int first = 0, last = 0;
  nonBlankRange(src, &first, &last);
  std::size_t n = first < 0 ? 0 : static_cast<std::size_t>(last - first + 1);
  // memmove: dst may be src itself.
  if (n) std::memmove(dst, src + first, n);
  dst[n] = '\0';
  return dst;
}
KORA_CATCH_ALL(dst)

char* strip(char* s) try { return rem_spc(s, s); }
KORA_CATCH_ALL(s)

char* l_just(char* dst, const char* src) try {
  std::size_t len = std::strlen(src);
  int first = fst_nspc(src);
  if (first <= 0) {  // blank, empty, or already starting with text
    if (dst != src) std::memmove(dst, src, len + 1);
    return dst;
  }
  std::size_t moved = len - static_cast<std::size_t>(first);
  std::memmove(dst, src + first, moved);
  std::memset(dst + moved, ' ', static_cast<std::size_t>(first));
  dst[len] = '\0';
  return dst;
}
KORA_CATCH_ALL(dst)

char* r_just(char* dst, const char* src) try {
  std::size_t len = std::strlen(src);
  int last = lst_nspc(src);
  std::size_t trailing = last < 0 ? 0 : len - static_cast<std::size_t>(last) - 1;
  if (trailing == 0) {
    if (dst != src) std::memmove(dst, src, len + 1);
    return dst;
  }
  std::size_t kept = len - trailing;
  std::memmove(dst + trailing, src, kept);
  std::memset(dst, ' ', trailing);
  dst[len] = '\0';
  return dst;
}
KORA_CATCH_ALL(dst)

int chrdel(char* s, int pos, int n) try {
  int len = static_cast<int>(std::strlen(s));
  if (pos < 0 || pos >= len || n <= 0) return len;
  if (n > len - pos) n = len - pos;
  // The terminator moves with the rest.
  std::memmove(s + pos, s + pos + n, static_cast<std::size_t>(len - pos - n + 1));
  return len - n;
}
KORA_CATCH_ALL(0)

int chrins(char c, char* s, int pos) try {
  int len = static_cast<int>(std::strlen(s));
  if (pos < 0 || pos >= len) return len;
  std::memmove(s + pos + 1, s + pos, static_cast<std::size_t>(len - pos - 1));
  s[pos] = c;
  return len;
}
KORA_CATCH_ALL(0)

char* strwash(char* dst, const char* src, const char* set) try {
  char* out = dst;
  for (const char* p = src; *p != '\0'; ++p)
    if (std::strchr(set, *p) == nullptr) *out++ = *p;  // out never passes p
  *out = '\0';
  return dst;
}
KORA_CATCH_ALL(dst)

char* vlccpy(char* dst, const char* src) try {
  std::size_t n = std::strcspn(src, "$");
  std::memmove(dst, src, n);
  dst[n] = '\0';
  return dst;
}
KORA_CATCH_ALL(dst)

char* _strlwr(char* s) try {
  for (char* p = s; *p != '\0'; ++p)
    *p = static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
  return s;
}
KORA_CATCH_ALL(s)

char* _strupr(char* s) try {
  for (char* p = s; *p != '\0'; ++p)
    *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
  return s;
}
KORA_CATCH_ALL(s)

char* _strrev(char* s) try {
  std::size_t len = std::strlen(s);
  for (std::size_t i = 0, j = len; i + 1 < j; ++i, --j) {
    char t = s[i];
    s[i] = s[j - 1];
    s[j - 1] = t;
  }
  return s;
}
KORA_CATCH_ALL(s)

char* strdup_NOT_USED(const char* s) try {
  if (s == nullptr) return nullptr;
  std::size_t n = std::strlen(s) + 1;
  char* copy = static_cast<char*>(std::malloc(n));
  if (copy != nullptr) std::memcpy(copy, s, n);
  return copy;
}
KORA_CATCH_ALL(nullptr)

void array_cmprss(char (*lines)[KFS_TEXT_LINE_SIZE], int n) try {
  int kept = 0;
  for (int i = 0; i < n; ++i) {
    if (lines[i][0] == '\0') continue;
    if (kept != i) std::memcpy(lines[kept], lines[i], KFS_TEXT_LINE_SIZE);
    ++kept;
  }
  for (int i = kept; i < n; ++i) std::memset(lines[i], 0, KFS_TEXT_LINE_SIZE);
}
KORA_CATCH_ALL(void())

int isint(int c) try {
  return c == '+' || c == '-' || std::isdigit(static_cast<unsigned char>(c)) != 0 ||
         std::isspace(static_cast<unsigned char>(c)) != 0;
}
KORA_CATCH_ALL(0)

int isfloat(int c) try { return isint(c) || c == 'e' || c == 'E' || c == '.'; }
KORA_CATCH_ALL(0)

int issign(int c) try { return c == '+' || c == '-'; }
KORA_CATCH_ALL(0)

}  // extern "C"
