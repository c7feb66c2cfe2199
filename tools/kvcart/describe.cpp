#include "describe.h"

#include <algorithm>
#include <cctype>

#include "KvCart/core/CKvCartSetup.h"
#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/core/CKvMapProjData.h"
#include "KvCart/facade/CKvMapProjection.h"
#include "KvCart/facade/CKvProjTranslator.h"
#include "KvCart/text/CKvPRJParser.h"
#include "command_line.h"
#include "report.h"

namespace kvcart {

namespace {

// Line breaks and the blanks around them, outside quoted names, go: a
// readable text pasted from a .prj viewer becomes one line again.
std::string OneLine(const std::string& text) {
  std::string line;
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') quoted = !quoted;
    if (!quoted && (c == '\r' || c == '\n')) {
      while (!line.empty() && line.back() == ' ') line.pop_back();
      while (i + 1 < text.size() && std::isspace(static_cast<unsigned char>(text[i + 1]))) ++i;
      continue;
    }
    line += c;
  }
  return line;
}

std::string WithoutCarriageReturns(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}

std::string Wkt(const CoordinateSystem& system) {
  const std::string stored = system.projection->GetProjectionString();
  if (!CKvPRJParser::IsPRJ(CString(stored.c_str()))) {
    throw tools::Failure("'" + system.argument + "' has no well-known text");
  }
  return OneLine(stored);
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::string Describe(const CoordinateSystem& system, Form form) {
  if (form == Form::eProj4) {
    const std::string proj4 = CKvProjTranslator().Convert2Proj4(system.text, nullptr, 0);
    if (proj4.empty()) throw tools::Failure("'" + system.argument + "' has no PROJ.4 form");
    return proj4;
  }
  const std::string wkt = Wkt(system);
  if (form == Form::eOneLineWkt) return wkt;
  CString readable;
  CKvPRJParser::FormatAsReadableWKT(CString(wkt.c_str()), readable);
  return WithoutCarriageReturns(readable.GetString());
}

tools::Table Definitions(const std::string& part) {
  tools::Table table({"name", "kind", "ellipsoid"});
  const std::string wanted = Lower(part);
  const CKvMapProjectionList& list = CKvCartSetup::Instance().GetMapProjectionList();
  for (auto it = list.GetIteratorBegin(); it != list.GetIteratorEnd(); ++it) {
    const std::string name = (*it)->GetName();
    if (Lower(name).find(wanted) == std::string::npos) continue;
    table.Add({name, (*it)->GetProjectionTypeTitle(), (*it)->GetEllipsoidID()});
  }
  return table;
}

tools::Table Ellipsoids() {
  tools::Table table({"code", "name", "a (m)", "1/f", "own"});
  const CKvEllipsoidList& list = CKvCartSetup::Instance().GetEllipsoidList();
  for (int type : {CKvEllipsoidList::eStandardEllipsoids, CKvEllipsoidList::eCustomEllipsoids}) {
    for (auto it = list.GetIteratorBegin(type); it != list.GetIteratorEnd(type); ++it) {
      const CKvEllipsoid& e = **it;
      table.Add({e.GetID(), e.GetName(), tools::NumberText(e.GetMajor()),
                 tools::NumberText(e.GetInvFlatness()),
                 type == CKvEllipsoidList::eCustomEllipsoids ? "yes" : "no"});
    }
  }
  return table;
}

}  // namespace kvcart
