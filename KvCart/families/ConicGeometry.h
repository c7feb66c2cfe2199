/* The plane geometry that every conic projection shares (Lambert, Albers,
 * equidistant conic; EPSG Guidance Note 7-2, Snyder chapters 14-16): a point
 * at radius rho from the apex and angle theta = n (lambda - lambda0) lies at
 *   E = FE + rho sin theta,  N = FN + rho0 - rho cos theta,
 * rho0 the radius of the latitude of origin; and back. For a cone with
 * n < 0 (apex south) the radii carry the sign of n. */
#ifndef KVCART_FAMILIES_CONICGEOMETRY_H
#define KVCART_FAMILIES_CONICGEOMETRY_H

#include <cmath>

namespace kvcart {

// The apex-centred polar coordinates of a grid point of a cone.
struct ConicPolar {
  double rho;    // with the sign of n
  double theta;  // n (lambda - lambda0), radians
};

// Grid coordinates of a point at (rho, theta).
inline void ConicToGrid(double rho, double theta, double rho0, double falseEasting,
                        double falseNorthing, double* x, double* y) {
  *x = falseEasting + rho * std::sin(theta);
  *y = falseNorthing + rho0 - rho * std::cos(theta);
}

// (rho, theta) of a grid point: with n < 0 both differences are negated
// first, so atan2 stays in the right quadrant and rho keeps the sign of n.
inline ConicPolar GridToConic(double x, double y, double rho0, double n, double falseEasting,
                              double falseNorthing) {
  double dx = x - falseEasting;
  double dy = rho0 - (y - falseNorthing);
  if (n < 0.0) {
    dx = -dx;
    dy = -dy;
  }
  return {std::copysign(std::hypot(dx, dy), n), std::atan2(dx, dy)};
}

}  // namespace kvcart

#endif
