// CKvMapProjection: the registry functions over the process-wide database.
// Every function that hands out or changes a definition or an ellipsoid
// marks its list modified, so the custom files are written back at exit.
#include <string>

#include "KvCart/core/CKvCartSetup.h"
#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/core/CKvEllipsoidList.h"
#include "KvCart/core/LocalGrid.h"
#include "KvCart/facade/CKvMapProjection.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

CKvCartSetup& Database() { return CKvCartSetup::Instance(); }

std::string Text(const char* text) { return text != nullptr ? std::string(text) : std::string(); }

void Append(std::string& list, long* count, const std::string& entry) {
  list += entry;
  list += ';';
  if (count != nullptr) ++*count;
}

// The entry of a definition in EnumMapProjections: the reserved words as
// they are, every other definition as its well-known text.
std::string EnumEntry(const CKvMapProjData& record) {
  const std::string name = record.GetName();
  if (name == kvcart::kLongLatName || name == kvcart::kLocalGridName) return name;
  CKvPRJParser writer(&record);
  CString wkt;
  writer.Format(wkt);
  return kvcart::TrimProjectionText(wkt.GetString());
}

}  // namespace

CKvMapProjData* CKvMapProjection::MapProjection(const char* name) {
  Database().SetMapProjectionListModified();
  return Database().GetMapProjectionList().GetMapProjection(Text(name));
}

void CKvMapProjection::AddMapProjection(CKvMapProjData* record) {
  Database().SetMapProjectionListModified();
  Database().GetMapProjectionList().AddMapProjection(record);
}

void CKvMapProjection::DeleteMapProjection(CKvMapProjData* record) {
  Database().SetMapProjectionListModified();
  Database().GetMapProjectionList().DeleteMapProjection(record);
}

CKvEllipsoid* CKvMapProjection::Ellipsoid(const char* projectionName) {
  return Database().EllipsoidOfProjection(Text(projectionName));
}

CKvEllipsoid* CKvMapProjection::EllipsoidFromID(const char* code) {
  const std::string key = Text(code);
  return key.empty() ? nullptr : Database().GetEllipsoidList().GetEllipsoid(key);
}

CKvEllipsoid* CKvMapProjection::EllipsoidFromName(const char* name) {
  const std::string key = Text(name);
  return key.empty() ? nullptr : Database().GetEllipsoidList().GetEllipsoidFromName(key);
}

void CKvMapProjection::AddEllipsoid(CKvEllipsoid* ellipsoid) {
  Database().SetEllipsoidListModified();
  Database().GetEllipsoidList().AddEllipsoid(ellipsoid);
}

void CKvMapProjection::DeleteEllipsoid(CKvEllipsoid* ellipsoid) {
  Database().SetEllipsoidListModified();
  Database().GetEllipsoidList().DeleteEllipsoid(ellipsoid);
}

void CKvMapProjection::EditEllipsoid(CKvEllipsoid* ellipsoid) {
  Database().SetEllipsoidListModified();
  Database().GetEllipsoidList().EditEllipsoid(ellipsoid);
}

const char* CKvMapProjection::EnumMapProjections(int mask, long* count) {
  thread_local std::string list;
  list.clear();
  if (count != nullptr) *count = 0;
  const CKvMapProjectionList& records = Database().GetMapProjectionList();
  for (auto it = records.GetIteratorBegin(); it != records.GetIteratorEnd(); ++it) {
    if (IsType(mask, (*it)->GetName().c_str())) Append(list, count, EnumEntry(**it));
  }
  return list.c_str();
}

const char* CKvMapProjection::EnumEllipsoids(int type, long* count) {
  thread_local std::string list;
  list.clear();
  if (count != nullptr) *count = 0;
  const CKvEllipsoidList& ellipsoids = Database().GetEllipsoidList();
  for (auto it = ellipsoids.GetIteratorBegin(type); it != ellipsoids.GetIteratorEnd(type); ++it) {
    Append(list, count, kvcart::TrimProjectionText((*it)->GetName().c_str()));
  }
  return list.c_str();
}
