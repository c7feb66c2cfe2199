/* CString: the one string class of koracore.
 *
 * A value type over std::string with named operations on 8-bit text
 * (Format, Tokenize, Mid, Trim, ...). No encoding is interpreted: the text is
 * a sequence of bytes with an explicit length, always followed by a NUL.
 * Only the case functions (tolower/toupper) and the collating comparisons
 * (strcoll) look at the process locale.
 *
 * Lengths, indices and counts are int. Where an operation documents a
 * precondition (non-negative start, non-null text) the class still does
 * something harmless when it is broken: a negative count is taken as 0 and
 * a null text as the empty text. The only errors reported are
 * std::out_of_range from GetAt (index at or past the end) and Delete (index
 * past the end).
 *
 * The class lives in librcf-koracore and nowhere else, so every process has
 * exactly one definition whichever koracore libraries it links. Its layout
 * (a virtual destructor and one std::string) is part of the binary interface
 * shared by all libraries: do not add members.
 *
 * Example:
 *   CString s;
 *   s.Format("%s_%03d.dfs", "run", 7);       // "run_007.dfs"
 *   int pos = 0;
 *   CString first = s.Tokenize("_.", pos);   // "run", pos == 4
 */
#ifndef KORACORE_CSTRING_H
#define KORACORE_CSTRING_H

#include <cstdarg>
#include <string>

#include "rcf/rcf_api.h"

#if defined(__GNUC__) || defined(__clang__)
#define KORACORE_PRINTF_LIKE(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define KORACORE_PRINTF_LIKE(fmt, args)
#endif

class RCF_API CString {
 public:
  // Construction and assignment.
  CString();
  CString(const CString& other);
  CString(CString&& other) noexcept;
  CString(const char* text);             // null gives the empty text
  CString(char ch, int count);           // count copies of ch
  CString(const char* text, int count);  // first min(count, strlen(text)) bytes
  virtual ~CString();

  CString& operator=(const CString& other);
  CString& operator=(CString&& other) noexcept;
  CString& operator=(const char* text);
  CString& operator=(const unsigned char* text);
  CString& operator=(char ch);
  CString& operator=(wchar_t ch);  // keeps the low byte

  void SetString(const char* text);
  void SetString(const char* bytes, int count);  // exactly count bytes, NULs included

  // Access.
  int GetLength() const;
  bool IsEmpty() const;
  void Empty();
  const char* GetString() const;     // never null
  char GetAt(int index) const;       // throws std::out_of_range past the end
  char operator[](int index) const;  // unchecked
  void SetAt(int index, char ch);    // unchecked

  // Direct buffer access. The pointer stays valid until the next call that
  // changes the text. GetBuffer(n) grows the capacity only; the length stays
  // as it is until ReleaseBuffer() measures the NUL-terminated text written
  // into the buffer. ReleaseBuffer(n) with n >= 0 only ensures capacity n and
  // leaves the length alone: to set an exact length use GetBufferSetLength.
  char* GetBuffer();
  char* GetBuffer(int minCapacity);
  char* GetBufferSetLength(int length);  // new bytes are NUL
  char* LockBuffer();
  void UnlockBuffer();
  void ReleaseBuffer(int newLength = -1);
  void ReleaseBufferSetLength(int newLength);
  void Preallocate(int capacity);
  void FreeExtra();
  int GetAllocLength() const;  // 15 while the text fits in the object
  void Truncate(int length);   // a larger length pads with NUL bytes

  // Appending.
  void Append(const CString& text);
  void Append(const char* text);
  void Append(const char* bytes, int count);
  void AppendChar(char ch);
  CString& operator+=(const CString& text);
  CString& operator+=(const char* text);
  CString& operator+=(char ch);
  CString& operator+=(unsigned char ch);
  CString& operator+=(wchar_t ch);  // keeps the low byte

  // Formatting with printf formats. Results of any length are formatted
  // completely; an encoding error leaves an empty result.
  void Format(const char* format, ...) KORACORE_PRINTF_LIKE(2, 3);
  void FormatV(const char* format, va_list args) KORACORE_PRINTF_LIKE(2, 0);
  void FormatMessageV(const char* format, va_list args) KORACORE_PRINTF_LIKE(2, 0);
  void AppendFormatV(const char* format, va_list args) KORACORE_PRINTF_LIKE(2, 0);

  // Searching: an index, or -1 when there is none.
  int Find(const char* sub, int start = 0) const;
  int Find(char ch, int start = 0) const;
  int ReverseFind(char ch) const;
  int FindOneOf(const char* set) const;

  // Comparing: negative, 0 or positive.
  int Compare(const char* text) const;        // unsigned bytes
  int CompareNoCase(const char* text) const;  // both lowered with tolower first
  int Collate(const char* text) const;        // strcoll
  int CollateNoCase(const char* text) const;

  // Extracting.
  CString Left(int count) const;  // negative count: whole text
  CString Mid(int first) const;
  CString Mid(int first, int count) const;  // negative count: to the end
  CString Right(int count) const;
  CString SpanIncluding(const char* set) const;
  CString SpanExcluding(const char* set) const;
  // The next token after position start, skipping any run of delimiters;
  // start moves one past the delimiter that ended it. At the end the result
  // is empty and start becomes -1.
  CString Tokenize(const char* delimiters, int& start) const;

  // Modifying in place.
  CString& MakeLower();
  CString& MakeUpper();
  CString& MakeReverse();                   // the bytes up to the first NUL
  int Insert(int index, const char* text);  // returns the new length
  int Insert(int index, char ch);
  int Delete(int index, int count = 1);  // throws std::out_of_range if index > length
  int Remove(char ch);                   // returns how many were removed
  int Replace(char oldCh, char newCh);   // returns how many were replaced
  int Replace(const char* oldText, const char* newText);
  CString& Trim();  // blanks are space and tab only
  CString& TrimLeft();
  CString& TrimRight();
  CString& Trim(char ch);
  CString& TrimLeft(char ch);
  CString& TrimRight(char ch);
  CString& Trim(const char* set);
  CString& TrimLeft(const char* set);
  CString& TrimRight(const char* set);

  // Replaces the text by the variable's value; false (text unchanged) when
  // the environment has no such variable.
  bool GetEnvironmentVariable(const char* name);

  static int StringLength(const char* text);
  static void CopyChars(char* dst, const char* src, int count);
  static void CopyCharsOverlapped(char* dst, const char* src, int count);

 private:
  std::string m_str;
};

// Concatenation. Defined here, in the class's own library, rather than in
// one of the libraries that use it, so that every host finds exactly one
// definition whichever of the libraries it links.
RCF_API CString operator+(const CString& a, const CString& b);
RCF_API CString operator+(const CString& a, char ch);
RCF_API CString operator+(const CString& a, const char* b);
RCF_API CString operator+(const char* a, const CString& b);

// Equality compares bytes; ordering is unsigned byte-wise with a proper
// prefix first, so CString works as the key of ordered maps.
RCF_API bool operator==(const CString& a, const CString& b);
RCF_API bool operator==(const CString& a, const char* b);
RCF_API bool operator==(const char* a, const CString& b);
RCF_API bool operator!=(const CString& a, const CString& b);
RCF_API bool operator!=(const CString& a, const char* b);
RCF_API bool operator!=(const char* a, const CString& b);
RCF_API bool operator<(const CString& a, const CString& b);
RCF_API bool operator>(const CString& a, const CString& b);
RCF_API bool operator<=(const CString& a, const CString& b);
RCF_API bool operator>=(const CString& a, const CString& b);

#endif
