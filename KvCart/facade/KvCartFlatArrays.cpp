// Whole-array conversions of the flat interface (C_KV*_ARRAY).
//
// A model grid is converted a million cells at a time, so everything that
// does not depend on the point is done once per call: the handle and
// argument checks, the cast to the object, the look-up of the projection
// object and of the axis conversion, and the exception guard (a try block
// costs nothing per point until something throws). What is left per point
// is the projection's own virtual call, through the very member functions
// the single-point calls reach, so both give the same bits; there is no
// second formula to drift apart.
//
// Every point is read into locals before its outputs are written, which is
// what makes conversion in place (output array == input array) safe.
#include <cmath>
#include <new>

#include "KvCart/core/CKvProjection.h"
#include "KvCart/facade/CKvCartography.h"
#include "KvCart/facade/CKvDatumConverter.h"
#include "KvCart/facade/CKvMapProjection.h"
#include "KvCart/facade/FlatSupport.h"
#include "KvCart/facade/KvCartFlat.h"
#include "KvCart/text/CKvProjectionInfo.h"

using namespace kvcart::flat;

namespace {

// A pair with a NaN in it is no coordinate: a caller testing one output
// for NaN must be able to trust the other, so the point is NaN in both.
void StorePoint(double a, double b, double* out1, double* out2) {
  const bool converted = !std::isnan(a) && !std::isnan(b);
  *out1 = converted ? a : kNoNumber;
  *out2 = converted ? b : kNoNumber;
}

void StorePoint(double a, double b, double c, double* out1, double* out2, double* out3) {
  const bool converted = !std::isnan(a) && !std::isnan(b) && !std::isnan(c);
  *out1 = converted ? a : kNoNumber;
  *out2 = converted ? b : kNoNumber;
  *out3 = converted ? c : kNoNumber;
}

// The arrays of one call: two (or three) inputs and as many outputs.
struct Arrays2 {
  const double* in1;
  const double* in2;
  double* out1;
  double* out2;

  bool Usable() const { return AllSet(in1, in2, out1, out2) && out1 != out2; }
  void Fail(int i) const { out1[i] = out2[i] = kNoNumber; }
};

struct Arrays3 {
  const double* in1;
  const double* in2;
  const double* in3;
  double* out1;
  double* out2;
  double* out3;

  bool Usable() const {
    return AllSet(in1, in2, in3, out1, out2, out3) && out1 != out2 && out1 != out3 && out2 != out3;
  }
  void Fail(int i) const { out1[i] = out2[i] = out3[i] = kNoNumber; }
};

// Runs point(i) for every point. An exception from one point makes that
// point NaN and the loop goes on with the next, re-entering the guard; only
// running out of memory, which no later point would survive either, fails
// the call.
template <typename Arrays, typename Point>
int ForEachPoint(int n, const Arrays& arrays, Point point) noexcept {
  int i = 0;
  while (i < n) {
    try {
      for (; i < n; ++i) point(i);
    } catch (const std::bad_alloc&) {
      return kFailed;
    } catch (...) {
      arrays.Fail(i);
      ++i;
    }
  }
  return kOk;
}

// The checks every array call makes before it converts anything: -1 for a
// null handle, n < 0 or unusable arrays; n == 0 succeeds without looking at
// the arrays (an empty array may well be null).
template <typename Arrays>
int CheckCall(const void* handle, int n, const Arrays& arrays) {
  if (handle == nullptr || n < 0) return kFailed;
  if (n == 0 || arrays.Usable()) return kOk;
  return kFailed;
}

// A facade's conversions with what does not depend on the point resolved
// once: the projection object (its virtual call is all the dispatch left)
// and whether the axes of the text need converting at all (east, north
// with factor 1 would multiply by 1). The two steps and their order are
// CKvMapProjection::Geo2Proj and Proj2Geo's; the array tests compare the
// bits with the facade's own calls, so the pairs cannot part silently.
class FacadeKernel {
 public:
  explicit FacadeKernel(const CKvMapProjection& facade)
      : m_facade(facade),
        m_projection(facade.GetProjection()),
        m_info(facade.GetProjectionInfo()),
        m_plainAxes(PlainAxes(facade.GetProjectionInfo())) {}

  void Geo2Proj(double lon, double lat, double* x, double* y) const {
    if (m_projection == nullptr) return m_facade.Geo2Proj(lon, lat, x, y);
    m_projection->Geo2Proj(lon, lat, x, y);
    if (!m_plainAxes) m_info.InvConvert(*x, *y);
  }

