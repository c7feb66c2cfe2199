/* Functions of the latitude on the ellipsoid that several projection families
 * share: the radius of a parallel, the conformal function t of the conic and
 * polar projections, the authalic function q and the meridian arc. (The
 * isometric latitude and the latitude series are in ConformalLatitude.h.)
 *
 * Units: latitudes in radians; e the first eccentricity, e2 its square.
 * Every function is pure and inline: the families call them per point. */
#ifndef KVCART_FAMILIES_LATITUDEFUNCTIONS_H
#define KVCART_FAMILIES_LATITUDEFUNCTIONS_H

#include <algorithm>
#include <cmath>

#include "KvCart/core/AngleMath.h"

namespace kvcart {

// m = cos(phi) / sqrt(1 - e^2 sin^2(phi)): the radius of the parallel in
// units of a (EPSG Guidance Note 7-2, "m"; Snyder 14-15).
inline double ParallelRadius(double phi, double e2) {
  double s = std::sin(phi);
  return std::cos(phi) / std::sqrt(1.0 - e2 * s * s);
}

// t = tan(pi/4 - phi/2) / ((1 - e sin phi) / (1 + e sin phi))^(e/2), the
// conformal function of the Lambert and polar stereographic families
// (EPSG "t"; Snyder 15-9). Written with tan(pi/4 - phi/2) so that the north
// pole gives exactly 0; never negative (rounding next to the pole).
inline double ConformalT(double phi, double e) {
  double es = e * std::sin(phi);
  double t = std::tan(kPi / 4.0 - phi / 2.0) / std::pow((1.0 - es) / (1.0 + es), e / 2.0);
  return std::max(t, 0.0);
}

// q = (1 - e^2) (sin phi / (1 - e^2 sin^2 phi) - ln((1 - e sin phi) /
// (1 + e sin phi)) / (2e)) of the equal-area families (EPSG "alpha";
// Snyder 3-12). REQUIRES: e > 0 (the sphere has its own formulas).
inline double AuthalicQ(double phi, double e) {
  double s = std::sin(phi);
  double e2 = e * e;
  return (1.0 - e2) * (s / (1.0 - e2 * s * s) + std::atanh(e * s) / e);
}

// The geodetic latitude of an authalic function value q, refined from a
// starting latitude (the series of the authalic latitude) by Newton's method
// on AuthalicQ (Snyder 3-16): the third-order series alone is only good to
// about 1.5e-8 degrees on the earth's ellipsoids; one step brings it to
// rounding. Next to a pole dq/dphi vanishes, and a Newton step from there
// can leap past either pole: every step is kept inside a bracket of the
// root that the steps narrow (a step that would leave it halves it
// instead), so the result stays within the poles, and a q beyond the pole's
// value (rounding, or a grid point beyond the pole's circle) gives that
// pole. Stops when a step is below 1e-12 rad, after at most 100 steps.
// REQUIRES: e > 0.
inline double LatitudeOfAuthalicQ(double q, double e, double phi) {
  const double e2 = e * e;
  double south = -kPi / 2.0, north = kPi / 2.0;
  phi = std::clamp(phi, south, north);
  for (int i = 0; i < kMaxIterations; ++i) {
    double difference = q - AuthalicQ(phi, e);
    if (difference == 0.0) break;
    (difference > 0.0 ? south : north) = phi;
    double s = std::sin(phi), w = 1.0 - e2 * s * s;
    double next = phi + w * w / (2.0 * std::cos(phi) * (1.0 - e2)) * difference;
    if (!(next > south && next < north)) next = 0.5 * (south + north);
    double step = next - phi;
    phi = next;
    if (!(std::fabs(step) >= kRelTolerance)) break;  // NaN ends it too
  }
  return phi;
}

// The meridian arc from the equator in units of a: c[0] phi - c[1] sin 2phi +
// c[2] sin 4phi - c[3] sin 6phi (Snyder 3-21), c from the forward series of
// CKvMapProjData::ComputeFourierCoefficients for Cassini-Soldner or the
// equidistant conic.
inline double MeridianArc(double phi, const double* c) {
  return c[0] * phi - c[1] * std::sin(2.0 * phi) + c[2] * std::sin(4.0 * phi) -
         c[3] * std::sin(6.0 * phi);
}

}  // namespace kvcart

#endif
