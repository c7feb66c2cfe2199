#include "lookup.h"

#include <cstdlib>

#include "command_line.h"
#include "qty/qty.h"
#include "report.h"

namespace qtyinfo {

namespace {

// A whole number in decimal or, with "0x", hexadecimal; false otherwise.
bool IsNumber(const std::string& text, long* value) {
  if (text.empty() || text.size() > 12) return false;
  char* end = nullptr;
  *value = std::strtol(text.c_str(), &end, 0);
  return end && *end == '\0' && (text[0] >= '0' && text[0] <= '9');
}

std::string Text(const char* text) { return text ? text : ""; }

}  // namespace

int FindUnit(const std::string& text) {
  long id = 0;
  const char* key = nullptr;
  if (IsNumber(text, &id) && qtyGetUnitKey(static_cast<int>(id), &key)) return static_cast<int>(id);
  int unit = 0;
  if (qtyGetUnitTagFromSymbol(text.c_str(), &unit)) return unit;
  throw tools::Failure("unknown unit '" + text + "'");
}

int FindItemType(const std::string& text) {
  long id = 0;
  const char* key = nullptr;
  if (IsNumber(text, &id) && qtyGetItemTypeKey(static_cast<int>(id), &key)) {
    return static_cast<int>(id);
  }
  int item = 0;
  if (qtyGetItemTypeKeyFromIdent(text.c_str(), &item)) return item;
  for (int seq = 1; qtyGetItemTypeSeq(seq, &item, &key); ++seq) {
    if (key && text == key) return item;
  }
  throw tools::Failure("unknown item type '" + text + "'");
}

int FindFilter(const std::string& text) {
  long id = 0;
  const char* key = nullptr;
  if (IsNumber(text, &id) && qtyGetFilterKey(static_cast<int>(id), &key)) {
    return static_cast<int>(id);
  }
  int filter = 0;
  if (qtyGetFilterKeyFromIdent(text.c_str(), &filter)) return filter;
  for (int seq = 1; qtyGetFilterSeq(seq, &filter, &key); ++seq) {
    if (key && text == key) return filter;
  }
  throw tools::Failure("unknown filter '" + text + "'");
}

std::string UnitAbbreviation(int unit) {
  const char* text = nullptr;
  qtyGetUnitAbbreviation(unit, &text);
  return Text(text);
}

std::string UnitName(int unit) {
  const char* text = nullptr;
  qtyGetUnitKey(unit, &text);
  return Text(text);
}

std::string UnitIdent(int unit) {
  const char* text = nullptr;
  qtyGetUnitIdent(unit, &text);
  return Text(text);
}

std::string DimensionText(int unit) {
  static const char* const kBase[7] = {"m", "kg", "s", "K", "A", "mol", "cd"};
  double powers[7] = {0, 0, 0, 0, 0, 0, 0};
  if (!qtyUnitGetParameters(unit, nullptr, nullptr, powers, nullptr)) return "?";
  // Positive powers first, as units are usually written: "kg m^-3".
  std::string text;
  for (bool positive : {true, false}) {
    for (int i = 0; i < 7; ++i) {
      if (powers[i] == 0.0 || (powers[i] > 0.0) != positive) continue;
      if (!text.empty()) text += " ";
      text += kBase[i];
      if (powers[i] != 1.0) text += "^" + tools::NumberText(powers[i]);
    }
  }
  return text.empty() ? "1" : text;
}

}  // namespace qtyinfo
