// Gnomonic projection of the sphere (Snyder 1987, eqs. 22-2..22-5, with
// rho = R tan c).
#include "KvCart/families/CKvGnomic.h"

#include <cmath>
#include <limits>

#include "KvCart/core/AngleMath.h"
#include "KvCart/core/CKvEllipsoid.h"

namespace {

constexpr char kGnomicName[] = "Gnomic";

}  // namespace

CKvGnomic::CKvGnomic() : CKvProjectionFrame(kGnomicName, CKvEllipsoid()) {
  Initialise(0.0, 0.0, 0.0, 0.0);
}

CKvGnomic::CKvGnomic(double centre, double originLat, double falseEasting, double falseNorthing,
                     const CKvEllipsoid& ellipsoid)
    : CKvProjectionFrame(kGnomicName, ellipsoid) {
  Initialise(centre, originLat, falseEasting, falseNorthing);
}

CKvGnomic::~CKvGnomic() = default;

void CKvGnomic::Initialise(double centre, double originLat, double falseEasting,
                           double falseNorthing) {
  SetOrigin(centre, originLat);
  SetFalseOrigin(falseEasting, falseNorthing);
  m_aspect = kvcart::AspectOfLatitude(originLat);
  m_geometry = kvcart::AzimuthalGeometry(m_lat0, m_aspect);
}

// k' = 1 / cos c (Snyder 22-3); the far hemisphere (cos c <= 0) has no image.
void CKvGnomic::Geo2Proj(double lon, double lat, double* x, double* y) const {
  double cosC = std::numeric_limits<double>::quiet_NaN(), east = 0.0, north = 0.0;
  if (std::fabs(lat) <= 90.0) {
    double dLambda = kvcart::NormalizeLongitude(lon - m_lon0Deg) * kvcart::kDegToRad;
    m_geometry.Forward(lat * kvcart::kDegToRad, dLambda, &cosC, &east, &north);
  }
  if (!(cosC > 0.0)) {
    *x = *y = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  *x = m_falseEasting + m_a * east / cosC;
  *y = m_falseNorthing + m_a * north / cosC;
}

// c = atan(rho / R) (Snyder 22-16), from the hypotenuse so that sin c and
// cos c keep their precision at every distance.
void CKvGnomic::Proj2Geo(double x, double y, double* lon, double* lat) const {
  double dx = x - m_falseEasting, dy = y - m_falseNorthing;
  double rho = std::hypot(dx, dy), hyp = std::hypot(rho, m_a);
  double phi, dLambda;
  m_geometry.Inverse(dx, dy, rho / hyp, m_a / hyp, &phi, &dLambda);
  *lat = phi * kvcart::kRadToDeg;
  *lon = kvcart::NormalizeLongitude(m_lon0Deg + dLambda * kvcart::kRadToDeg);
}

void CKvGnomic::GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const {
  kvcart::AzimuthalDefaultArea(*this, m_aspect, m_lon0Deg, m_lat0Deg, x0, y0, x1, y1);
}

bool CKvGnomic::GetAnonymousEllipsoid(CKvEllipsoid& ellipsoid) const {
  if (!(m_a > 0.0)) return false;
  ellipsoid.SetParams(m_a, 0.0);
  return true;
}

CKvProjection* CKvGnomic::Clone() const { return new CKvGnomic(*this); }

void CKvGnomic::TransferParameters(CKvPRJParser&) const {}
