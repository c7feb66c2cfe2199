// The flat interface of the datum converter (C_KVDC_*).
#include <memory>

#include "KvCart/facade/CKvDatumConverter.h"
#include "KvCart/facade/CKvMapProjection.h"
#include "KvCart/facade/FlatSupport.h"
#include "KvCart/facade/KvCartFlat.h"

using namespace kvcart::flat;

namespace {

CKvDatumConverter* Converter(void* handle) { return static_cast<CKvDatumConverter*>(handle); }

template <typename Body>
int Call(void* handle, Body body) noexcept {
  if (handle == nullptr) return kFailed;
  return Guard(kFailed, [&] {
    body(*Converter(handle));
    return kOk;
  });
}

}  // namespace

int C_KVDC_CREATE(const char* source, const char* target, void** handle, int* status) {
  return Create(handle, status, [&]() -> void* {
    std::unique_ptr<CKvDatumConverter> converter(new CKvDatumConverter(source, target));
    // Both systems must resolve, or nothing could be converted.
    if (converter->GetMapProjection(true)->GetProjection() == nullptr ||
        converter->GetMapProjection(false)->GetProjection() == nullptr) {
      return nullptr;
    }
    return converter.release();
  });
}

int C_KVDC_DESTROY(void** handle, int* status) {
  return Destroy<CKvDatumConverter>(handle, status);
}

int C_KVDC_CONVERTXY(void* handle, double* x, double* y) {
  if (!AllSet(x, y)) return kFailed;
  return Call(handle, [&](const CKvDatumConverter& c) { c.Convert(*x, *y); });
}

int C_KVDC_INVCONVERTXY(void* handle, double* x, double* y) {
  if (!AllSet(x, y)) return kFailed;
  return Call(handle, [&](const CKvDatumConverter& c) { c.InvConvert(*x, *y); });
}

int C_KVDC_CONVERTXYH(void* handle, double* x, double* y, double* h) {
  if (!AllSet(x, y, h)) return kFailed;
  return Call(handle, [&](const CKvDatumConverter& c) { c.Convert(*x, *y, *h); });
}

int C_KVDC_INVCONVERTXYH(void* handle, double* x, double* y, double* h) {
  if (!AllSet(x, y, h)) return kFailed;
  return Call(handle, [&](const CKvDatumConverter& c) { c.InvConvert(*x, *y, *h); });
}

int C_KVDC_DATUMSHIFT(void* handle, double* x, double* y, double* z) {
  if (!AllSet(x, y, z)) return kFailed;
  return Call(handle, [&](const CKvDatumConverter& c) { c.DatumShift(*x, *y, *z); });
}

int C_KVDC_INVDATUMSHIFT(void* handle, double* x, double* y, double* z) {
  if (!AllSet(x, y, z)) return kFailed;
  return Call(handle, [&](const CKvDatumConverter& c) { c.InvDatumShift(*x, *y, *z); });
}

int C_KVDC_SETCONVERSIONTYPE(void* handle, int type) {
  return Call(handle, [&](CKvDatumConverter& c) {
    c.SetConversionType(static_cast<CKvDatumConverter::ETypeOfConversion>(type));
  });
}

int C_KVDC_GETBYPASSXYZ(void* handle) {
  return handle != nullptr ? YesNo(Converter(handle)->GetBypassXYZ()) : kFailed;
}

int C_KVDC_BYPASSXYZ(void* handle) {
  return Call(handle, [&](CKvDatumConverter& c) { c.BypassXYZ(); });
}

int C_KVDC_RESETBYPASSXYZ(void* handle) {
  return handle != nullptr ? YesNo(Converter(handle)->ResetBypassXYZ()) : kFailed;
}

int C_KVDC_SETDATUMSHIFT(void* handle, int type, const double* values, int source) {
  if (type < 0 || type > 2 || (type > 0 && values == nullptr)) return kFailed;
  return Call(handle, [&](CKvDatumConverter& c) {
    c.SetDatumShift(static_cast<CKvCartDef::ETypeOfDatumShift>(type), values, source != 0);
  });
}

int C_KVDC_INVERTORDER(void* handle) {
  return Call(handle, [&](CKvDatumConverter& c) { c.InvertOrder(); });
}
