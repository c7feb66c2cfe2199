#include "unit_labels.h"

#include <cstdio>

#include "qty/qty.h"
#include "tool_main.h"

namespace kfsdump {

bool LoadUnitTable() {
  tools::CapturedDiagnostics said;
  if (qtySetupLoad(nullptr) == 1) return true;
  std::fprintf(stderr, "%s: units are shown by id: %s\n", tools::ToolName().c_str(),
               said.Text().c_str());
  return false;
}

tools::Report UnitReport(int id, const char* text) {
  tools::Report unit = tools::Report::Object();
  if (id == -1 && text) return unit.Set("text", text);
  const char* name = nullptr;
  const char* abbreviation = nullptr;
  qtyGetUnitKey(id, &name);
  qtyGetUnitAbbreviation(id, &abbreviation);
  return unit.Set("id", id).Set("name", name).Set("abbreviation", abbreviation);
}

tools::Report ItemTypeReport(int id) {
  const char* name = nullptr;
  qtyGetItemTypeKey(id, &name);
  return tools::Report::Object().Set("id", id).Set("name", name);
}

std::string UnitLabel(int id, const char* text) {
  if (id == -1 && text) return text;
  const char* name = nullptr;
  const char* abbreviation = nullptr;
  if (!qtyGetUnitKey(id, &name) || !name) return "unit " + std::to_string(id);
  qtyGetUnitAbbreviation(id, &abbreviation);
  return abbreviation && *abbreviation ? std::string(name) + " [" + abbreviation + "]" : name;
}

}  // namespace kfsdump
