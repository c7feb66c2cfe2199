/* Conversions between the geodetic latitude and the Gaussian (conformal)
 * latitude of an ellipsoid by trigonometric series in the third flattening n:
 * latitude + sum c_j sin(2 j latitude), summed by Clenshaw's recurrence.
 * Coefficients to n^6 (Engsager & Poder 2007 to n^4; Karney, "On auxiliary
 * latitudes", 2023, to n^6). At order 6 the truncation is ~20 n^7 radians
 * (1e-18 for WGS 84), so the two directions are exact inverses in double
 * precision; order 4 is the published Engsager & Poder form (1e-13).
 * Shared by both transverse Mercator classes and, through
 * ConformalToGeodetic (ConformalLatitude.h), by the inverses of the other
 * conformal families; radians throughout. */
#ifndef KVCART_FAMILIES_GAUSSIANLATITUDE_H
#define KVCART_FAMILIES_GAUSSIANLATITUDE_H

#include <cmath>

namespace kvcart {

constexpr int kGaussTerms = 6;

namespace detail {

// Row j: the coefficient of sin(2 (j + 1) x) as numerator / denominator
// pairs of n^1 .. n^6.
constexpr double kGeodeticToGauss[kGaussTerms][kGaussTerms][2] = {
    {{-2, 1}, {2, 3}, {4, 3}, {-82, 45}, {32, 45}, {4642, 4725}},
    {{0, 1}, {5, 3}, {-16, 15}, {-13, 9}, {904, 315}, {-1522, 945}},
    {{0, 1}, {0, 1}, {-26, 15}, {34, 21}, {8, 5}, {-12686, 2835}},
    {{0, 1}, {0, 1}, {0, 1}, {1237, 630}, {-12, 5}, {-24832, 14175}},
    {{0, 1}, {0, 1}, {0, 1}, {0, 1}, {-734, 315}, {109598, 31185}},
    {{0, 1}, {0, 1}, {0, 1}, {0, 1}, {0, 1}, {444337, 155925}}};

constexpr double kGaussToGeodetic[kGaussTerms][kGaussTerms][2] = {
    {{2, 1}, {-2, 3}, {-2, 1}, {116, 45}, {26, 45}, {-2854, 675}},
    {{0, 1}, {7, 3}, {-8, 5}, {-227, 45}, {2704, 315}, {2323, 945}},
    {{0, 1}, {0, 1}, {56, 15}, {-136, 35}, {-1262, 105}, {73814, 2835}},
    {{0, 1}, {0, 1}, {0, 1}, {4279, 630}, {-332, 35}, {-399572, 14175}},
    {{0, 1}, {0, 1}, {0, 1}, {0, 1}, {4174, 315}, {-144838, 6237}},
    {{0, 1}, {0, 1}, {0, 1}, {0, 1}, {0, 1}, {601676, 22275}}};

// c_j = sum over k < order of table[j][k] n^(k + 1).
inline void Evaluate(const double (&table)[kGaussTerms][kGaussTerms][2], double n, int order,
                     double* c) {
  for (int j = 0; j < kGaussTerms; ++j) {
    double sum = 0.0;
    for (int k = order - 1; k >= 0; --k) sum = (sum + table[j][k][0] / table[j][k][1]) * n;
    c[j] = sum;
  }
}

}  // namespace detail

// Coefficients c[0..5] of geodetic -> Gaussian latitude, truncated at n^order.
inline void GeodeticToGaussianCoefficients(double n, double* c, int order = kGaussTerms) {
  detail::Evaluate(detail::kGeodeticToGauss, n, order, c);
}

// Coefficients c[0..5] of Gaussian -> geodetic latitude, truncated at n^order.
inline void GaussianToGeodeticCoefficients(double n, double* c, int order = kGaussTerms) {
  detail::Evaluate(detail::kGaussToGeodetic, n, order, c);
}

// x + sum c_j sin(2 j x), j = 1..6, from sin(2x) and cos(2x).
inline double ClenshawSin(const double* c, double x, double sin2x, double cos2x) {
  double twoCos = 2.0 * cos2x;
  double b1 = 0.0, b2 = 0.0;
  for (int j = kGaussTerms - 1; j >= 0; --j) {
    double b0 = c[j] + twoCos * b1 - b2;
    b2 = b1;
    b1 = b0;
  }
  return x + b1 * sin2x;
}

inline double ClenshawSin(const double* c, double x) {
  return ClenshawSin(c, x, std::sin(2.0 * x), std::cos(2.0 * x));
}

}  // namespace kvcart

#endif
