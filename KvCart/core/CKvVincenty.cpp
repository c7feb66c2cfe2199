#include "KvCart/core/CKvVincenty.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <utility>

#include "KvCart/core/AngleMath.h"
#include "KvCart/core/CKvEllipsoid.h"

namespace {

// Keeps cos(beta) of a pole away from zero so that divisions by it stay
// finite (Karney's "tiny").
const double kTiny = std::sqrt(DBL_MIN);
// The start azimuth is solved to this many radians.
constexpr double kAzimuthTolerance = 1e-15;

// Angle of the (unnormalised) vector from 1 to 2 in [0, pi].
double AngleBetween(double s1, double c1, double s2, double c2) {
  return std::atan2(std::max(0.0, c1 * s2 - s1 * c2), c1 * c2 + s1 * s2);
}

// Degrees in [0, 360).
double Azimuth360(double sinAz, double cosAz) {
  double az = std::atan2(sinAz, cosAz) * kvcart::kRadToDeg;
  return az < 0.0 ? az + 360.0 : az;
}

// The longitude integral I3(sigma) / A3 - sigma = sum C3l sin(2 l sigma) of
// Karney (2013), eqs. 23-25, to fifth order in eps; n the third flattening.
struct LongitudeSeries {
  double a3;
  double c3[5];
};

LongitudeSeries MakeLongitudeSeries(double n, double eps) {
  double e2 = eps * eps, e3 = e2 * eps, e4 = e3 * eps, e5 = e4 * eps, n2 = n * n;
  LongitudeSeries ls;
  ls.a3 = 1.0 - (0.5 - n / 2) * eps - (0.25 + n / 8 - 3 * n2 / 8) * e2 -
          (1.0 / 16 + 3 * n / 16 + n2 / 16) * e3 - (3.0 / 64 + n / 32) * e4 - 3.0 / 128 * e5;
  ls.c3[0] = (0.25 - n / 4) * eps + (1.0 / 8 - n2 / 8) * e2 +
             (3.0 / 64 + 3 * n / 64 - n2 / 64) * e3 + (5.0 / 128 + n / 64) * e4 + 3.0 / 128 * e5;
  ls.c3[1] = (1.0 / 16 - 3 * n / 32 + n2 / 32) * e2 + (3.0 / 64 - n / 32 - 3 * n2 / 64) * e3 +
             (3.0 / 128 + n / 128) * e4 + 5.0 / 256 * e5;
  ls.c3[2] = (5.0 / 192 - 3 * n / 64 + 5 * n2 / 192) * e3 + (3.0 / 128 - 5 * n / 192) * e4 +
             7.0 / 512 * e5;
  ls.c3[3] = (7.0 / 512 - 7 * n / 256) * e4 + 7.0 / 512 * e5;
  ls.c3[4] = 21.0 / 2560 * e5;
  return ls;
}

double SineSum(const double* c, int count, double sigma) {
  double sum = 0.0;
  for (int l = count; l >= 1; --l) sum += c[l - 1] * std::sin(2.0 * l * sigma);
  return sum;
}

// Vincenty's Delta sigma: the ellipsoidal correction of an arc sigma whose
// midpoint lies at arc sigmaM from the node.
double DeltaSigma(double b, double sigma, double cos2SigmaM) {
  double s = std::sin(sigma), c = std::cos(sigma), c2m2 = cos2SigmaM * cos2SigmaM;
  return b * s *
         (cos2SigmaM + b / 4.0 *
                           (c * (2.0 * c2m2 - 1.0) -
                            b / 6.0 * cos2SigmaM * (4.0 * s * s - 3.0) * (4.0 * c2m2 - 3.0)));
}

}  // namespace

// The inverse problem in Karney's canonical frame: latitude 1 <= 0, |latitude
// 2| <= |latitude 1|, longitude difference in [0, pi]; reduced latitudes.
struct CKvVincenty::Canonical {
  double sinBeta1, cosBeta1, sinBeta2, cosBeta2;
  double lambda12;
  double lonSign, latSign;
  bool swapped;
  bool fromPole;  // the first point is a pole: every azimuth is a meridian
};