  void Proj2Geo(double x, double y, double* lon, double* lat) const {
    if (m_projection == nullptr) return m_facade.Proj2Geo(x, y, lon, lat);
    if (!m_plainAxes) m_info.Convert(x, y);
    m_projection->Proj2Geo(x, y, lon, lat);
  }

 private:
  static bool PlainAxes(const CKvProjectionInfo& info) {
    const CKvProjectionInfo::CAxis& first = info.GetAxis(0);
    return first.GetType() == CKvProjectionInfo::CAxis::eEast && first.GetFactor() == 1.0 &&
           info.GetAxis(1).GetFactor() == 1.0;
  }

  const CKvMapProjection& m_facade;
  const CKvProjection* m_projection;
  const CKvProjectionInfo& m_info;
  bool m_plainAxes;
};

// A cartography's conversions on top of its facade's kernel; the grid
// rotation is the cartography's own (Proj2Xy, Xy2Proj), as in Geo2Xy and
// Xy2Geo.
class GridKernel {
 public:
  explicit GridKernel(const CKvCartography& carto)
      : m_carto(carto), m_facade(*carto.GetProjection()) {}

  void Geo2Proj(double lon, double lat, double* x, double* y) const {
    m_facade.Geo2Proj(lon, lat, x, y);
  }
  void Proj2Geo(double x, double y, double* lon, double* lat) const {
    m_facade.Proj2Geo(x, y, lon, lat);
  }
  void Geo2Xy(double lon, double lat, double* x, double* y) const {
    double projX = kNoNumber, projY = kNoNumber;
    m_facade.Geo2Proj(lon, lat, &projX, &projY);
    m_carto.Proj2Xy(projX, projY, x, y);
  }
  void Xy2Geo(double x, double y, double* lon, double* lat) const {
    double projX = kNoNumber, projY = kNoNumber;
    m_carto.Xy2Proj(x, y, &projX, &projY);
    m_facade.Proj2Geo(projX, projY, lon, lat);
  }
  void Xy2Proj(double x, double y, double* projX, double* projY) const {
    m_carto.Xy2Proj(x, y, projX, projY);
  }
  void Proj2Xy(double projX, double projY, double* x, double* y) const {
    m_carto.Proj2Xy(projX, projY, x, y);
  }

 private:
  const CKvCartography& m_carto;
  FacadeKernel m_facade;
};

// A two-coordinate conversion `convert(kernel, in1, in2, &out1, &out2)` over
// the arrays, the kernel made once from the handle's object (Kernel may be
// a reference to the object itself). The outputs start as NaN, so a
// conversion that writes nothing for a point leaves it NaN.
template <typename Object, typename Kernel, typename Convert>
int Convert2(void* handle, int n, const Arrays2& arrays, int* status, Convert convert) noexcept {
  if (CheckCall(handle, n, arrays) != kOk) return Report(status, kFailed);
  const Kernel kernel(*static_cast<const Object*>(handle));
  return Report(status, ForEachPoint(n, arrays, [&](int i) {
                  double a = kNoNumber, b = kNoNumber;
                  convert(kernel, arrays.in1[i], arrays.in2[i], &a, &b);
                  StorePoint(a, b, arrays.out1 + i, arrays.out2 + i);
                }));
}

// The datum converter's conversions work in place on their arguments.
template <typename Convert>
int ConvertInPlace2(void* handle, int n, const Arrays2& arrays, int* status,
                    Convert convert) noexcept {
  return Convert2<CKvDatumConverter, const CKvDatumConverter&>(
      handle, n, arrays, status,
      [&](const CKvDatumConverter& c, double u, double v, double* a, double* b) {
        *a = u;
        *b = v;
        convert(c, *a, *b);
      });
}

template <typename Convert>
int ConvertInPlace3(void* handle, int n, const Arrays3& arrays, int* status,
                    Convert convert) noexcept {
  if (CheckCall(handle, n, arrays) != kOk) return Report(status, kFailed);
  const auto& converter = *static_cast<const CKvDatumConverter*>(handle);
  return Report(status, ForEachPoint(n, arrays, [&](int i) {
                  double a = arrays.in1[i], b = arrays.in2[i], c = arrays.in3[i];
                  convert(converter, a, b, c);
                  StorePoint(a, b, c, arrays.out1 + i, arrays.out2 + i, arrays.out3 + i);
                }));
}

}  // namespace

// --- Map projection ----------------------------------------------------------

