#include "qty/LanguageFiles.h"

#include "qty/CKVLangFile.h"
#include "qty/CKVfilter.h"
#include "qty/CKVitemType.h"
#include "qty/CKVregistry.h"
#include "qty/CKVunit.h"

namespace qty {

void ApplyLanguageFiles(CKVregistry& registry, const std::string& folder) {
  CKVLangFile types;
  if (types.OpenLangTypeFile((folder + "qtytype.lan").c_str())) {
    for (CKVitemType* itemType : registry.ItemTypeList()) {
      const std::string key = types.LoadTypeString(static_cast<int>(itemType->GetId()));
      if (!key.empty()) itemType->SetKey(key);
    }
  }
  CKVLangFile units;
  if (units.OpenLangUnitFile((folder + "qtyunit.lan").c_str())) {
    for (CKVunit* unit : registry.UnitList()) {
      const int id = static_cast<int>(unit->GetId());
      const std::string key = units.LoadUnitString(id, 1);
      if (key.empty()) continue;
      unit->SetKey(key);
      unit->SetAbbreviation(units.LoadUnitString(id, 2));
    }
  }
  CKVLangFile filters;
  if (filters.OpenLangTypeFile((folder + "qtyfilter.lan").c_str())) {
    for (CKVfilter* filter : registry.FilterList()) {
      const std::string key = filters.LoadTypeString(static_cast<int>(filter->GetId()));
      if (!key.empty()) filter->SetKey(key);
    }
  }
}

}  // namespace qty