// The geodesic leaving point 1 of the canonical frame with azimuth alpha1,
// followed to the latitude of point 2.
struct CKvVincenty::Solution {
  double sinAlpha1, cosAlpha1;
  double sinAlpha0, cosAlpha2CosBeta2;
  double lambda12;  // longitude reached
  double sigma1, sigma12;
  double cos2Alpha0;
};

CKvVincenty::CKvVincenty(const CKvEllipsoid& ellipsoid)
    : m_a(ellipsoid.GetMajor()),
      m_b(ellipsoid.GetMinor()),
      m_f(ellipsoid.GetFlatness()),
      m_ep2((m_a * m_a - m_b * m_b) / (m_b * m_b)) {}

CKvVincenty::~CKvVincenty() = default;

double CKvVincenty::PolyA(double u2) {
  return 1.0 + u2 / 16384.0 * (4096.0 + u2 * (-768.0 + u2 * (320.0 - 175.0 * u2)));
}

double CKvVincenty::PolyB(double u2) {
  return u2 / 1024.0 * (256.0 + u2 * (-128.0 + u2 * (74.0 - 47.0 * u2)));
}

void CKvVincenty::GetPoint(double lon1, double lat1, double azimuth, double distance, double& lon2,
                           double& lat2, double& azimuth2) const {
  double phi1 = lat1 * kvcart::kDegToRad, alpha1 = azimuth * kvcart::kDegToRad;
  double u1 = m_f > 0.0 ? std::atan((1.0 - m_f) * std::tan(phi1)) : phi1;
  double sinU1 = std::sin(u1), cosU1 = std::cos(u1);
  double sinA1 = std::sin(alpha1), cosA1 = std::cos(alpha1);
  double sigma1 = std::atan2(std::tan(u1), cosA1);
  double sinAlpha = cosU1 * sinA1, cos2Alpha = 1.0 - sinAlpha * sinAlpha;
  double u2 = cos2Alpha * m_ep2, bigA = PolyA(u2), bigB = PolyB(u2);
  double base = distance / (m_b * bigA), sigma = base;
  // Stops at two values within a relative 1e-12; after 100 steps one more
  // step is taken and used as it is.
  for (int i = 0; i <= kvcart::kMaxIterations; ++i) {
    double next = base + DeltaSigma(bigB, sigma, std::cos(2.0 * sigma1 + sigma));
    bool done = kvcart::IsRelEqual(next, sigma);
    sigma = next;
    if (done) break;
  }
  double sinS = std::sin(sigma), cosS = std::cos(sigma);
  double cos2SigmaM = std::cos(2.0 * sigma1 + sigma);
  double t = sinU1 * sinS - cosU1 * cosS * cosA1;
  double phi2 = std::atan2(sinU1 * cosS + cosU1 * sinS * cosA1,
                           (1.0 - m_f) * std::sqrt(sinAlpha * sinAlpha + t * t));
  double lambda = std::atan2(sinS * sinA1, cosU1 * cosS - sinU1 * sinS * cosA1);
  double dl = lambda - LongitudeCorrection(sinAlpha, cos2Alpha, sigma, cos2SigmaM);
  lon2 = kvcart::NormalizeLongitude(lon1 + dl * kvcart::kRadToDeg);
  lat2 = phi2 * kvcart::kRadToDeg;
  azimuth2 = std::atan2(sinAlpha, cosU1 * cosS * cosA1 - sinU1 * sinS) * kvcart::kRadToDeg;
}

// lambda - L of Vincenty's formula: how much less longitude the ellipsoid's
// geodesic gains than its image on the auxiliary sphere.
double CKvVincenty::LongitudeCorrection(double sinAlpha, double cos2Alpha, double sigma,
                                        double cos2SigmaM) const {
  double c = m_f / 16.0 * cos2Alpha * (4.0 + m_f * (4.0 - 3.0 * cos2Alpha));
  return (1.0 - c) * m_f * sinAlpha *
         (sigma + c * std::sin(sigma) *
                      (cos2SigmaM + c * std::cos(sigma) * (2.0 * cos2SigmaM * cos2SigmaM - 1.0)));
}

double CKvVincenty::SeriesDistance(double sigma1, double sigma12, double cos2Alpha) const {
  double u2 = cos2Alpha * m_ep2;
  double cos2SigmaM = std::cos(2.0 * sigma1 + sigma12);
  return m_b * PolyA(u2) * (sigma12 - DeltaSigma(PolyB(u2), sigma12, cos2SigmaM));
}

