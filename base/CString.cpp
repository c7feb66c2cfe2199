#include "base/CString.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

// Counts at the interface are int; internally std::string sizes. A negative
// count that the caller should not have passed is taken as 0.
size_t NonNegative(int n) { return n < 0 ? 0 : static_cast<size_t>(n); }

int ToInt(size_t n) { return static_cast<int>(n); }

int IndexOrMinusOne(size_t pos) { return pos == std::string::npos ? -1 : ToInt(pos); }

const char* OrEmpty(const char* text) { return text ? text : ""; }

// strcmp-like comparison on unsigned bytes that also works with embedded NULs:
// after a common prefix the longer text is the greater.
int CompareBytes(const char* a, size_t lenA, const char* b, size_t lenB) {
  const size_t common = std::min(lenA, lenB);
  const int c = common ? std::memcmp(a, b, common) : 0;
  if (c != 0) return c < 0 ? -1 : 1;
  if (lenA == lenB) return 0;
  return lenA < lenB ? -1 : 1;
}

std::string Lowered(const char* bytes, size_t len) {
  std::string out(bytes, len);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Formats into a local buffer first; a result that does not fit is formatted
// again into a buffer of the exact size, so no length is ever too long.
// Returns false on an encoding error, with nothing appended.
bool AppendFormatted(std::string& out, const char* format, va_list args) {
  char local[4096];
  va_list again;
  va_copy(again, args);
  const int needed = std::vsnprintf(local, sizeof local, OrEmpty(format), args);
  if (needed < 0) {
    va_end(again);
    return false;
  }
  if (static_cast<size_t>(needed) < sizeof local) {
    out.append(local, static_cast<size_t>(needed));
  } else {
    std::vector<char> big(static_cast<size_t>(needed) + 1);
    std::vsnprintf(big.data(), big.size(), OrEmpty(format), again);
    out.append(big.data(), static_cast<size_t>(needed));
  }
  va_end(again);
  return true;
}

}  // namespace

// --- construction and assignment -------------------------------------------

CString::CString() = default;
CString::CString(const CString& other) = default;
CString::CString(CString&& other) noexcept : m_str(std::move(other.m_str)) {}
CString::CString(const char* text) : m_str(OrEmpty(text)) {}
CString::CString(char ch, int count) : m_str(NonNegative(count), ch) {}
CString::CString(const char* text, int count)
    : m_str(OrEmpty(text), strnlen(OrEmpty(text), NonNegative(count))) {}
CString::~CString() = default;

CString& CString::operator=(const CString& other) = default;

CString& CString::operator=(CString&& other) noexcept {
  m_str = std::move(other.m_str);
  return *this;
}

CString& CString::operator=(const char* text) {
  m_str = OrEmpty(text);
  return *this;
}

CString& CString::operator=(const unsigned char* text) {
  return *this = reinterpret_cast<const char*>(text);
}

CString& CString::operator=(char ch) {
  m_str.assign(1, ch);
  return *this;
}

CString& CString::operator=(wchar_t ch) { return *this = static_cast<char>(ch & 0xFF); }

void CString::SetString(const char* text) { m_str = OrEmpty(text); }

void CString::SetString(const char* bytes, int count) {
  if (!bytes || count <= 0)
    m_str.clear();
  else
    m_str.assign(bytes, static_cast<size_t>(count));
}

// --- access ------------------------------------------------------------------

int CString::GetLength() const { return ToInt(m_str.size()); }
bool CString::IsEmpty() const { return m_str.empty(); }
void CString::Empty() { m_str.clear(); }
const char* CString::GetString() const { return m_str.c_str(); }

char CString::GetAt(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= m_str.size())
    throw std::out_of_range("CString::GetAt: index out of range");
  return m_str[static_cast<size_t>(index)];
}

char CString::operator[](int index) const { return m_str[static_cast<size_t>(index)]; }
void CString::SetAt(int index, char ch) { m_str[static_cast<size_t>(index)] = ch; }

