/* Angle helpers shared by every projection family and the geodesics.
 *
 * Longitude differences are reduced into [-180, 180) degrees before any
 * formula sees them: the series of the projections are valid near their
 * central meridian only, and an unreduced difference of 359 degrees puts a
 * point on the far side of the earth. The reduction uses remainder(), which
 * is exact for every finite input (no accumulated error from repeated
 * additions of 2 pi), so a longitude of 9 + 360k maps to exactly the same
 * grid point as 9.
 *
 * "Equal" for angles tested against fixed values (+-90 degrees) means
 * identical or within a relative 1e-12, the tolerance of the whole library. */
#ifndef KVCART_CORE_ANGLEMATH_H
#define KVCART_CORE_ANGLEMATH_H

#include <algorithm>
#include <cmath>

namespace kvcart {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegToRad = 0.017453292519943295;
constexpr double kRadToDeg = 57.29577951308232;
// The relative tolerance of "equal" values and the stop test of iterations.
constexpr double kRelTolerance = 1e-12;
constexpr int kMaxIterations = 100;

// Degrees into [-180, 180); NaN and infinities give NaN.
inline double NormalizeLongitude(double degrees) {
  if (degrees >= -180.0 && degrees < 180.0) return degrees;  // the common case, exact
  double r = std::remainder(degrees, 360.0);                 // [-180, 180]
  return r >= 180.0 ? r - 360.0 : r;
}

// Identical, or |p - q| / max(|p|, |q|) <= 1e-12.
inline bool IsRelEqual(double p, double q) {
  if (p == q) return true;
  return std::fabs(p - q) / std::max(std::fabs(p), std::fabs(q)) <= kRelTolerance;
}

}  // namespace kvcart

#endif
