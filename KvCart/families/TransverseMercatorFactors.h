/* Grid convergence and point scale of the transverse Mercator projection,
 * exact for the Krueger series of the mapping itself (C. F. F. Karney,
 * "Transverse Mercator with an accuracy of a few nanometers", J. Geodesy 85
 * (2011), eqs. 10-13 and 27-28): the factors of the Gauss-Schreiber mapping
 * of the conformal sphere, corrected by the derivative of the series.
 * Shared by both transverse Mercator classes.
 *
 * Arguments: latitude phi and reduced longitude difference dl in radians, e
 * the first eccentricity, alpha the four forward Krueger coefficients.
 * Results: convergence in radians (the angle from grid north to true north,
 * positive east of the central meridian in the northern hemisphere), in
 * (-pi, pi], and the scale relative to k0. Both hold wherever the mapping
 * does, on the far side of the earth too. (The closed series in dl of
 * Snyder 8-15 is 1e-6 degrees off at 6 degrees from the central meridian,
 * 3 arc-seconds at 20 and meaningless beyond a quarter turn; the scale
 * series of Snyder 8-11 is 4.7e-9 off at 6 degrees.) */
#ifndef KVCART_FAMILIES_TRANSVERSEMERCATORFACTORS_H
#define KVCART_FAMILIES_TRANSVERSEMERCATORFACTORS_H

#include <cmath>

#include "KvCart/core/AngleMath.h"

namespace kvcart {

// The point on the conformal sphere's transverse Mercator and the
// derivative p - i q of the Krueger series there.
struct KruegerPoint {
  double tauPrime;  // tan of the conformal latitude
  double sinL, cosL;
  double p, q;
};

inline KruegerPoint KruegerPointAt(double phi, double dl, double e, const double* alpha) {
  KruegerPoint k;
  k.tauPrime = std::sinh(std::asinh(std::tan(phi)) - e * std::atanh(e * std::sin(phi)));
  k.sinL = std::sin(dl);
  k.cosL = std::cos(dl);
  double xi = std::atan2(k.tauPrime, k.cosL);
  double eta = std::asinh(k.sinL / std::hypot(k.tauPrime, k.cosL));
  k.p = 1.0;
  k.q = 0.0;
  for (int j = 1; j <= 4; ++j) {
    k.p += 2.0 * j * alpha[j - 1] * std::cos(2.0 * j * xi) * std::cosh(2.0 * j * eta);
    k.q += 2.0 * j * alpha[j - 1] * std::sin(2.0 * j * xi) * std::sinh(2.0 * j * eta);
  }
  return k;
}

// Gauss-Schreiber's atan(tan dl sin chi), on the right side of the pole
// beyond a quarter turn, plus the turn of the series' derivative.
inline double TransverseMercatorConvergence(double phi, double dl, double e, const double* alpha) {
  KruegerPoint k = KruegerPointAt(phi, dl, e, alpha);
  double sphere = std::atan2(k.sinL * k.tauPrime, k.cosL * std::hypot(1.0, k.tauPrime));
  return std::remainder(sphere + std::atan2(k.q, k.p), 2.0 * kPi);
}

// radiusRatio: the rectifying radius over a.
inline double TransverseMercatorScale(double phi, double dl, double e, const double* alpha,
                                      double radiusRatio) {
  KruegerPoint k = KruegerPointAt(phi, dl, e, alpha);
  double s = std::sin(phi);
  double sphere = std::sqrt(1.0 - e * e * s * s) * std::hypot(1.0, std::tan(phi)) /
                  std::hypot(k.tauPrime, k.cosL);
  return sphere * radiusRatio * std::hypot(k.p, k.q);
}

}  // namespace kvcart

#endif
