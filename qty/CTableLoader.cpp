#include "qty/CTableLoader.h"

#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <memory>

#include "base/kora_diagnostics.h"
#include "qty/CKVfilter.h"
#include "qty/CKVitemType.h"
#include "qty/CKVregistry.h"
#include "qty/CKVunit.h"
#include "qty/CNumberText.h"
#include "qty/UnitExpression.h"
#include "qty/XmlDom.h"

using MSXML2::CSmartPtr;
using MSXML2::IXMLDOMNamedNodeMap;
using MSXML2::IXMLDOMNode;
using MSXML2::IXMLDOMNodeList;

namespace qty {

namespace {

// Holds LC_NUMERIC at "C" for its lifetime, so that the numbers of the
// table read the same in every host locale.
class CNumericLocaleGuard {
 public:
  CNumericLocaleGuard() {
    const char* current = std::setlocale(LC_NUMERIC, nullptr);
    m_saved = current ? current : "C";
    std::setlocale(LC_NUMERIC, "C");
  }
  ~CNumericLocaleGuard() { std::setlocale(LC_NUMERIC, m_saved.c_str()); }
  CNumericLocaleGuard(const CNumericLocaleGuard&) = delete;
  CNumericLocaleGuard& operator=(const CNumericLocaleGuard&) = delete;

 private:
  std::string m_saved;
};

// The attributes of one row.
class CRow {
 public:
  explicit CRow(const CSmartPtr<IXMLDOMNode>& row) : m_attributes(row->getattributes()) {}

  bool Has(const char* name) const { return !m_attributes->getNamedItem(name).IsNull(); }
  std::string Text(const char* name) const {
    const CSmartPtr<IXMLDOMNode> attribute = m_attributes->getNamedItem(name);
    return attribute ? std::string(attribute->gettext().GetString()) : std::string();
  }
  // A decimal integer that fits an int (ids cross the flat interface as int);
  // `fallback` when absent or not a number.
  long Integer(const char* name, long fallback) const {
    const std::string text = Text(name);
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || end == text.c_str() || errno == ERANGE || value < INT_MIN ||
        value > INT_MAX) {
      return fallback;
    }
    return value;
  }
  // A filter bit: decimal, 0x hexadecimal or 0 octal, at most 32 bits.
  long Bits(const char* name, long fallback) const {
    const std::string text = Text(name);
    char* end = nullptr;
    errno = 0;
    const unsigned long value = std::strtoul(text.c_str(), &end, 0);
    if (text.empty() || end == text.c_str() || errno == ERANGE || value > 0xffffffffUL) {
      return fallback;
    }
    return static_cast<long>(value);
  }
  double Number(const char* name, double fallback) const {
    const std::string text = Text(name);
    char* end = nullptr;
    const double value = StrtodC(text.c_str(), &end);
    return (text.empty() || end == text.c_str()) ? fallback : value;
  }

