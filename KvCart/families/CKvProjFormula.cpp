#include "KvCart/families/CKvProjFormula.h"

#include <algorithm>

#include "KvCart/core/AngleMath.h"
#include "KvCart/core/CKvEllipsoid.h"

CKvProjFormula::CKvProjFormula(const Setup& setup)
    : m_setup(setup),
      m_a(setup.a),
      m_e(setup.e),
      m_e2(setup.e * setup.e),
      m_lat0(setup.lat0 * kvcart::kDegToRad),
      m_phi1(setup.parallel1 * kvcart::kDegToRad),
      m_phi2(setup.parallel2 * kvcart::kDegToRad),
      m_falseEasting(setup.falseEasting),
      m_falseNorthing(setup.falseNorthing) {}

void CKvProjFormula::GetOrigin(double* lon, double* lat) const {
  *lon = m_setup.lon0;
  *lat = m_setup.lat0;
}

void CKvProjFormula::GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const {
  const double h = m_setup.halfSize;
  Geo2Proj(m_setup.lon0 - h, std::max(m_setup.lat0 - h, -90.0), x0, y0);
  Geo2Proj(m_setup.lon0 + h, std::min(m_setup.lat0 + h, 90.0), x1, y1);
}

bool CKvProjFormula::GetAnonymousEllipsoid(CKvEllipsoid& ellipsoid) const {
  if (!(m_setup.a > 0.0)) return false;
  ellipsoid.SetParams(m_setup.a, m_setup.invFlattening);
  return true;
}

double CKvProjFormula::LongitudeOffset(double lonDegrees) const {
  return kvcart::NormalizeLongitude(lonDegrees - m_setup.lon0) * kvcart::kDegToRad;
}

double CKvProjFormula::OutputLongitude(double dLambda) const {
  return kvcart::NormalizeLongitude(m_setup.lon0 + dLambda * kvcart::kRadToDeg);
}
