/* Conversions between the geodetic latitude and the Gaussian (conformal)
 * latitude of an ellipsoid by trigonometric series in the third flattening n,
 * truncated at n^4 (Engsager & Poder, "A highly accurate world wide
 * algorithm for the transverse Mercator mapping (almost)", 2007): latitude
 * plus sum c_j sin(2 j latitude), summed by Clenshaw's recurrence.
 * Truncation error below 1e-13 radians for the Earth's ellipsoids. Shared by
 * both transverse Mercator classes; radians throughout. */
#ifndef KVCART_FAMILIES_GAUSSIANLATITUDE_H
#define KVCART_FAMILIES_GAUSSIANLATITUDE_H

#include <cmath>

namespace kvcart {

// Coefficients of geodetic -> Gaussian latitude.
inline void GeodeticToGaussianCoefficients(double n, double* c) {
  double n2 = n * n;
  c[0] = n * (-2.0 + n * (2.0 / 3.0 + n * (4.0 / 3.0 - 82.0 / 45.0 * n)));
  c[1] = n2 * (5.0 / 3.0 + n * (-16.0 / 15.0 - 13.0 / 9.0 * n));
  c[2] = n2 * n * (-26.0 / 15.0 + 34.0 / 21.0 * n);
  c[3] = 1237.0 / 630.0 * n2 * n2;
}

// Coefficients of Gaussian -> geodetic latitude.
inline void GaussianToGeodeticCoefficients(double n, double* c) {
  double n2 = n * n;
  c[0] = n * (2.0 + n * (-2.0 / 3.0 + n * (-2.0 + 116.0 / 45.0 * n)));
  c[1] = n2 * (7.0 / 3.0 + n * (-8.0 / 5.0 - 227.0 / 45.0 * n));
  c[2] = n2 * n * (56.0 / 15.0 - 136.0 / 35.0 * n);
  c[3] = 4279.0 / 630.0 * n2 * n2;
}

// x + sum c_j sin(2 j x), j = 1..4, from sin(2x) and cos(2x).
inline double ClenshawSin4(const double* c, double x, double sin2x, double cos2x) {
  double twoCos = 2.0 * cos2x;
  double b1 = 0.0, b2 = 0.0;
  for (int j = 3; j >= 0; --j) {
    double b0 = c[j] + twoCos * b1 - b2;
    b2 = b1;
    b1 = b0;
  }
  return x + b1 * sin2x;
}

inline double ClenshawSin4(const double* c, double x) {
  return ClenshawSin4(c, x, std::sin(2.0 * x), std::cos(2.0 * x));
}

}  // namespace kvcart

#endif
