// Polar stereographic by the latitude of true scale (EPSG Guidance Note 7-2,
// method 9829).
#include "KvCart/families/CKvStereographicPole.h"

#include <cmath>
#include <limits>

#include "KvCart/core/AngleMath.h"
#include "KvCart/families/AzimuthalGeometry.h"

CKvStereographicPole::CKvStereographicPole(const CKvMapProjData& record, double sign,
                                           double trueScaleLat, double centre, double falseEasting,
                                           double falseNorthing)
    : CKvProjectionFrame(record) {
  Initialise(sign, trueScaleLat, centre, falseEasting, falseNorthing);
}

CKvStereographicPole::CKvStereographicPole(const std::string& name, double sign,
                                           double trueScaleLat, double centre, double falseEasting,
                                           double falseNorthing, const CKvEllipsoid& ellipsoid)
    : CKvProjectionFrame(name, ellipsoid) {
  Initialise(sign, trueScaleLat, centre, falseEasting, falseNorthing);
}

CKvStereographicPole::~CKvStereographicPole() = default;

void CKvStereographicPole::Initialise(double sign, double trueScaleLat, double centre,
                                      double falseEasting, double falseNorthing) {
  m_trueScaleLatDeg = trueScaleLat;
  SetOrigin(centre, sign * 90.0);
  SetFalseOrigin(falseEasting, falseNorthing);
  double radius = kvcart::PolarStereographicKernel::TrueScaleRadius(
      sign, m_a, m_e, m_e2, trueScaleLat * kvcart::kDegToRad);
  m_polar = kvcart::PolarStereographicKernel(sign, m_e, m_e2, radius);
}

void CKvStereographicPole::Geo2Proj(double lon, double lat, double* x, double* y) const {
  if (!(std::fabs(lat) <= 90.0)) {
    *x = *y = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  double dLambda = kvcart::NormalizeLongitude(lon - m_lon0Deg) * kvcart::kDegToRad;
  double dx, dy;
  m_polar.Forward(lat * kvcart::kDegToRad, dLambda, &dx, &dy);
  *x = m_falseEasting + dx;
  *y = m_falseNorthing + dy;
}

void CKvStereographicPole::Proj2Geo(double x, double y, double* lon, double* lat) const {
  double phi, dLambda;
  m_polar.Inverse(x - m_falseEasting, y - m_falseNorthing, &phi, &dLambda);
  *lat = phi * kvcart::kRadToDeg;
  *lon = kvcart::NormalizeLongitude(m_lon0Deg + dLambda * kvcart::kRadToDeg);
}

void CKvStereographicPole::GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const {
  kvcart::EAzimuthalAspect aspect =
      m_lat0Deg > 0.0 ? kvcart::eNorthPolarAspect : kvcart::eSouthPolarAspect;
  kvcart::AzimuthalDefaultArea(*this, aspect, m_lon0Deg, m_lat0Deg, x0, y0, x1, y1);
}
