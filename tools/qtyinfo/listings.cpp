#include "listings.h"

#include <cstdio>

#include "lookup.h"
#include "qty/qty.h"
#include "report.h"

namespace qtyinfo {

namespace {

std::string Hex(int mask) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(mask));
  return text;
}

std::string ItemTypeIdent(int item) {
  const char* ident = nullptr;
  qtyGetItemTypeIdent(item, &ident);
  return ident ? ident : "";
}

std::vector<std::string> UnitRow(int unit) {
  double factor = 0.0, offset = 0.0;
  qtyUnitGetParameters(unit, &factor, &offset, nullptr, nullptr);
  return {
      std::to_string(unit),      UnitAbbreviation(unit), UnitName(unit), tools::NumberText(factor),
      tools::NumberText(offset), DimensionText(unit),    UnitIdent(unit)};
}

std::vector<std::string> ItemTypeRow(int item, const char* key) {
  int unit = 0, decimals = 0;
  double defaultValue = 0.0;
  qtyGetItemUserUnit(item, &unit);
  qtyGetItemTypeParams(item, &decimals, &defaultValue);
  return {std::to_string(item),     key ? key : "",
          UnitAbbreviation(unit),   std::to_string(qtyGetItemUnitCount(item)),
          std::to_string(decimals), ItemTypeIdent(item)};
}

}  // namespace

tools::Table Units() {
  tools::Table table({"id", "symbol", "name", "factor", "offset", "dimension", "ident"});
  for (int unit = 0; qtyGetNextUnit(unit, &unit, nullptr);) table.Add(UnitRow(unit));
  return table;
}

tools::Table ItemTypes(int filter) {
  tools::Table table({"id", "name", "unit", "units", "decimals", "ident"});
  int item = 0;
  const char* key = nullptr;
  if (filter == 0) {
    for (int seq = 1; qtyGetItemTypeSeq(seq, &item, &key); ++seq) table.Add(ItemTypeRow(item, key));
  } else {
    for (int seq = 1; qtyGetFilteredItemTypeSeq(filter, seq, &item, &key); ++seq) {
      table.Add(ItemTypeRow(item, key));
    }
  }
  return table;
}

tools::Table Filters() {
  tools::Table table({"id", "name", "item types", "ident"});
  int filter = 0;
  const char *key = nullptr, *ident = nullptr;
  for (int seq = 1; qtyGetFilterSeq(seq, &filter, &key); ++seq) {
    qtyGetFilterIdent(filter, &ident);
    table.Add({Hex(filter), key ? key : "", std::to_string(qtyGetFilteredItemTypeCount(filter)),
               ident ? ident : ""});
  }
  return table;
}

tools::Table AllowedUnits(int item) {
  tools::Table table({"", "id", "symbol", "name", "factor", "offset", "dimension", "ident"});
  int userUnit = 0, unit = 0;
  qtyGetItemUserUnit(item, &userUnit);
  for (int seq = 1; qtyGetItemUnitSeq(item, seq, &unit, nullptr); ++seq) {
    std::vector<std::string> row = UnitRow(unit);
    // "*" marks the unit values of the item type are shown in by default
    row.insert(row.begin(), unit == userUnit ? "*" : "");
    table.Add(std::move(row));
  }
  return table;
}

tools::Table UnitDetails(int unit) {
  const std::vector<std::string> row = UnitRow(unit);
  tools::Table table({"id", row[0]});
  const char* const names[] = {"symbol", "name", "factor", "offset", "dimension", "ident"};
  for (size_t i = 1; i < row.size(); ++i) table.Add({names[i - 1], row[i]});
  int base = 0;
  if (qtyGetBaseUnit(unit, &base, nullptr)) {
    table.Add({"base unit", std::to_string(base) + " " + UnitAbbreviation(base)});
  }
  return table;
}

}  // namespace qtyinfo
