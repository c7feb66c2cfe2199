/* The geometry every azimuthal projection shares: a point's angular
 * distance c from the origin on a sphere and its direction, and back.
 *
 * An azimuthal projection on a sphere places a point at plane distance
 * rho(c) from the origin in the direction of the great circle to it; the
 * families differ only in rho(c): stereographic 2 R k0 tan(c/2), Lambert
 * equal area 2 R sin(c/2), gnomonic R tan c (Snyder, "Map Projections - A
 * Working Manual", 1987, eqs. 5-3, 5-4, 21-2..21-4, 24-2, 22-2..22-5). The
 * ellipsoidal forms first map the latitude to a sphere (conformal or
 * authalic) and then use the same geometry.
 *
 * Forward gives cos c and the plane direction scaled by sin c:
 *   east  = cos(phi) sin(dLambda)
 *   north = cos(phi0) sin(phi) - sin(phi0) cos(phi) cos(dLambda)
 * so a projection multiplies both by rho(c) / sin(c). Inverse takes the plane
 * direction (x, y) and c and returns latitude and longitude difference with
 * atan2 throughout, so it keeps full precision next to the poles and on the
 * far side of the origin. Angles in radians. Immutable: safe from any thread.
 *
 * Usage:
 *   kvcart::AzimuthalGeometry g(lat0, kvcart::AspectOfLatitude(lat0Deg));
 *   double cosC, east, north; g.Forward(phi, dLambda, &cosC, &east, &north); */
#ifndef KVCART_FAMILIES_AZIMUTHALGEOMETRY_H
#define KVCART_FAMILIES_AZIMUTHALGEOMETRY_H

#include <algorithm>
#include <cmath>

#include "KvCart/core/AngleMath.h"

namespace kvcart {

// The aspect of an azimuthal projection, by its latitude of origin.
enum EAzimuthalAspect { eObliqueAspect = 1, eNorthPolarAspect = 2, eSouthPolarAspect = 3 };

// North (south) polar when the latitude of origin equals 90 (-90) by the
// relative test of the library; oblique (the equatorial aspect included) otherwise.
inline EAzimuthalAspect AspectOfLatitude(double lat0Degrees) {
  if (IsRelEqual(lat0Degrees, 90.0)) return eNorthPolarAspect;
  if (IsRelEqual(lat0Degrees, -90.0)) return eSouthPolarAspect;
  return eObliqueAspect;
}

class AzimuthalGeometry {
 public:
  AzimuthalGeometry() = default;
  // The polar aspects take sin and cos of the origin exactly (+-1, 0).
  AzimuthalGeometry(double lat0, EAzimuthalAspect aspect) {
    m_sinLat0 = aspect == eNorthPolarAspect   ? 1.0
                : aspect == eSouthPolarAspect ? -1.0
                                              : std::sin(lat0);
    m_cosLat0 = aspect == eObliqueAspect ? std::cos(lat0) : 0.0;
  }

  void Forward(double phi, double dLambda, double* cosC, double* east, double* north) const {
    ForwardSinCos(std::sin(phi), std::cos(phi), dLambda, cosC, east, north);
  }
  // The same from the sine and cosine of the latitude.
  void ForwardSinCos(double sinPhi, double cosPhi, double dLambda, double* cosC, double* east,
                     double* north) const {
    double sinL = std::sin(dLambda), cosL = std::cos(dLambda);
    *cosC = m_sinLat0 * sinPhi + m_cosLat0 * cosPhi * cosL;
    *east = cosPhi * sinL;
    *north = m_cosLat0 * sinPhi - m_sinLat0 * cosPhi * cosL;
  }

  // The point at angular distance c (given as its sine and cosine) from the
  // origin in the plane direction (x, y); the origin itself when x = y = 0.
  void Inverse(double x, double y, double sinC, double cosC, double* phi, double* dLambda) const {
    double rho = std::hypot(x, y);
    double sinAz = rho > 0.0 ? x / rho : 0.0;
    double cosAz = rho > 0.0 ? y / rho : 0.0;
    double sinPhi = m_sinLat0 * cosC + m_cosLat0 * sinC * cosAz;
    double east = sinC * sinAz;                                  // cos(phi) sin(dLambda)
    double north = m_cosLat0 * cosC - m_sinLat0 * sinC * cosAz;  // cos(phi) cos(dLambda)
    *phi = std::atan2(sinPhi, std::hypot(east, north));
    *dLambda = std::atan2(east, north);
  }

  // The stereographic inverse on the unit sphere: the point whose plane
  // offset from the origin is (u, v) in units of the diameter (2 R k0), so
  // that tan(c/2) = hypot(u, v). With t2 = u^2 + v^2, cos c = (1 - t2) /
  // (1 + t2) and sin c times the direction is 2 (u, v) / (1 + t2); the
  // common factor 1 / (1 + t2) cancels from both ratios below, so neither c
  // nor its sine and cosine are ever formed. Gives tan(phi) (infinite at a
  // pole) and the longitude difference.
  void InverseStereographic(double u, double v, double* tanPhi, double* dLambda) const {
    double oneMinusT2 = 1.0 - (u * u + v * v);
    double sinPhi = m_sinLat0 * oneMinusT2 + 2.0 * m_cosLat0 * v;
    double east = 2.0 * u;
    double north = m_cosLat0 * oneMinusT2 - 2.0 * m_sinLat0 * v;
    *tanPhi = sinPhi / std::sqrt(east * east + north * north);
    *dLambda = std::atan2(east, north);
  }

 private:
  double m_sinLat0 = 0.0;
  double m_cosLat0 = 1.0;
};

// Default extent of an azimuthal projection `p` (anything with
// Geo2Proj(lon, lat, &x, &y)): for the oblique aspect the projections of
// (lon0 - 3, lat0 - 3) and (lon0 + 3, lat0 + 3) degrees (latitudes held
// within +-90); for the polar aspects the projected origin +-200 km, since a
// box of meridians around a pole degenerates.
template <class Projection>
void AzimuthalDefaultArea(const Projection& p, EAzimuthalAspect aspect, double lon0Deg,
                          double lat0Deg, double* x0, double* y0, double* x1, double* y1) {
  constexpr double kHalfSizeDegrees = 3.0;
  constexpr double kPolarHalfSizeMetres = 200000.0;
  if (aspect == eObliqueAspect) {
    p.Geo2Proj(lon0Deg - kHalfSizeDegrees, std::max(lat0Deg - kHalfSizeDegrees, -90.0), x0, y0);
    p.Geo2Proj(lon0Deg + kHalfSizeDegrees, std::min(lat0Deg + kHalfSizeDegrees, 90.0), x1, y1);
    return;
  }
  double x, y;
  p.Geo2Proj(lon0Deg, lat0Deg, &x, &y);
  *x0 = x - kPolarHalfSizeMetres;
  *y0 = y - kPolarHalfSizeMetres;
  *x1 = x + kPolarHalfSizeMetres;
  *y1 = y + kPolarHalfSizeMetres;
}

}  // namespace kvcart

#endif