// --- buffers -----------------------------------------------------------------

char* CString::GetBuffer() { return &m_str[0]; }

char* CString::GetBuffer(int minCapacity) {
  Preallocate(minCapacity);
  return &m_str[0];
}

char* CString::GetBufferSetLength(int length) {
  m_str.resize(NonNegative(length));
  return &m_str[0];
}

char* CString::LockBuffer() { return GetBuffer(); }
void CString::UnlockBuffer() {}

void CString::ReleaseBuffer(int newLength) {
  if (newLength >= 0) {
    Preallocate(newLength);
    return;
  }
  // The caller may have written a longer text into the capacity GetBuffer(n)
  // reserved; the NUL is searched within the whole allocation (capacity plus
  // the terminator's byte), and the bytes are copied out before the string
  // takes them as its own.
  const char* raw = m_str.data();
  const size_t len = strnlen(raw, m_str.capacity());
  if (len <= m_str.size()) {
    m_str.resize(len);
  } else {
    std::string grown(raw, len);
    m_str.swap(grown);
  }
  m_str.shrink_to_fit();
}

void CString::ReleaseBufferSetLength(int newLength) { ReleaseBuffer(newLength); }

void CString::Preallocate(int capacity) {
  // std::string::reserve may shrink before C++20: only ever grow here.
  if (capacity > 0 && static_cast<size_t>(capacity) > m_str.capacity())
    m_str.reserve(static_cast<size_t>(capacity));
}

void CString::FreeExtra() { m_str.shrink_to_fit(); }
int CString::GetAllocLength() const { return ToInt(m_str.capacity()); }
void CString::Truncate(int length) { m_str.resize(NonNegative(length)); }

// --- appending ---------------------------------------------------------------

void CString::Append(const CString& text) { m_str.append(text.m_str); }
void CString::Append(const char* text) { m_str.append(OrEmpty(text)); }

void CString::Append(const char* bytes, int count) {
  if (bytes && count > 0) m_str.append(bytes, static_cast<size_t>(count));
}

void CString::AppendChar(char ch) { m_str.push_back(ch); }

CString& CString::operator+=(const CString& text) {
  Append(text);
  return *this;
}

CString& CString::operator+=(const char* text) {
  Append(text);
  return *this;
}

CString& CString::operator+=(char ch) {
  m_str.push_back(ch);
  return *this;
}

CString& CString::operator+=(unsigned char ch) { return *this += static_cast<char>(ch); }
CString& CString::operator+=(wchar_t ch) { return *this += static_cast<char>(ch & 0xFF); }

// --- formatting ----------------------------------------------------------------

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

void CString::FormatV(const char* format, va_list args) {
  std::string result;
  AppendFormatted(result, format, args);
  m_str.swap(result);
}

void CString::FormatMessageV(const char* format, va_list args) { FormatV(format, args); }

void CString::AppendFormatV(const char* format, va_list args) {
  AppendFormatted(m_str, format, args);
}

// --- searching and comparing ---------------------------------------------------

int CString::Find(const char* sub, int start) const {
  if (!sub || static_cast<size_t>(std::max(start, 0)) > m_str.size()) return -1;
  return IndexOrMinusOne(m_str.find(sub, NonNegative(start)));
}

int CString::Find(char ch, int start) const {
  return IndexOrMinusOne(m_str.find(ch, NonNegative(start)));
}

int CString::ReverseFind(char ch) const { return IndexOrMinusOne(m_str.rfind(ch)); }

int CString::FindOneOf(const char* set) const {
  return IndexOrMinusOne(m_str.find_first_of(OrEmpty(set)));
}

int CString::Compare(const char* text) const {
  text = OrEmpty(text);
  return CompareBytes(m_str.data(), m_str.size(), text, std::strlen(text));
}