int C_KVMP_GEO2PROJ_ARRAY(void* handle, int n, const double* lon, const double* lat, double* x,
                          double* y, int* status) {
  return Convert2<CKvMapProjection, FacadeKernel>(
      handle, n, {lon, lat, x, y}, status,
      [](const FacadeKernel& p, double u, double v, double* a, double* b) {
        p.Geo2Proj(u, v, a, b);
      });
}

int C_KVMP_PROJ2GEO_ARRAY(void* handle, int n, const double* x, const double* y, double* lon,
                          double* lat, int* status) {
  return Convert2<CKvMapProjection, FacadeKernel>(
      handle, n, {x, y, lon, lat}, status,
      [](const FacadeKernel& p, double u, double v, double* a, double* b) {
        p.Proj2Geo(u, v, a, b);
      });
}

// --- Cartography --------------------------------------------------------------

int C_KVC_GEO2PROJ_ARRAY(void* handle, int n, const double* lon, const double* lat, double* x,
                         double* y, int* status) {
  return Convert2<CKvCartography, GridKernel>(handle, n, {lon, lat, x, y}, status,
                                              [](const GridKernel& c, double u, double v, double* a,
                                                 double* b) { c.Geo2Proj(u, v, a, b); });
}

int C_KVC_PROJ2GEO_ARRAY(void* handle, int n, const double* x, const double* y, double* lon,
                         double* lat, int* status) {
  return Convert2<CKvCartography, GridKernel>(handle, n, {x, y, lon, lat}, status,
                                              [](const GridKernel& c, double u, double v, double* a,
                                                 double* b) { c.Proj2Geo(u, v, a, b); });
}

int C_KVC_GEO2XY_ARRAY(void* handle, int n, const double* lon, const double* lat, double* x,
                       double* y, int* status) {
  return Convert2<CKvCartography, GridKernel>(
      handle, n, {lon, lat, x, y}, status,
      [](const GridKernel& c, double u, double v, double* a, double* b) { c.Geo2Xy(u, v, a, b); });
}

int C_KVC_XY2GEO_ARRAY(void* handle, int n, const double* x, const double* y, double* lon,
                       double* lat, int* status) {
  return Convert2<CKvCartography, GridKernel>(
      handle, n, {x, y, lon, lat}, status,
      [](const GridKernel& c, double u, double v, double* a, double* b) { c.Xy2Geo(u, v, a, b); });
}

int C_KVC_XY2PROJ_ARRAY(void* handle, int n, const double* x, const double* y, double* projX,
                        double* projY, int* status) {
  return Convert2<CKvCartography, GridKernel>(
      handle, n, {x, y, projX, projY}, status,
      [](const GridKernel& c, double u, double v, double* a, double* b) { c.Xy2Proj(u, v, a, b); });
}

int C_KVC_PROJ2XY_ARRAY(void* handle, int n, const double* projX, const double* projY, double* x,
                        double* y, int* status) {
  return Convert2<CKvCartography, GridKernel>(
      handle, n, {projX, projY, x, y}, status,
      [](const GridKernel& c, double u, double v, double* a, double* b) { c.Proj2Xy(u, v, a, b); });
}

// --- Datum converter ---------------------------------------------------------

int C_KVDC_CONVERTXY_ARRAY(void* handle, int n, const double* x, const double* y, double* outX,
                           double* outY, int* status) {
  return ConvertInPlace2(handle, n, {x, y, outX, outY}, status,
                         [](const CKvDatumConverter& c, double& u, double& v) { c.Convert(u, v); });
}

int C_KVDC_INVCONVERTXY_ARRAY(void* handle, int n, const double* x, const double* y, double* outX,
                              double* outY, int* status) {
  return ConvertInPlace2(
      handle, n, {x, y, outX, outY}, status,
      [](const CKvDatumConverter& c, double& u, double& v) { c.InvConvert(u, v); });
}

int C_KVDC_CONVERTXYH_ARRAY(void* handle, int n, const double* x, const double* y, const double* h,
                            double* outX, double* outY, double* outH, int* status) {
  return ConvertInPlace3(
      handle, n, {x, y, h, outX, outY, outH}, status,
      [](const CKvDatumConverter& c, double& u, double& v, double& w) { c.Convert(u, v, w); });
}

int C_KVDC_INVCONVERTXYH_ARRAY(void* handle, int n, const double* x, const double* y,
                               const double* h, double* outX, double* outY, double* outH,
                               int* status) {
  return ConvertInPlace3(
      handle, n, {x, y, h, outX, outY, outH}, status,
      [](const CKvDatumConverter& c, double& u, double& v, double& w) { c.InvConvert(u, v, w); });
}
