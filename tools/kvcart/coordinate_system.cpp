#include "coordinate_system.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "KvCart/core/CKvCartSetup.h"
#include "KvCart/facade/CKvMapProjection.h"
#include "KvCart/facade/KvCartFlat.h"
#include "KvCart/text/CKvPRJParser.h"
#include "command_line.h"

namespace kvcart {

namespace {

// A .prj file holds one line of text; anything this large is no coordinate
// system, and reading it whole would only waste memory.
constexpr std::streamoff kLargestPrjFile = 1 << 20;

// No folder can exist below /dev/null, so the set-up finds no custom file
// there. The tool never edits the database, so it never writes one back
// anywhere either.
constexpr char kNoCustomFolder[] = "/dev/null/";

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return std::string();
  const size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

std::string ReadPrjFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) throw tools::Failure("cannot read " + path);
  const std::streamoff size = in.tellg();
  if (size < 0) throw tools::Failure("cannot read " + path);
  if (size > kLargestPrjFile) throw tools::Failure(path + " is too large to be a .prj file");
  in.seekg(0);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // The coordinate system is the first line; what follows is no part of it.
  text = Trimmed(text.substr(0, text.find('\n')));
  if (text.empty()) throw tools::Failure(path + " holds no coordinate system");
  return text;
}

bool LooksLikeWkt(const std::string& text) {
  return text.find('[') != std::string::npos || CKvPRJParser::IsPRJ(CString(text.c_str()));
}

[[noreturn]] void Unresolved(const std::string& argument, const std::string& text) {
  const std::string shown = argument.size() > 80 ? argument.substr(0, 77) + "..." : argument;
  if (text == "UTM") throw tools::Failure("'UTM' names no zone: give one, as in UTM-32");
  if (LooksLikeWkt(text)) {
    CKvPRJParser parser(text.c_str());
    if (!parser.Parse(false)) throw tools::Failure("malformed well-known text: " + shown);
    throw tools::Failure("well-known text of no known projection: " + shown);
  }
  // The list itself, not CKvMapProjection::MapProjection: that one hands out
  // a definition to change and so has the custom files written back at exit.
  if (CKvCartSetup::Instance().GetMapProjectionList().GetMapProjection(text) != nullptr) {
    throw tools::Failure("the ellipsoid of '" + text + "' is not in the database");
  }
  throw tools::Failure("unknown coordinate system '" + shown +
                       "' (kvcart list shows the names of the database)");
}

}  // namespace

void SetUpDatabase(const std::string& customFolder) {
  std::string custom = customFolder.empty() ? std::string(kNoCustomFolder) : customFolder;
  if (custom.back() != '/') custom += '/';
  // The empty standard folder names the shipped definitions.
  if (CARTSETUPLINUX("", custom.c_str()) != 0) {
    throw tools::Failure("the projection database could not be set up");
  }
}

std::string ProjectionText(const std::string& argument) {
  if (!argument.empty() && argument[0] == '@') return ReadPrjFile(argument.substr(1));
  return Trimmed(argument);
}

CoordinateSystem Resolve(const std::string& argument) {
  CoordinateSystem system{argument, ProjectionText(argument), nullptr};
  if (system.text.empty()) throw tools::Failure("empty coordinate system");
  if (!CKvMapProjection::IsValid(system.text.c_str())) Unresolved(argument, system.text);
  try {
    system.projection = std::make_shared<CKvMapProjection>(system.text);
  } catch (const std::out_of_range&) {
    Unresolved(argument, system.text);
  }
  if (system.projection->GetProjection() == nullptr) Unresolved(argument, system.text);
  return system;
}

bool IsGeographical(const CoordinateSystem& system) {
  return !system.projection->IsLocal() && system.projection->IsGeographical();
}

}  // namespace kvcart