int CString::CompareNoCase(const char* text) const {
  text = OrEmpty(text);
  const std::string a = Lowered(m_str.data(), m_str.size());
  const std::string b = Lowered(text, std::strlen(text));
  return CompareBytes(a.data(), a.size(), b.data(), b.size());
}

int CString::Collate(const char* text) const { return std::strcoll(m_str.c_str(), OrEmpty(text)); }

int CString::CollateNoCase(const char* text) const {
  text = OrEmpty(text);
  const std::string a = Lowered(m_str.data(), m_str.size());
  const std::string b = Lowered(text, std::strlen(text));
  return std::strcoll(a.c_str(), b.c_str());
}

// --- extracting ----------------------------------------------------------------

CString CString::Left(int count) const {
  if (count < 0) return *this;
  CString out;
  out.m_str = m_str.substr(0, static_cast<size_t>(count));
  return out;
}

CString CString::Mid(int first) const { return Mid(first, -1); }

CString CString::Mid(int first, int count) const {
  const size_t from = std::min(NonNegative(first), m_str.size());
  CString out;
  out.m_str = m_str.substr(from, count < 0 ? std::string::npos : static_cast<size_t>(count));
  return out;
}

CString CString::Right(int count) const {
  const size_t n = std::min(NonNegative(count), m_str.size());
  CString out;
  out.m_str = m_str.substr(m_str.size() - n);
  return out;
}

CString CString::SpanIncluding(const char* set) const {
  const size_t end = m_str.find_first_not_of(OrEmpty(set));
  return Left(end == std::string::npos ? -1 : ToInt(end));
}

CString CString::SpanExcluding(const char* set) const {
  const size_t end = m_str.find_first_of(OrEmpty(set));
  return Left(end == std::string::npos ? -1 : ToInt(end));
}

CString CString::Tokenize(const char* delimiters, int& start) const {
  delimiters = OrEmpty(delimiters);
  const size_t from = start < 0 ? std::string::npos : static_cast<size_t>(start);
  const size_t begin =
      from >= m_str.size() ? std::string::npos : m_str.find_first_not_of(delimiters, from);
  if (begin == std::string::npos) {
    start = -1;
    return CString();
  }
  size_t end = m_str.find_first_of(delimiters, begin);
  if (end == std::string::npos) end = m_str.size();
  start = ToInt(end + 1);
  CString out;
  out.m_str = m_str.substr(begin, end - begin);
  return out;
}

// --- modifying -------------------------------------------------------------------

CString& CString::MakeLower() {
  for (char& c : m_str) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return *this;
}

CString& CString::MakeUpper() {
  for (char& c : m_str) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return *this;
}

CString& CString::MakeReverse() {
  const size_t n = std::strlen(m_str.c_str());
  std::reverse(m_str.begin(), m_str.begin() + static_cast<std::ptrdiff_t>(n));
  return *this;
}

int CString::Insert(int index, const char* text) {
  m_str.insert(std::min(NonNegative(index), m_str.size()), OrEmpty(text));
  return GetLength();
}

int CString::Insert(int index, char ch) {
  m_str.insert(std::min(NonNegative(index), m_str.size()), 1, ch);
  return GetLength();
}

int CString::Delete(int index, int count) {
  if (index < 0 || static_cast<size_t>(index) > m_str.size())
    throw std::out_of_range("CString::Delete: index out of range");
  if (count != 0)
    m_str.erase(static_cast<size_t>(index),
                count < 0 ? std::string::npos : static_cast<size_t>(count));
  return GetLength();
}

int CString::Remove(char ch) {
  const size_t before = m_str.size();
  m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
  return ToInt(before - m_str.size());
}

int CString::Replace(char oldCh, char newCh) {
  int count = 0;
  for (char& c : m_str) {
    if (c == oldCh) {
      c = newCh;
      ++count;
    }
  }
  return count;
}

