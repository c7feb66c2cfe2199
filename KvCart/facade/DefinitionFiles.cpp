// Filling the definitions database from the parameter files. This belongs to
// the facade layer because a definition file may name any family, so the
// reader must know every record class; core only holds the lists.
#include <fstream>
#include <string>

#include "KvCart/core/CKvCartSetup.h"
#include "KvCart/core/CKvEllipsoidList.h"
#include "KvCart/core/CKvMapProjData.h"
#include "KvCart/core/CKvMapProjDataIDs.h"
#include "KvCart/core/CKvMapProjectionList.h"
#include "KvCart/families/GeneratedDefinitions.h"
#include "KvCart/text/CKvPRJParser.h"
#include "base/kora_data.h"
#include "base/kora_diagnostics.h"
#include "rcf/rcf.h"

namespace {

constexpr int kUtmZones = 60;
constexpr const char* kStandardProjectionFiles[] = {"map_projection.rcf", "state_plane_nad83.rcf",
                                                    "state_plane_nad27.rcf"};

// Names are compared in their display form, so that the well-known text
// written from a definition finds that definition again.
std::string ShortNameKey(const std::string& name) {
  return CKvPRJParser::ShortName(CString(name.c_str())).GetString();
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The folder the shipped definitions came with, found as the unit table is
// (base/kora_data.h), so that an installation works wherever it is moved.
// When the ellipsoid file is not there, the places looked are reported and
// the folder of the first of them is still returned: the standard files are
// then skipped as missing, rather than read from the current folder.
std::string ShippedDataFolder() {
  std::string path(4096, '\0');
  size_t length = 0;
  int found = koraFindDataFile(CKvCartSetup::kEllipsoidFile, &path[0], path.size(), &length);
  if (length >= path.size()) {
    path.assign(length + 1, '\0');
    found = koraFindDataFile(CKvCartSetup::kEllipsoidFile, &path[0], path.size(), &length);
  }
  path.resize(length < path.size() ? length : 0);
  if (found != 1) {
    std::string tried(koraDataSearchList(CKvCartSetup::kEllipsoidFile, nullptr, 0) + 1, '\0');
    koraDataSearchList(CKvCartSetup::kEllipsoidFile, &tried[0], tried.size());
    koraDiagnostic(koraDiagError, "The projection definitions were not found; looked for:\n%s",
                   tried.c_str());
  }
  return FolderOf(path);
}

// A custom file that is there but does not read is the user's work, kept
// from being replaced by what this process would write back at exit.
bool IsUnreadable(int status, const std::string& path) {
  if (status == 0 || !std::ifstream(path).is_open()) return false;
  koraDiagnostic(koraDiagError,
                 "%s could not be read; definitions added in this process are not written to it",
                 path.c_str());
  return true;
}

}  // namespace

void CKvCartSetup::ReadData(const std::string& standardDir, const std::string& customDir) {
  m_customDir = customDir;
  m_filled = true;
  // An empty standard folder names the shipped one, as a null unit table
  // path names the shipped table.
  const std::string standard = standardDir.empty() ? ShippedDataFolder() : standardDir;
  m_ellipsoids.ReadEllipsoids(standard + kEllipsoidFile, false);
  const std::string ellipsoidFile = customDir + kCustomEllipsoidFile;
  m_customEllipsoidsUnreadable =
      IsUnreadable(m_ellipsoids.ReadEllipsoids(ellipsoidFile, true), ellipsoidFile);
  m_ellipsoids.GenerateCompleteList();
  m_projections.SetNameKey(&ShortNameKey);
  const int customStatus = m_projections.InitMapProjections(standard, customDir);
  m_customProjectionsUnreadable = IsUnreadable(customStatus, customDir + kCustomProjectionFile);
  // A missing custom file is the normal first run, not an error a later
  // look at the library's error state should find.
  rcfGetErrorGlb();
}

int CKvMapProjectionList::InitMapProjections(const std::string& standardDir,
                                             const std::string& customDir) {
  AddMapProjection(kvcart::CreateLongLatDefinition());
  for (int zone = 1; zone <= kUtmZones; ++zone) AddMapProjection(kvcart::CreateUtmDefinition(zone));
  for (const char* file : kStandardProjectionFiles) ReadMapProjections(standardDir + file, false);
  const int customStatus =
      ReadMapProjections(customDir + CKvCartSetup::kCustomProjectionFile, true);
  AddMapProjection(kvcart::CreateLocalGridDefinition());
  return customStatus;
}

int CKvMapProjectionList::ReadMapProjections(const std::string& path, bool custom) {
  void* doc = rcfLoadFile(path, RCF_LOAD_DEFAULT);
  if (doc == nullptr) return rcfGetErrorGlb();
  const int status = rcfPeekErrorGlb();
  void* target = status == 0 ? rcfTargetByNameNum(doc, CKvMapProjDataIDs::ID_TARGET, 1) : nullptr;
  const int sections = target != nullptr ? rcfGetNoSections(target) : 0;
  for (int i = 1; i <= sections; ++i) {
    // A section no family claims is skipped: files may hold definitions of
    // families this build does not have.
    AddMapProjection(CKvMapProjData::CreateFromSection(rcfSectionByNum(target, i), custom));
  }
  rcfClose(&doc);
  return status;
}