CKvVincenty::Solution CKvVincenty::SolveForAzimuth(const Canonical& c, double alpha1) const {
  Solution s;
  s.sinAlpha1 = std::sin(alpha1);
  s.cosAlpha1 = std::cos(alpha1);
  s.sinAlpha0 = s.sinAlpha1 * c.cosBeta1;
  double cosAlpha0 = std::hypot(s.cosAlpha1, s.sinAlpha1 * c.sinBeta1);
  s.cos2Alpha0 = cosAlpha0 * cosAlpha0;
  // Clairaut: the azimuth where the geodesic meets latitude 2 going north;
  // cos^2(beta2) - cos^2(beta1) written to avoid cancellation.
  double dCos2 = c.cosBeta1 < -c.sinBeta1 ? (c.cosBeta2 - c.cosBeta1) * (c.cosBeta1 + c.cosBeta2)
                                          : (c.sinBeta1 - c.sinBeta2) * (c.sinBeta1 + c.sinBeta2);
  double ca1cb1 = s.cosAlpha1 * c.cosBeta1;
  s.cosAlpha2CosBeta2 = std::sqrt(std::max(0.0, ca1cb1 * ca1cb1 + dCos2));
  s.sigma1 = std::atan2(c.sinBeta1, ca1cb1);
  s.sigma12 = AngleBetween(c.sinBeta1, ca1cb1, c.sinBeta2, s.cosAlpha2CosBeta2);
  double omega12 =
      AngleBetween(s.sinAlpha0 * c.sinBeta1, ca1cb1, s.sinAlpha0 * c.sinBeta2, s.cosAlpha2CosBeta2);
  // Vincenty's closed correction is good to f^3 only, which near the
  // antipode moves the end point by centimetres; Karney's series for the
  // longitude integral is exact to double precision.
  double k2 = m_ep2 * s.cos2Alpha0;
  double root = std::sqrt(1.0 + k2) + 1.0;
  LongitudeSeries ls = MakeLongitudeSeries(m_f / (2.0 - m_f), k2 / (root * root));
  double i3 = s.sigma12 + SineSum(ls.c3, 5, s.sigma1 + s.sigma12) - SineSum(ls.c3, 5, s.sigma1);
  s.lambda12 = omega12 - m_f * s.sinAlpha0 * ls.a3 * i3;
  return s;
}

// Secant steps on the start azimuth inside a bracket that every step
// narrows; a step that would leave the bracket bisects it instead. The
// longitude reached grows with the azimuth, so this converges everywhere.
// (The spherical slope sin(sigma12) / cos(alpha2) cos(beta2) only starts the
// secant: near the antipode it is far off the true one, and Newton steps
// with it would creep.)
CKvVincenty::Solution CKvVincenty::SolveCanonical(const Canonical& c) const {
  double lo = 0.0, hi = kvcart::kPi;
  if (c.sinBeta1 == 0.0 && c.sinBeta2 == 0.0) lo = kvcart::kPi / 2.0;  // beyond the equator
  double alpha1 =
      std::atan2(c.cosBeta2 * std::sin(c.lambda12),
                 c.cosBeta1 * c.sinBeta2 - c.sinBeta1 * c.cosBeta2 * std::cos(c.lambda12));
  if (!(alpha1 > lo && alpha1 < hi)) alpha1 = 0.5 * (lo + hi);
  Solution s = SolveForAzimuth(c, alpha1);
  double prevAlpha = alpha1, prevV = 0.0;
  for (int i = 0; i < kvcart::kMaxIterations; ++i) {
    double v = s.lambda12 - c.lambda12;
    if (v == 0.0) break;
    (v > 0.0 ? hi : lo) = alpha1;
    double slope = i > 0 && alpha1 != prevAlpha ? (v - prevV) / (alpha1 - prevAlpha) : 0.0;
    if (!(slope > 0.0)) slope = std::sin(s.sigma12) / s.cosAlpha2CosBeta2;
    double next = alpha1 - v / slope;
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    // The azimuth, not the longitude, decides when to stop: an absolute
    // longitude tolerance would leave short lines with a wrong azimuth.
    bool done = std::fabs(next - alpha1) <= kAzimuthTolerance;
    prevAlpha = alpha1;
    prevV = v;
    alpha1 = next;
    s = SolveForAzimuth(c, alpha1);
    if (done) break;
  }
  return s;
}