int CString::Replace(const char* oldText, const char* newText) {
  // An empty search text would match everywhere without advancing.
  if (!oldText || !*oldText) return 0;
  const size_t oldLen = std::strlen(oldText);
  const std::string replacement = OrEmpty(newText);
  int count = 0;
  size_t pos = m_str.find(oldText);
  while (pos != std::string::npos) {
    m_str.replace(pos, oldLen, replacement);
    ++count;
    pos = m_str.find(oldText, pos + replacement.size());
  }
  return count;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::TrimLeft() {
  size_t n = 0;
  while (n < m_str.size() && IsBlank(m_str[n])) ++n;
  m_str.erase(0, n);
  return *this;
}

CString& CString::TrimRight() {
  size_t n = m_str.size();
  while (n > 0 && IsBlank(m_str[n - 1])) --n;
  m_str.resize(n);
  return *this;
}

CString& CString::Trim(char ch) { return TrimRight(ch).TrimLeft(ch); }

CString& CString::TrimLeft(char ch) {
  m_str.erase(0, std::min(m_str.find_first_not_of(ch), m_str.size()));
  return *this;
}

CString& CString::TrimRight(char ch) {
  const size_t last = m_str.find_last_not_of(ch);
  m_str.resize(last == std::string::npos ? 0 : last + 1);
  return *this;
}

CString& CString::Trim(const char* set) { return TrimRight(set).TrimLeft(set); }

CString& CString::TrimLeft(const char* set) {
  m_str.erase(0, std::min(m_str.find_first_not_of(OrEmpty(set)), m_str.size()));
  return *this;
}

CString& CString::TrimRight(const char* set) {
  const size_t last = m_str.find_last_not_of(OrEmpty(set));
  m_str.resize(last == std::string::npos ? 0 : last + 1);
  return *this;
}

// --- other -----------------------------------------------------------------------

bool CString::GetEnvironmentVariable(const char* name) {
  const char* value = name ? std::getenv(name) : nullptr;
  if (!value) return false;
  m_str = value;
  return true;
}

int CString::StringLength(const char* text) { return text ? ToInt(std::strlen(text)) : 0; }

void CString::CopyChars(char* dst, const char* src, int count) {
  if (count > 0) std::strncpy(dst, src, static_cast<size_t>(count));
}

void CString::CopyCharsOverlapped(char* dst, const char* src, int count) {
  if (count <= 0) return;
  // strncpy semantics: stop copying at the NUL and pad, but read the source
  // completely first so the areas may overlap.
  const size_t n = static_cast<size_t>(count);
  std::vector<char> copy(n, '\0');
  std::memcpy(copy.data(), src, strnlen(src, n));
  std::memcpy(dst, copy.data(), n);
}

// --- free operators -------------------------------------------------------------

CString operator+(const CString& a, const CString& b) {
  CString out(a);
  out.Append(b);
  return out;
}

CString operator+(const CString& a, char ch) {
  CString out(a);
  out.AppendChar(ch);
  return out;
}

CString operator+(const CString& a, const char* b) {
  CString out(a);
  out.Append(b);
  return out;
}

CString operator+(const char* a, const CString& b) {
  CString out(a);
  out.Append(b);
  return out;
}

static int CompareCStrings(const CString& a, const CString& b) {
  return CompareBytes(a.GetString(), static_cast<size_t>(a.GetLength()), b.GetString(),
                      static_cast<size_t>(b.GetLength()));
}

bool operator==(const CString& a, const CString& b) { return CompareCStrings(a, b) == 0; }
bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, const char* b) { return !(a == b); }
bool operator!=(const char* a, const CString& b) { return !(a == b); }
bool operator<(const CString& a, const CString& b) { return CompareCStrings(a, b) < 0; }
bool operator>(const CString& a, const CString& b) { return CompareCStrings(a, b) > 0; }
bool operator<=(const CString& a, const CString& b) { return CompareCStrings(a, b) <= 0; }
bool operator>=(const CString& a, const CString& b) { return CompareCStrings(a, b) >= 0; }
