/* Grid convergence of the transverse Mercator projection as a closed series
 * in the longitude difference from the central meridian (Snyder, "Map
 * Projections - A Working Manual", 1987, eq. 8-15 with the fifth-order term),
 * and the exact point scale of the Krueger series. Shared by both transverse
 * Mercator classes.
 *
 * Arguments: latitude phi and reduced longitude difference dl in radians.
 * Results: convergence in radians (positive east of the central meridian in
 * the northern hemisphere), scale relative to k0. Within 6 degrees of the
 * central meridian the convergence series is within 2e-8 radians of the
 * exact value; the scale is exact to the accuracy of the mapping. (The
 * sixth-order scale series of Snyder 8-11 is 4.7e-9 off at 6 degrees.) */
#ifndef KVCART_FAMILIES_TRANSVERSEMERCATORFACTORS_H
#define KVCART_FAMILIES_TRANSVERSEMERCATORFACTORS_H

#include <cmath>

namespace kvcart {

inline double TransverseMercatorConvergence(double phi, double dl, double e2) {
  double s = std::sin(phi), c = std::cos(phi), t = std::tan(phi);
  double eta2 = e2 / (1.0 - e2) * c * c;
  double a2 = dl * dl * c * c;
  return dl * s *
         (1.0 + a2 * (1.0 + eta2 * (3.0 + 2.0 * eta2)) / 3.0 + a2 * a2 * (2.0 - t * t) / 15.0);
}

// Point scale relative to k0, exact for the Krueger series of the mapping
// itself (Karney, J. Geodesy 85 (2011), eqs. 13 and 28): the scale of the
// conformal sphere's transverse Mercator times the modulus of the series'
// derivative. e: first eccentricity; alpha: the forward Krueger
// coefficients; radiusRatio: the rectifying radius over a.
inline double TransverseMercatorScale(double phi, double dl, double e, const double* alpha,
                                      double radiusRatio) {
  double s = std::sin(phi), tau = std::tan(phi);
  double tauPrime = std::sinh(std::asinh(tau) - e * std::atanh(e * s));
  double cosL = std::cos(dl);
  double xi = std::atan2(tauPrime, cosL);
  double eta = std::asinh(std::sin(dl) / std::hypot(tauPrime, cosL));
  double sphere =
      std::sqrt(1.0 - e * e * s * s) * std::hypot(1.0, tau) / std::hypot(tauPrime, cosL);
  double p = 1.0, q = 0.0;
  for (int j = 1; j <= 4; ++j) {
    p += 2.0 * j * alpha[j - 1] * std::cos(2.0 * j * xi) * std::cosh(2.0 * j * eta);
    q += 2.0 * j * alpha[j - 1] * std::sin(2.0 * j * xi) * std::sinh(2.0 * j * eta);
  }
  return sphere * radiusRatio * std::hypot(p, q);
}

}  // namespace kvcart

#endif
