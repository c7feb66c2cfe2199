#include "KvCart/text/WktScan.h"

#include "KvCart/text/WktNumber.h"

namespace kvcart::wkt {

CString AsciiLower(const CString& text) {
  CString lowered(text);
  const int length = lowered.GetLength();
  char* bytes = lowered.GetBufferSetLength(length);
  for (int i = 0; i < length; ++i) {
    if (bytes[i] >= 'A' && bytes[i] <= 'Z') bytes[i] = static_cast<char>(bytes[i] - 'A' + 'a');
  }
  return lowered;
}

namespace {

// True when the delimiter run that starts at `from` holds no name: a quoted
// name closed at once ("") or a bracket closed before any quote ([]).
// `after` is then one past the closing quote or bracket.
bool IsEmptyQuotedName(const CString& text, int from, int& after) {
  const int length = text.GetLength();
  for (int i = from; i + 1 < length; ++i) {
    const char c = text[i];
    if (c != '[' && c != ']' && c != '"') return false;
    if (c == ']') {
      after = i + 1;
      return true;
    }
    if (c == '"' && text[i + 1] == '"') {
      after = i + 2;
      return true;
    }
    if (c == '"') return false;  // the opening quote of a real name
  }
  return false;
}

}  // namespace

bool ReadNameAt(const CString& text, int at, CString& name, int& pos) {
  if (at < 0) return false;
  pos = at;
  text.Tokenize(kNameDelimiters, pos);  // the keyword itself
  int after = -1;
  if (pos > 0 && IsEmptyQuotedName(text, pos - 1, after)) {
    name.Empty();
    pos = after < text.GetLength() ? after : -1;
    return true;
  }
  name = text.Tokenize(kNameDelimiters, pos);
  return true;
}

double ReadValue(const CString& text, int& pos) {
  const CString token = text.Tokenize(kValueDelimiters, pos);
  return ParseWktNumber(token.GetString());
}

double FindParamLowered(const CString& loweredText, const CString& name, bool& found) {
  const CString key = "\"" + AsciiLower(name) + "\"";
  int pos = loweredText.Find(key.GetString());
  found = pos >= 0;
  if (!found) return 0.0;
  loweredText.Tokenize(kValueDelimiters, pos);  // the quoted name
  return ReadValue(loweredText, pos);
}

}  // namespace kvcart::wkt
