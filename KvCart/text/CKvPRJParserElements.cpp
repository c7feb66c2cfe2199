// The static text functions of the well-known-text record: element readers,
// the WKT test, display names and bracket checks.
#include "KvCart/core/LocalGrid.h"
#include "KvCart/text/CKvPRJParser.h"
#include "KvCart/text/WktScan.h"

using namespace kvcart::wkt;

namespace {

struct BracketScan {
  int openAtEnd = 0;        // brackets still open after the last character
  int firstUnmatched = -1;  // index of the first "]" without an open bracket
};

BracketScan ScanBrackets(const CString& text) {
  BracketScan scan;
  const int length = text.GetLength();
  for (int i = 0; i < length; ++i) {
    if (text[i] == '[') ++scan.openAtEnd;
    if (text[i] != ']') continue;
    if (scan.openAtEnd == 0) {
      scan.firstUnmatched = i;
      return scan;
    }
    --scan.openAtEnd;
  }
  return scan;
}

int CountChar(const CString& text, char ch) {
  int count = 0;
  const int length = text.GetLength();
  for (int i = 0; i < length; ++i) count += text[i] == ch ? 1 : 0;
  return count;
}

}  // namespace

int CKvPRJParser::_MatchBrackets(const CString& text) {
  if (text.IsEmpty()) return -1;
  const BracketScan scan = ScanBrackets(text);
  if (scan.firstUnmatched >= 0) return scan.firstUnmatched;
  return scan.openAtEnd == 0 ? -1 : text.GetLength();
}

bool CKvPRJParser::_MatchCommas(const CString& text) {
  return CountChar(text, ',') > CountChar(text, '[');
}

int CKvPRJParser::_GetBracketLevel(const CString& text) {
  const BracketScan scan = ScanBrackets(text);
  return scan.firstUnmatched >= 0 ? -1 : scan.openAtEnd;
}

bool CKvPRJParser::IsPRJ(const CString& text) {
  if (text.IsEmpty() || _MatchBrackets(text) != -1 || !_MatchCommas(text)) return false;
  return text.Find("PROJCS") >= 0 || text.Find("GEOGCS") >= 0;
}

CString CKvPRJParser::GetName(const CString& text, const CString& keyword) {
  CString name;
  int pos = 0;
  ReadNameAt(text, text.Find(keyword.GetString()), name, pos);
  return name;
}

CString CKvPRJParser::ShortName(const CString& text) {
  for (const char* keyword : {"COMPD_CS", "PROJCS", "GEOGCS"}) {
    const CString name = GetName(text, keyword);
    if (!name.IsEmpty()) return name;
  }
  if (kvcart::IsLocalGridText(text.GetString())) return "Local Coordinates";
  return text;
}

CString CKvPRJParser::DatumName(const CString& text) { return GetName(text, "DATUM"); }

CString CKvPRJParser::GetNameParam(const CString& text, const CString& keyword, CString& name,
                                   double& value) {
  int pos = 0;
  if (!ReadNameAt(text, text.Find(keyword.GetString()), name, pos)) return CString();
  value = ReadValue(text, pos);
  return pos < 0 ? CString() : text.Mid(pos);
}

CString CKvPRJParser::GetNameParam(const CString& text, const CString& keyword, CString& name,
                                   CString& word) {
  int pos = 0;
  if (!ReadNameAt(text, text.Find(keyword.GetString()), name, pos)) return CString();
  word = text.Tokenize(kValueDelimiters, pos);
  word.Trim(" \t\r\n");
  return pos < 0 ? CString() : text.Mid(pos);
}

double CKvPRJParser::GetParam(const CString& text, const CString& name, double defaultValue) {
  bool found = false;
  const double value = FindParamLowered(AsciiLower(text), name, found);
  return found ? value : defaultValue;
}

double CKvPRJParser::GetParam(const CString& text, const std::vector<CString>& names,
                              double defaultValue) {
  const CString lowered = AsciiLower(text);
  for (const CString& name : names) {
    bool found = false;
    const double value = FindParamLowered(lowered, name, found);
    if (found) return value;
  }
  return defaultValue;
}
