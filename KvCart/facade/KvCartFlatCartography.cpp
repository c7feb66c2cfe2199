// The flat interface of the cartography (C_KVC_*).
#include <memory>

#include "KvCart/facade/CKvCartography.h"
#include "KvCart/facade/CKvMapProjection.h"
#include "KvCart/facade/FlatSupport.h"
#include "KvCart/facade/KvCartFlat.h"

using namespace kvcart::flat;

namespace {

const CKvCartography* Carto(void* handle) { return static_cast<const CKvCartography*>(handle); }

// Runs a conversion on a handle: -1 for a null handle or an exception.
template <typename Body>
int Convert(void* handle, Body body) noexcept {
  if (handle == nullptr) return kFailed;
  return Guard(kFailed, [&] {
    body(*Carto(handle));
    return kOk;
  });
}

}  // namespace

int C_KVC_CREATE(const char* projection, double lon0, double lat0, double orientation,
                 void** handle, int* status) {
  return Create(handle, status, [&]() -> void* {
    std::unique_ptr<CKvCartography> carto(new CKvCartography(projection, lon0, lat0, orientation));
    // A grid without a projection would convert nothing yet report success.
    if (carto->GetProjection()->GetProjection() == nullptr) return nullptr;
    return carto.release();
  });
}

int C_KVC_DESTROY(void** handle, int* status) { return Destroy<CKvCartography>(handle, status); }

void* C_KVC_GETPROJECTION(void* handle) {
  return handle != nullptr ? Carto(handle)->GetProjection() : nullptr;
}

int C_KVC_GETPROJECTIONNAME(void* handle, char* buffer, int size, int* needed) {
  if (handle == nullptr) return kFailed;
  return CopyText(Carto(handle)->GetProjectionName(), buffer, size, needed);
}

int C_KVC_GETPROJECTIONSTRING(void* handle, char* buffer, int size, int* needed) {
  if (handle == nullptr) return kFailed;
  return CopyText(Carto(handle)->GetProjectionString(), buffer, size, needed);
}

double C_KVC_GETTRUENORTH(void* handle, double x, double y) {
  if (handle == nullptr) return kNoNumber;
  return Guard(kNoNumber, [&] { return Carto(handle)->GetTrueNorth(x, y); });
}

double C_KVC_GETPROJNORTH(void* handle) {
  return handle != nullptr ? Carto(handle)->GetProjectionNorth() : kNoNumber;
}

int C_KVC_GEO2PROJ(void* handle, double lon, double lat, double* x, double* y) {
  if (!AllSet(x, y)) return kFailed;
  return Convert(handle, [&](const CKvCartography& c) { c.Geo2Proj(lon, lat, x, y); });
}

int C_KVC_PROJ2GEO(void* handle, double x, double y, double* lon, double* lat) {
  if (!AllSet(lon, lat)) return kFailed;
  return Convert(handle, [&](const CKvCartography& c) { c.Proj2Geo(x, y, lon, lat); });
}

int C_KVC_GEO2XY(void* handle, double lon, double lat, double* x, double* y) {
  if (!AllSet(x, y)) return kFailed;
  return Convert(handle, [&](const CKvCartography& c) { c.Geo2Xy(lon, lat, x, y); });
}

int C_KVC_XY2GEO(void* handle, double x, double y, double* lon, double* lat) {
  if (!AllSet(lon, lat)) return kFailed;
  return Convert(handle, [&](const CKvCartography& c) { c.Xy2Geo(x, y, lon, lat); });
}

int C_KVC_XY2PROJ(void* handle, double x, double y, double* projX, double* projY) {
  if (!AllSet(projX, projY)) return kFailed;
  return Convert(handle, [&](const CKvCartography& c) { c.Xy2Proj(x, y, projX, projY); });
}

int C_KVC_PROJ2XY(void* handle, double projX, double projY, double* x, double* y) {
  if (!AllSet(x, y)) return kFailed;
  return Convert(handle, [&](const CKvCartography& c) { c.Proj2Xy(projX, projY, x, y); });
}