// Karney's canonical frame: the point of larger |latitude| first, that
// latitude made <= 0, the longitude difference made >= 0 (Karney 2013,
// sec. 4). The signs remember how to map the azimuths back.
CKvVincenty::Canonical CKvVincenty::MakeCanonical(double lon1, double lat1, double lon2,
                                                  double lat2) const {
  Canonical c;
  double dLon = kvcart::NormalizeLongitude(lon2 - lon1);
  c.lonSign = dLon < 0.0 ? -1.0 : 1.0;
  c.swapped = std::fabs(lat1) < std::fabs(lat2);
  if (c.swapped) {  // from point 2 to point 1 the longitude runs the other way
    std::swap(lat1, lat2);
    c.lonSign = -c.lonSign;
  }
  c.latSign = lat1 < 0.0 ? 1.0 : -1.0;
  c.lambda12 = std::fabs(dLon) * kvcart::kDegToRad;
  c.fromPole = lat1 * c.latSign == -90.0;
  ReducedLatitude(lat1 * c.latSign, c.sinBeta1, c.cosBeta1);
  ReducedLatitude(lat2 * c.latSign, c.sinBeta2, c.cosBeta2);
  // Exactly symmetric or equal latitudes stay exactly so after rounding.
  if (c.cosBeta1 < -c.sinBeta1) {
    if (c.cosBeta2 == c.cosBeta1) c.sinBeta2 = std::copysign(c.sinBeta1, c.sinBeta2);
  } else if (std::fabs(c.sinBeta2) == -c.sinBeta1) {
    c.cosBeta2 = c.cosBeta1;
  }
  return c;
}

void CKvVincenty::ReducedLatitude(double latDeg, double& sinBeta, double& cosBeta) const {
  double phi = latDeg * kvcart::kDegToRad;
  sinBeta = (1.0 - m_f) * std::sin(phi);
  cosBeta = std::fabs(latDeg) == 90.0 ? 0.0 : std::cos(phi);
  double r = std::hypot(sinBeta, cosBeta);
  sinBeta /= r;
  cosBeta = std::max(kTiny, cosBeta / r);
}

bool CKvVincenty::GetDistance(double lon1, double lat1, double lon2, double lat2, double& distance,
                              double& azimuth12, double& azimuth21) const {
  if (!std::isfinite(lon1) || !std::isfinite(lon2) || !(std::fabs(lat1) <= 90.0) ||
      !(std::fabs(lat2) <= 90.0)) {
    return false;
  }
  const Canonical c = MakeCanonical(lon1, lat1, lon2, lat2);
  double sa1 = 1.0, ca1 = 0.0, sa2 = 1.0, ca2 = 0.0;  // along the equator
  if (c.sinBeta1 == 0.0 && c.lambda12 <= (1.0 - m_f) * kvcart::kPi) {
    distance = m_a * c.lambda12;
  } else {
    bool meridian = c.fromPole || c.lambda12 == 0.0 || c.lambda12 == kvcart::kPi;
    Solution s = meridian ? SolveForAzimuth(c, c.lambda12) : SolveCanonical(c);
    distance = SeriesDistance(s.sigma1, s.sigma12, s.cos2Alpha0);
    sa1 = s.sinAlpha1;
    ca1 = s.cosAlpha1;
    sa2 = s.sinAlpha0;
    ca2 = s.cosAlpha2CosBeta2;
  }
  // Back from the canonical frame: swapping the ends reverses both azimuths.
  if (c.swapped) {
    std::swap(sa1, sa2);
    std::swap(ca1, ca2);
  }
  double swapSign = c.swapped ? -1.0 : 1.0;
  azimuth12 = Azimuth360(sa1 * swapSign * c.lonSign, ca1 * swapSign * c.latSign);
  double forward2 = Azimuth360(sa2 * swapSign * c.lonSign, ca2 * swapSign * c.latSign);
  azimuth21 = std::fmod(forward2 + 180.0, 360.0);
  return true;
}
