// Polar stereographic about one pole (EPSG Guidance Note 7-2, methods 9810
// and 9829; the inverse as in section 3.3.1 of that note, but with the
// sixth-order series in the third flattening for the geodetic latitude:
// the note's fourth-order series in e^2 leaves 1e-11 degrees on the earth
// and milli-degrees on a custom ellipsoid of 1/f = 10).
#include "KvCart/families/PolarStereographicKernel.h"

#include <cmath>
#include <limits>

#include "KvCart/core/AngleMath.h"
#include "KvCart/families/ConformalLatitude.h"
#include "KvCart/families/LatitudeFunctions.h"

namespace kvcart {

PolarStereographicKernel::PolarStereographicKernel(double sign, double e, double e2, double radius)
    : m_sign(sign),
      m_e(e),
      m_radius(radius > 0.0 && std::isfinite(radius) ? radius
                                                     : std::numeric_limits<double>::quiet_NaN()),
      // f = 1 - sqrt(1 - e^2), written without the cancellation.
      m_toGeodetic(e, e2 / (1.0 + std::sqrt(1.0 - e2))) {}

double PolarStereographicKernel::ScaleAtPoleRadius(double a, double e, double k0) {
  return 2.0 * a * k0 / std::sqrt(std::pow(1.0 + e, 1.0 + e) * std::pow(1.0 - e, 1.0 - e));
}

double PolarStereographicKernel::TrueScaleRadius(double sign, double a, double e, double e2,
                                                 double phiF) {
  if (IsRelEqual(sign * phiF, kPi / 2.0)) return ScaleAtPoleRadius(a, e, 1.0);
  return a * ParallelRadius(phiF, e2) / PolarT(sign, e, phiF);
}

// The south pole's t is the north form of the negated latitude. The
// opposite pole lies at infinity (tan of the rounded pi/2 would put it at a
// finite 1e23 m instead).
double PolarStereographicKernel::PolarT(double sign, double e, double phi) {
  if (sign * phi <= -kPi / 2.0) return std::numeric_limits<double>::infinity();
  return ConformalT(sign * phi, e);
}

void PolarStereographicKernel::Forward(double phi, double dLambda, double* x, double* y) const {
  double rho = m_radius * PolarT(m_sign, m_e, phi);
  *x = rho * std::sin(dLambda);
  *y = -m_sign * rho * std::cos(dLambda);
}

void PolarStereographicKernel::Inverse(double x, double y, double* phi, double* dLambda) const {
  double t = std::hypot(x, y) / m_radius;
  double chi = m_sign * (kPi / 2.0 - 2.0 * std::atan(t));
  *phi = m_toGeodetic.LatitudeOfChi(chi);
  // The pole itself lies on the central meridian (atan2 of two zeros may
  // give pi); a NaN distance (a NaN coordinate, no projection) gives NaN.
  if (t > 0.0) {
    *dLambda = std::atan2(x, -m_sign * y);
  } else {
    *dLambda = t == 0.0 ? 0.0 : std::numeric_limits<double>::quiet_NaN();
  }
}

}  // namespace kvcart
