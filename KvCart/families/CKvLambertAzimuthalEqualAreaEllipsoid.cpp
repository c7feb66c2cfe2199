// Lambert azimuthal equal area on the ellipsoid (EPSG Guidance Note 7-2,
// method 9820; polar aspects Snyder 1987, eqs. 24-13..24-18): authalic
// latitude, then the spherical projection on the authalic sphere.
#include "KvCart/families/CKvLambertAzimuthalEqualAreaEllipsoid.h"

#include <cmath>
#include <limits>

#include "KvCart/core/AngleMath.h"
#include "KvCart/core/CKvMapProjData.h"
#include "KvCart/families/ConformalLatitude.h"

namespace {

// q_P = q(90 degrees) = 1 + (1 - e^2) atanh(e) / e (Snyder 3-12).
double PolarQ(double e) { return 1.0 + (1.0 - e * e) * std::atanh(e) / e; }

// q_P - q(phi) for 0 <= phi <= 90 degrees, from 1 - sin(phi) = 2 sin^2(pi/4
// - phi/2) and atanh(e) - atanh(e s) = atanh(e (1 - s) / (1 - e^2 s)), so
// neither difference cancels next to the pole.
double PolarQDifference(double e, double phi) {
  double e2 = e * e;
  double s = std::sin(phi), h = std::sin(kvcart::kPi / 4.0 - phi / 2.0);
  double oneMinusS = 2.0 * h * h;
  return oneMinusS * (1.0 + e2 * s) / (1.0 - e2 * s * s) +
         (1.0 - e2) * std::atanh(e * oneMinusS / (1.0 - e2 * s)) / e;
}

// beta = asin(q / q_P), written as pi/2 - 2 asin(sqrt((q_P - q) / (2 q_P))).
double AuthalicOf(double e, double qP, double phi) {
  double d = PolarQDifference(e, std::fabs(phi));
  double beta = kvcart::kPi / 2.0 - 2.0 * std::asin(std::sqrt(d / (2.0 * qP)));
  return std::copysign(beta, phi);
}

// One Newton step on q (Snyder 3-16) from the series latitude phi towards the
// authalic latitude beta. The third-order series alone leaves up to 1.4e-8
// degrees (1.5 mm) on the earth's ellipsoids; after the step the round trip
// is exact to rounding. Worked in q_P - q, which keeps its precision at the
// poles, where dq/dphi vanishes with the difference itself.
double RefineLatitude(double e, double qP, double phi, double beta) {
  double e2 = e * e, a = std::fabs(phi), b = std::fabs(beta);
  double h = std::sin(kvcart::kPi / 4.0 - b / 2.0);
  double target = 2.0 * qP * h * h;  // q_P - q_P sin(beta)
  double s = std::sin(a), w = 1.0 - e2 * s * s;
  double slope = 2.0 * (1.0 - e2) * std::cos(a) / (w * w);  // dq/dphi
  if (slope > 0.0) a += (PolarQDifference(e, a) - target) / slope;
  return std::copysign(a, beta);
}

}  // namespace

CKvLambertAzimuthalEqualAreaEllipsoid::CKvLambertAzimuthalEqualAreaEllipsoid(const Setup& setup)
    : CKvProjFormula(setup), m_qP(PolarQ(setup.e)), m_authalic(AuthalicSphere(setup)) {
  CKvMapProjData::ComputeFourierCoefficients(CKvMapProjData::eLambertAzimuthalEqualArea, false,
                                             m_e2, m_series);
  if (GetAspect() == kvcart::eObliqueAspect) {
    // D = a m0 / (R_q cos beta0): true scale along the meridian and the
    // parallel at the origin.
    double sin0 = std::sin(m_lat0);
    double m0 = std::cos(m_lat0) / std::sqrt(1.0 - m_e2 * sin0 * sin0);
    double rq = m_a * std::sqrt(m_qP / 2.0);
    m_D = m_a * m0 / (rq * std::cos(AuthalicLatitude(m_lat0)));
  }
}

CKvLambertAzimuthalEqualAreaEllipsoid::~CKvLambertAzimuthalEqualAreaEllipsoid() = default;

// The authalic sphere: radius R_q, origin at the authalic latitude of the
// origin, no false origin; the aspect is the geodetic origin's.
CKvLambertAzimuthalEqualAreaSphere CKvLambertAzimuthalEqualAreaEllipsoid::AuthalicSphere(
    const Setup& setup) {
  double qP = PolarQ(setup.e);
  Setup sphere = setup;
  sphere.a = setup.a * std::sqrt(qP / 2.0);
  sphere.invFlattening = 0.0;
  sphere.e = 0.0;
  sphere.lat0 = AuthalicOf(setup.e, qP, setup.lat0 * kvcart::kDegToRad) * kvcart::kRadToDeg;
  sphere.falseEasting = sphere.falseNorthing = 0.0;
  return CKvLambertAzimuthalEqualAreaSphere(sphere, kvcart::AspectOfLatitude(setup.lat0));
}

double CKvLambertAzimuthalEqualAreaEllipsoid::AuthalicLatitude(double phi) const {
  return AuthalicOf(m_e, m_qP, phi);
}

// With alpha = pi/4 - |beta|/2 and sin^2 alpha = (q_P - q) / (2 q_P):
// sin |beta| = cos 2 alpha = 1 - 2 sin^2 alpha, cos beta = sin 2 alpha =
// 2 sin alpha cos alpha (both precise: sin^2 alpha <= 1/2). Saves the
// forward an arcsine, a sine and a cosine per point.
void CKvLambertAzimuthalEqualAreaEllipsoid::AuthalicSinCos(double phi, double* sinBeta,
                                                           double* cosBeta) const {
  double s2 = PolarQDifference(m_e, std::fabs(phi)) / (2.0 * m_qP);
  *sinBeta = std::copysign(1.0 - 2.0 * s2, phi);
  *cosBeta = 2.0 * std::sqrt(s2 * (1.0 - s2));
}

void CKvLambertAzimuthalEqualAreaEllipsoid::Geo2Proj(double lon, double lat, double* x,
                                                     double* y) const {
  if (!(std::fabs(lat) <= 90.0)) {
    *x = *y = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  double sinBeta, cosBeta, dx, dy;
  AuthalicSinCos(lat * kvcart::kDegToRad, &sinBeta, &cosBeta);
  m_authalic.ForwardOnSphere(sinBeta, cosBeta, LongitudeOffset(lon), &dx, &dy);
  *x = m_falseEasting + m_D * dx;
  *y = m_falseNorthing + dy / m_D;
}

void CKvLambertAzimuthalEqualAreaEllipsoid::Proj2Geo(double x, double y, double* lon,
                                                     double* lat) const {
  double beta, dLambda;
  m_authalic.InverseOnSphere((x - m_falseEasting) / m_D, (y - m_falseNorthing) * m_D, &beta,
                             &dLambda);
  double phi = beta + kvcart::SineSeries(m_series, 3, beta);
  *lat = RefineLatitude(m_e, m_qP, phi, beta) * kvcart::kRadToDeg;
  *lon = OutputLongitude(dLambda);
}

void CKvLambertAzimuthalEqualAreaEllipsoid::GetDefaultArea(double* x0, double* y0, double* x1,
                                                           double* y1) const {
  kvcart::AzimuthalDefaultArea(*this, GetAspect(), m_setup.lon0, m_setup.lat0, x0, y0, x1, y1);
}