 private:
  CSmartPtr<IXMLDOMNamedNodeMap> m_attributes;
};

// The ';'-separated parts of a list attribute, empty parts dropped.
template <class Visit>
void ForEachListed(const std::string& list, Visit visit) {
  const CString text(list.c_str());
  int start = 0;
  for (;;) {
    const CString token = text.Tokenize(";", start);
    if (start == -1) break;
    visit(std::string(token.GetString()));
  }
}

template <class Visit>
void ForEachRow(const MSXML2::IXMLDOMDocument& document, const char* group, Visit visit) {
  const CString query = CString("//Group[@Name=\"") + group + "\"]";
  const CSmartPtr<IXMLDOMNode> node = document.selectSingleNode(query);
  if (!node) return;
  const CSmartPtr<IXMLDOMNodeList> rows = node->selectNodes("Rows/R");
  for (long i = 0; i < rows->getlength(); ++i) visit(CRow(rows->Getitem(i)));
}

void LoadUnitRow(CKVregistry& registry, const CRow& row) {
  const std::string ident = row.Text("Ident");
  const std::string expression = row.Text("Expr");
  CKVunit* made = nullptr;
  double* number = nullptr;
  if (!bEvaluateExpression(registry, expression.c_str(), &made, &number)) {
    koraDiagnostic(koraDiagMessage,
                   "Error reading unit\n%s\nUnsuccessful parsing of the expression\n%s\n",
                   ident.c_str(), expression.c_str());
    return;
  }
  delete number;
  if (!made) return;
  std::unique_ptr<CKVunit> unit(made);
  unit->SetIdent(ident);
  unit->SetKey(row.Text("Desc"));
  unit->SetAbbreviation(row.Text("Abbr"));
  const std::string aliases = row.Text("Alias");
  if (!aliases.empty()) unit->SetAlias(aliases);
  unit->SetExpression(expression);
  unit->SetId(row.Integer("KvId", 0));
  if (registry.AddUnit(unit.get(), false)) {
    static_cast<void>(unit.release());  // the registry owns it now
    return;
  }
  CKVunit* existing = registry.FindUnit(unit->GetId());
  if (existing && existing == registry.FindUnit(ident)) {
    existing->SetKey(unit->GetKey());
    existing->SetAbbreviation(unit->GetAbbreviation());
  }
}

void LoadItemRow(CKVregistry& registry, const CRow& row) {
  CKVunit* defaultUnit = registry.FindUnit(row.Text("DefaultUnit"));
  if (!defaultUnit) return;
  const long id = row.Integer("KvId", 0);
  if (id == 0) return;  // 0 marks "no item type" in data files
  const std::string ident = row.Text("Ident");
  const std::string key = row.Text("Desc");
  // Owned here until the registry takes it: running out of memory on the
  // way leaks nothing.
  std::unique_ptr<CKVitemType> made = NewItemType(key, id, ident, defaultUnit->GetDim());
  CKVitemType* itemType = made.get();
  if (registry.AddItemType(id, itemType)) {
    static_cast<void>(made.release());  // the registry owns it now
  } else {
    made.reset();
    itemType = registry.FindItemType(id);
    if (!itemType || itemType != registry.FindItemType(ident)) return;
    itemType->SetKey(key);
  }
  // A row without them keeps what the item type has: the initial values for
  // a new one, the earlier table's for one loaded before.
  itemType->SetDecimals(static_cast<int>(row.Integer("Decimals", itemType->GetDecimals())));
  itemType->SetDefaultValue(row.Number("DefaultValue", itemType->GetDefaultValue()));
  itemType->AllowUnit(*defaultUnit, true);
  ForEachListed(row.Text("AllowedUnits"), [&](const std::string& unitIdent) {
    if (CKVunit* unit = registry.FindUnit(unitIdent)) itemType->AllowUnit(*unit, false);
  });
  if (row.Has("UserUnit")) {
    if (const CKVunit* userUnit = registry.FindUnit(row.Text("UserUnit"))) {
      itemType->SetItemUserUnit(static_cast<int>(userUnit->GetId()));
    }
  }
}

void LoadFilterRow(CKVregistry& registry, const CRow& row) {
  const std::string ident = row.Text("Ident");
  const std::string key = row.Text("Desc");
  auto made = std::make_unique<CKVfilter>(key, row.Bits("KvId", 0));
  made->SetIdent(ident);
  CKVfilter* filter = made.get();
  if (registry.AddFilter(filter)) {
    static_cast<void>(made.release());  // the registry owns it now
  } else {
    const long id = made->GetId();
    made.reset();
    filter = registry.FindFilter(id);
    if (!filter || filter != registry.FindFilter(ident)) return;
    filter->SetKey(key);
  }
  const long bit = filter->GetId();
  ForEachListed(row.Text("Items"), [&](const std::string& itemIdent) {
    if (CKVitemType* itemType = registry.FindItemType(itemIdent)) {
      itemType->SetFilter(itemType->GetFilter() | bit);
    }
  });
}

}  // namespace

void AddBaseUnits(CKVregistry& registry) {
  struct Base {
    long id;
    const char* name;
    const CKVdimension& dim;
  };
  const Base bases[] = {{1, "NonDimensional", CKVdimension::GetNonDim()},
                        {2, "Length", CKVdimension::GetLength()},
                        {3, "Mass", CKVdimension::GetMass()},
                        {4, "Time", CKVdimension::GetTime()},
                        {5, "Temperature", CKVdimension::GetTemp()},
                        {6, "ElectricCurrent", CKVdimension::GetCurr()},
                        {7, "AmountOfSubstance", CKVdimension::GetSubs()},
                        {8, "LuminousIntensity", CKVdimension::GetLumi()}};
  const bool append = registry.UnitList().empty();
  // Inserting at the front in reverse keeps them in id order.
  for (int i = 0; i < 8; ++i) {
    const Base& base = append ? bases[i] : bases[7 - i];
    auto unit = std::make_unique<CKVunit>(base.name, base.name, base.id, 1.0, 0.0, base.dim);
    unit->SetIdent(base.name);
    if (registry.AddUnit(unit.get(), !append))
      static_cast<void>(unit.release());  // now the registry's
  }
}

bool LoadUnitTable(CKVregistry& registry, const std::string& path) {
  CNumericLocaleGuard locale;
  MSXML2::CXercesSession xerces;
  if (!xerces.Initialized()) {
    koraDiagnostic(koraDiagMessage, "Error initializing Xerces\n");
  }
  CSmartPtr<MSXML2::IXMLDOMDocument> document(new MSXML2::IXMLDOMDocument());
  if (!xerces.Initialized() || !document->load(path.c_str())) {
    koraDiagnostic(koraDiagError, "Document '%s' not parsed successfully. \n", path.c_str());
    return false;
  }
  if (document->selectSingleNode("//Group[@Name=\"Units\"]")) {
    AddBaseUnits(registry);
    ForEachRow(*document, "Units", [&](const CRow& row) { LoadUnitRow(registry, row); });
  }
  ForEachRow(*document, "Items", [&](const CRow& row) { LoadItemRow(registry, row); });
  ForEachRow(*document, "Filters", [&](const CRow& row) { LoadFilterRow(registry, row); });
  return true;
}

}  // namespace qty
