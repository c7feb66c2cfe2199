// The flat interface of the map projection (C_KVMP_*).
#include <memory>

#include "KvCart/facade/CKvMapProjection.h"
#include "KvCart/facade/FlatSupport.h"
#include "KvCart/facade/KvCartFlat.h"

using namespace kvcart::flat;

namespace {

const CKvMapProjection* Facade(void* handle) {
  return static_cast<const CKvMapProjection*>(handle);
}

template <typename Body>
int Call(void* handle, Body body) noexcept {
  if (handle == nullptr) return kFailed;
  return Guard(kFailed, [&] {
    body(*Facade(handle));
    return kOk;
  });
}

}  // namespace

int C_KVMP_CREATE(const char* projection, void** handle, int* status) {
  return Create(handle, status, [&]() -> void* {
    std::unique_ptr<CKvMapProjection> facade(new CKvMapProjection(projection));
    if (facade->GetProjection() == nullptr) return nullptr;
    return facade.release();
  });
}

int C_KVMP_DESTROY(void** handle, int* status) { return Destroy<CKvMapProjection>(handle, status); }

int C_KVMP_GETNAME(void* handle, char* buffer, int size, int* needed) {
  if (handle == nullptr) return kFailed;
  return CopyText(Facade(handle)->GetName(), buffer, size, needed);
}

int C_KVMP_GETPROJECTIONSTRING(void* handle, char* buffer, int size, int* needed) {
  if (handle == nullptr) return kFailed;
  return CopyText(Facade(handle)->GetProjectionString(), buffer, size, needed);
}

int C_KVMP_GEO2PROJ(void* handle, double lon, double lat, double* x, double* y) {
  if (!AllSet(x, y)) return kFailed;
  return Call(handle, [&](const CKvMapProjection& p) { p.Geo2Proj(lon, lat, x, y); });
}

int C_KVMP_PROJ2GEO(void* handle, double x, double y, double* lon, double* lat) {
  if (!AllSet(lon, lat)) return kFailed;
  return Call(handle, [&](const CKvMapProjection& p) { p.Proj2Geo(x, y, lon, lat); });
}

int C_KVMP_GETORIGIN(void* handle, double* lon, double* lat) {
  if (!AllSet(lon, lat)) return kFailed;
  return Call(handle, [&](const CKvMapProjection& p) { p.GetOrigin(lon, lat); });
}

double C_KVMP_GETCONVERGENCE(void* handle, double lon, double lat) {
  if (handle == nullptr) return kNoNumber;
  return Guard(kNoNumber, [&] { return Facade(handle)->GetConvergence(lon, lat); });
}

int C_KVMP_GETDEFAULTAREA(void* handle, double* x0, double* y0, double* x1, double* y1) {
  if (!AllSet(x0, y0, x1, y1)) return kFailed;
  return Call(handle, [&](const CKvMapProjection& p) { p.GetDefaultArea(x0, y0, x1, y1); });
}

int C_KVMP_GEO2XYZ(void* handle, double lon, double lat, double height, double* x, double* y,
                   double* z) {
  if (!AllSet(x, y, z)) return kFailed;
  return Call(handle, [&](const CKvMapProjection& p) { p.Geo2XYZ(lon, lat, height, x, y, z); });
}

int C_KVMP_XYZ2GEO(void* handle, double x, double y, double z, double* lon, double* lat,
                   double* height) {
  if (!AllSet(lon, lat, height)) return kFailed;
  return Call(handle, [&](const CKvMapProjection& p) { p.XYZ2Geo(x, y, z, lon, lat, height); });
}
