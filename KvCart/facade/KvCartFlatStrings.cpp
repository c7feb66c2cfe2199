// The flat interface without handles: set-up, projection objects and the
// tests on projection strings (S_*).
#include <memory>
#include <string>

#include "KvCart/core/CKvCartSetup.h"
#include "KvCart/core/CKvProjection.h"
#include "KvCart/facade/CKvMapProjection.h"
#include "KvCart/facade/CKvProjTranslator.h"
#include "KvCart/facade/FlatSupport.h"
#include "KvCart/facade/KvCartFlat.h"

using namespace kvcart::flat;

namespace {

// A yes/no test: 1 or 0, -1 when it throws.
template <typename Test>
int Ask(Test test) noexcept {
  return Guard(kFailed, [&] { return YesNo(test()); });
}

// A text result under the buffer convention; -1 when there is none.
template <typename Make>
int Answer(char* buffer, int size, int* needed, Make make) noexcept {
  return Guard(kFailed, [&] {
    const std::string text = make();
    if (text.empty()) return Report(needed, kFailed);
    return CopyText(text.c_str(), buffer, size, needed);
  });
}

}  // namespace

int CARTSETUPLINUX(const char* standardDir, const char* customDir) {
  if (standardDir == nullptr || customDir == nullptr) return kFailed;
  return Guard(kFailed, [&] {
    CKvCartSetup::Instance().ReadData(standardDir, customDir);
    return kOk;
  });
}

CKvProjection* NewKvProjection(const char* text) {
  return Guard<CKvProjection*>(nullptr,
                               [&] { return CKvMapProjection::GetProjection(text, nullptr); });
}

int DeleteKvProjection(CKvProjection** projection) {
  if (projection == nullptr || *projection == nullptr) return kFailed;
  (*projection)->free();
  *projection = nullptr;
  return kOk;
}

int S_HASDATUM(const char* projection) {
  return Ask([&] { return CKvMapProjection::HasDatum(projection); });
}

int S_ISVALID(const char* projection) {
  return Ask([&] { return CKvMapProjection::IsValid(projection); });
}

int S_ISLOCAL(const char* projection) {
  return Ask([&] { return CKvMapProjection::IsLocal(projection); });
}

int S_ISLONGLAT(const char* projection) {
  return Ask([&] { return CKvMapProjection::IsLongLat(projection); });
}

int S_ISGEOREFERENCED(const char* projection) {
  return Ask([&] { return CKvMapProjection::IsGeoreferenced(projection); });
}

int S_ISGEOGRAPHICAL(const char* projection) {
  return Ask([&] { return CKvMapProjection::IsGeographical(projection); });
}

int S_ISTYPE(const char* projection, int mask) {
  return Ask([&] { return CKvMapProjection::IsType(mask, projection); });
}

int S_AREIDENTICAL(const char* projection1, const char* projection2) {
  return Ask([&] { return CKvMapProjection::AreIdentical(projection1, projection2); });
}

int S_GETCOORDSYSTYPE(const char* projection) {
  return Guard(kFailed, [&] { return CKvMapProjection::GetCoordSysType(projection); });
}

int S_LONGITUDETOUTMZONE(double lon, char* buffer, int size, int* needed) {
  return Answer(buffer, size, needed, [&] { return CKvMapProjection::LongitudeToUTMZone(lon); });
}

int S_PROJECTIONSHORTNAME(const char* projection, char* buffer, int size, int* needed) {
  return Guard(kFailed, [&] {
    return CopyText(CKvMapProjection::ShortName(projection), buffer, size, needed);
  });
}

int S_PROJECTIONORIGIN(const char* projection, double* lon, double* lat, int* status) {
  if (!AllSet(lon, lat)) return Report(status, kFailed);
  const int result = Guard(kFailed, [&] {
    const CKvMapProjection facade(projection);
    if (facade.GetProjection() == nullptr) return kFailed;
    facade.GetOrigin(lon, lat);
    return kOk;
  });
  return Report(status, result);
}

int S_GETGOOGLEMAPPROJECTIONSTRING(char* buffer, int size, int* needed) {
  return CopyText(CKvMapProjection::IDtoProjectionString(CKvMapProjection::eGoogleMapsMercator),
                  buffer, size, needed);
}

int C_KVC_CONVERT2PROJ4(const char* projection, const double* shift, int count, char* buffer,
                        int size, int* needed) {
  return Answer(buffer, size, needed, [&] {
    return CKvProjTranslator().Convert2Proj4(projection != nullptr ? projection : "", shift, count);
  });
}
