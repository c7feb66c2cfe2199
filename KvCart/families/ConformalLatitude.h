/* Conformal and isometric latitude of an ellipsoid, in the tangent form.
 *
 * The conformal projections of the azimuthal families (stereographic in all
 * its aspects) map the ellipsoid first to a sphere through the conformal
 * latitude chi or the isometric latitude psi = asinh(tan chi). Working with
 * tau = tan(phi) and tau' = tan(chi) instead of the angles keeps full
 * relative precision up to the poles, where 1 - sin(phi) cancels
 * (C. F. F. Karney, "Transverse Mercator with an accuracy of a few
 * nanometers", J. Geodesy 85 (2011), eqs. 7-9 and 19-21).
 *
 * e is the first eccentricity (0 for a sphere, where tau' = tau). Latitudes
 * in radians. Pure functions: safe from any thread. */
#ifndef KVCART_FAMILIES_CONFORMALLATITUDE_H
#define KVCART_FAMILIES_CONFORMALLATITUDE_H

#include <cmath>

#include "KvCart/families/GaussianLatitude.h"

namespace kvcart {

// tan(chi) of the conformal latitude from tan(phi) (Karney 2011, eq. 7).
inline double ConformalTau(double tau, double e) {
  double sigma = std::sinh(e * std::atanh(e * tau / std::hypot(1.0, tau)));
  return tau * std::hypot(1.0, sigma) - sigma * std::hypot(1.0, tau);
}

// tan(phi) from tan(chi) by Newton's method on ConformalTau (Karney 2011,
// eqs. 19-21), stopping when the latitude moves by less than 1e-12 radians
// (at most 100 steps); the step after that is below rounding.
double GeodeticTau(double tauPrime, double e);

// Isometric latitude psi = asinh(tan chi) of a geodetic latitude (Snyder
// 3-7), as asinh(tan phi) - e atanh(e sin phi): neither term cancels the
// other (the second is at most e^2 of the first), so this keeps full
// precision up to the poles at a third of the cost of the tangent form.
inline double IsometricLatitude(double phi, double e) {
  return std::asinh(std::tan(phi)) - e * std::atanh(e * std::sin(phi));
}

// The geodetic latitude of a conformal latitude, for an inverse projection
// that has the conformal latitude in closed form (its tangent, or the angle).
// On an ellipsoid of the earth's flattening the sixth-order series in the
// third flattening n (GaussianLatitude.h) gives it to rounding at the cost of
// one atan and a Clenshaw sum -- a fraction of Newton's method on
// ConformalTau. The truncation grows as n^7: 2e-15 rad at n = 0.0034
// (1/f = 150), but 1e-11 rad at 1/f = 40 and 2e-7 rad at 1/f = 10, so a
// custom ellipsoid flatter than 1/f = 125 (n > kSeriesMaxThirdFlattening)
// takes Newton's method instead. Immutable: safe from any thread.
//
// Usage:
//   kvcart::ConformalToGeodetic toGeodetic(e, f);
//   double phi = toGeodetic.LatitudeOfTau(std::sinh(psi));
class ConformalToGeodetic {
 public:
  static constexpr double kSeriesMaxThirdFlattening = 0.004;

  ConformalToGeodetic() = default;
  // e the first eccentricity, f the flattening (0, 0 for a sphere).
  ConformalToGeodetic(double e, double f);

  // phi (radians) from tau' = tan(chi); +-inf gives the poles, NaN NaN.
  double LatitudeOfTau(double tauPrime) const {
    if (!m_useSeries) return std::atan(GeodeticTau(tauPrime, m_e));
    double chi = std::atan(tauPrime);
    // Beyond 1e150 chi is a pole to rounding and tau'^2 would overflow.
    if (!(std::fabs(tauPrime) < 1e150)) return chi;
    double t2 = tauPrime * tauPrime, r = 1.0 / (1.0 + t2);
    return ClenshawSin(m_toGeodetic, chi, 2.0 * tauPrime * r, (1.0 - t2) * r);
  }

  // phi (radians) from chi (radians).
  double LatitudeOfChi(double chi) const {
    if (!m_useSeries) return std::atan(GeodeticTau(std::tan(chi), m_e));
    return ClenshawSin(m_toGeodetic, chi);
  }

 private:
  double m_e = 0.0;
  bool m_useSeries = true;
  double m_toGeodetic[kGaussTerms] = {};
};

// sum_{k=1..n} c[k-1] sin(2 k x) by Clenshaw's recurrence: one sine and
// one cosine for the whole series (the latitude series of the conformal and
// authalic latitudes).
inline double SineSeries(const double* c, int n, double x) {
  double twoCos = 2.0 * std::cos(2.0 * x), b1 = 0.0, b2 = 0.0;
  for (int k = n - 1; k >= 0; --k) {
    double b0 = c[k] + twoCos * b1 - b2;
    b2 = b1;
    b1 = b0;
  }
  return b1 * std::sin(2.0 * x);
}

}  // namespace kvcart

#endif
