// CKvMapProjection: earth-centred coordinates and geodesics on the
// projection's ellipsoid.
#include <cmath>

#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/core/CKvGeocentric.h"
#include "KvCart/core/CKvProjection.h"
#include "KvCart/core/CKvVincenty.h"
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

bool CKvMapProjection::GetDistance(double lon1, double lat1, double lon2, double lat2, double& dist,
                                   double& az12, double& az21) const {
  if (lon1 == lon2 && lat1 == lat2) {
    dist = 0.0;
    return true;
  }
  CKvEllipsoid ellipsoid;
  if (!WorkingEllipsoid(ellipsoid)) return false;
  // The solver gives az21 already as the back azimuth at the second point.
  return CKvVincenty(ellipsoid).GetDistance(lon1, lat1, lon2, lat2, dist, az12, az21);
}

bool CKvMapProjection::GetDistance(double lon1, double lat1, double lon2, double lat2,
                                   double& dist) const {
  double az12 = 0.0, az21 = 0.0;
  return GetDistance(lon1, lat1, lon2, lat2, dist, az12, az21);
}

bool CKvMapProjection::GetPoint(double lon, double lat, double az, double dist, double& lon2,
                                double& lat2, double& az21) const {
  CKvEllipsoid ellipsoid;
  if (!WorkingEllipsoid(ellipsoid)) return false;
  double forward = 0.0;
  CKvVincenty(ellipsoid).GetPoint(lon, lat, az, dist, lon2, lat2, forward);
  // Back azimuth: the way home from the point reached, in [0, 360).
  az21 = std::fmod(forward + 180.0, 360.0);
  if (az21 < 0.0) az21 += 360.0;
  return true;
}
