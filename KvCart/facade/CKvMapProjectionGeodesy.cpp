// CKvMapProjection: earth-centred coordinates and geodesics on the
// projection's ellipsoid.
#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/core/CKvGeocentric.h"
#include "KvCart/core/CKvProjection.h"
#include "KvCart/facade/CKvMapProjection.h"

namespace {

constexpr double kWgs84Major = 6378137.0;
constexpr double kWgs84InverseFlattening = 298.257223563;

}  // namespace

bool CKvMapProjection::WorkingEllipsoid(CKvEllipsoid& ellipsoid) const {
  if (m_projection == nullptr) return false;
  if (m_projection->GetAnonymousEllipsoid(ellipsoid)) return true;
  // Longitude/latitude without a datum of its own is taken as WGS 84.
  if (!m_projection->IsGeographical()) return false;
  ellipsoid.SetParams(kWgs84Major, kWgs84InverseFlattening);
  return true;
}

void CKvMapProjection::Geo2XYZ(double lon, double lat, double h, double* x, double* y,
                               double* z) const {
  CKvEllipsoid ellipsoid;
  if (WorkingEllipsoid(ellipsoid)) CKvGeocentric(ellipsoid).Geo2XYZ(lon, lat, h, x, y, z);
}

void CKvMapProjection::XYZ2Geo(double x, double y, double z, double* lon, double* lat,
                               double* h) const {
  CKvEllipsoid ellipsoid;
  if (WorkingEllipsoid(ellipsoid)) CKvGeocentric(ellipsoid).XYZ2Geo(x, y, z, lon, lat, h);
}
