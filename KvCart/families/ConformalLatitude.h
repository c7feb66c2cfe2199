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

// Geodetic latitude of an isometric latitude.
inline double LatitudeOfIsometric(double psi, double e) {
  return std::atan(GeodeticTau(std::sinh(psi), e));
}

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
