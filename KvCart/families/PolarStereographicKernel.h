/* The polar stereographic projection of the ellipsoid about one pole,
 * shared by every class that projects about a pole: the polar aspects of
 * CKvStereographic (scale at the pole, EPSG Guidance Note 7-2 method 9810,
 * variant A) and the north and south pole classes (latitude of true scale,
 * method 9829, variant B).
 *
 * Both variants put a point at rho = K t from the pole, where
 *   t = tan(pi/4 - s phi/2) / ((1 - e s sin phi)/(1 + e s sin phi))^(e/2)
 * (s = +1 about the north pole, -1 about the south pole: the south pole's
 * own form, which is the north form of the negated latitude), and differ
 * only in K:
 *   variant A: K = 2 a k0 / sqrt((1 + e)^(1 + e) (1 - e)^(1 - e))
 *   variant B: K = a m_F / t_F, m_F = cos phi_F / sqrt(1 - e^2 sin^2 phi_F).
 * Plane offsets from the pole: x = rho sin(dLambda), y = -s rho cos(dLambda).
 * Inverse: t = rho / K, chi = s (pi/2 - 2 atan t), phi from chi by the
 * sixth-order series in the third flattening (no iteration, exact in double
 * precision on the earth's ellipsoids; Newton's method on a custom
 * ellipsoid flatter than 1/f = 125, see ConformalToGeodetic), and
 * dLambda = atan2(x, -s y), which is atan2(E - FE, FN - N) about the north
 * pole and atan2(E - FE, N - FN) about the south pole.
 *
 * Angles in radians, lengths in metres. Immutable: safe from any thread.
 *
 * Usage:
 *   kvcart::PolarStereographicKernel ups(+1.0, e, e2, kvcart::PolarStereographicKernel::
 *                                        ScaleAtPoleRadius(a, e, 0.994));
 *   double x, y; ups.Forward(phi, dLambda, &x, &y); */
#ifndef KVCART_FAMILIES_POLARSTEREOGRAPHICKERNEL_H
#define KVCART_FAMILIES_POLARSTEREOGRAPHICKERNEL_H

#include "KvCart/families/ConformalLatitude.h"

namespace kvcart {

class PolarStereographicKernel {
 public:
  PolarStereographicKernel() = default;
  // sign +1 about the north pole, -1 about the south pole; radius K. A
  // radius that is not positive and finite (scale 0, a parallel of true
  // scale at the opposite pole) defines no projection: NaN for every point.
  PolarStereographicKernel(double sign, double e, double e2, double radius);

  // K of variant A from the scale factor at the pole.
  static double ScaleAtPoleRadius(double a, double e, double k0);
  // K of variant B from the latitude of true scale phiF (radians); a
  // parallel of true scale at the pole itself is variant A with k0 = 1.
  static double TrueScaleRadius(double sign, double a, double e, double e2, double phiF);
  // t of the latitude phi about the pole `sign` (kvcart::ConformalT of s phi).
  static double PolarT(double sign, double e, double phi);

  void Forward(double phi, double dLambda, double* x, double* y) const;
  void Inverse(double x, double y, double* phi, double* dLambda) const;

 private:
  double m_sign = 1.0;
  double m_e = 0.0;
  double m_radius = 0.0;
  ConformalToGeodetic m_toGeodetic;
};

}  // namespace kvcart

#endif
