// The shared series coefficients, each row checked against the function it
// approximates (computed in closed form or by integration), so a wrong
// digit in any coefficient shows.
#include <gtest/gtest.h>

#include <cmath>

#include "KvCart/core/CKvMapProjData.h"
#include "KvCart/families/GaussianLatitude.h"

namespace {

using P = CKvMapProjData;
const double kE2 = 0.0066943799901413165;  // WGS 84
const double kE = std::sqrt(kE2);
const double kN = 0.0016792203863837047;  // f / (2 - f) for WGS 84

double SinSeries(const double* c, int terms, double x) {
  double sum = x;
  for (int j = 1; j <= terms; ++j) sum += c[j - 1] * std::sin(2.0 * j * x);
  return sum;
}

double Conformal(double phi) {
  double es = kE * std::sin(phi);
  return 2.0 * std::atan(std::tan(M_PI / 4 + phi / 2) * std::pow((1 - es) / (1 + es), kE / 2)) -
         M_PI / 2;
}

double AuthalicQ(double phi) {
  double s = std::sin(phi);
  return (1 - kE2) * (s / (1 - kE2 * s * s) - std::log((1 - kE * s) / (1 + kE * s)) / (2 * kE));
}

// Meridian arc over a by Simpson's rule on 1 - e^2 / (1 - e^2 sin^2)^1.5.
double MeridianArc(double phi) {
  const int steps = 20000;
  double h = phi / steps, sum = 0;
  for (int i = 0; i <= steps; ++i) {
    double s = std::sin(i * h);
    double f = (1 - kE2) / std::pow(1 - kE2 * s * s, 1.5);
    sum += f * (i == 0 || i == steps ? 1 : (i % 2 ? 4 : 2));
  }
  return sum * h / 3;
}

}  // namespace

TEST(FourierCoefficients, KruegerSeriesForwardAndInverseAreMutualInverses) {
  double alpha[4], beta[4];
  P::ComputeFourierCoefficients(P::eTransverseMercator, true, kN, alpha);
  P::ComputeFourierCoefficients(P::eTransverseMercator, false, kN, beta);
  EXPECT_NEAR(alpha[0], 8.377318206244698e-4, 1e-14);  // Karney 2011, to sixth order
  for (double xi = -1.5; xi <= 1.5; xi += 0.25) {
    for (double eta = -0.5; eta <= 0.5; eta += 0.125) {
      double x = xi, y = eta;
      double fx = x, fy = y;
      for (int j = 1; j <= 4; ++j) {
        fx += alpha[j - 1] * std::sin(2 * j * x) * std::cosh(2 * j * y);
        fy += alpha[j - 1] * std::cos(2 * j * x) * std::sinh(2 * j * y);
      }
      double bx = fx, by = fy;
      for (int j = 1; j <= 4; ++j) {
        bx -= beta[j - 1] * std::sin(2 * j * fx) * std::cosh(2 * j * fy);
        by -= beta[j - 1] * std::cos(2 * j * fx) * std::sinh(2 * j * fy);
      }
      EXPECT_NEAR(bx, xi, 1e-12);
      EXPECT_NEAR(by, eta, 1e-12);
    }
  }
}

TEST(FourierCoefficients, ConformalAndAuthalicLatitudesBackToGeodetic) {
  double conformal[4], authalic[4];
  P::ComputeFourierCoefficients(P::eStereographic, false, kE2, conformal);
  P::ComputeFourierCoefficients(P::eAlbersEqualArea, false, kE2, authalic);
  double qp = AuthalicQ(M_PI / 2);
  for (double deg = -89.0; deg <= 89.0; deg += 4.0) {
    double phi = deg * M_PI / 180;
    EXPECT_NEAR(SinSeries(conformal, 4, Conformal(phi)), phi, 1e-11) << deg;
    EXPECT_NEAR(SinSeries(authalic, 3, std::asin(AuthalicQ(phi) / qp)), phi, 5e-9) << deg;
  }
  for (P::EProjectionType t :
       {P::eHotineObliqueMercator, P::eObliqueMercator, P::eRectifiedSkewOrthomorphic,
        P::eMercator2SP, P::eMercator1SP, P::eStereographicNorthPole, P::eStereographicSouthPole}) {
    double c[4];
    P::ComputeFourierCoefficients(t, false, kE2, c);
    EXPECT_EQ(c[3], conformal[3]) << t;
  }
  double lambert[4];
  P::ComputeFourierCoefficients(P::eLambertAzimuthalEqualArea, false, kE2, lambert);
  EXPECT_EQ(lambert[2], authalic[2]);
}

TEST(FourierCoefficients, MeridianArcAndFootpointLatitude) {
  double arc[4], foot[4];
  P::ComputeFourierCoefficients(P::eCassiniSoldner, true, kE2, arc);
  P::ComputeFourierCoefficients(P::eEquidistantConic, false, kE2, foot);
  for (double deg = -88.0; deg <= 88.0; deg += 8.0) {
    double phi = deg * M_PI / 180;
    double m = arc[0] * phi - arc[1] * std::sin(2 * phi) + arc[2] * std::sin(4 * phi) -
               arc[3] * std::sin(6 * phi);
    EXPECT_NEAR(m * 6378137.0, MeridianArc(phi) * 6378137.0, 1e-3) << deg;
    double mu = m / arc[0];
    double back = mu;
    for (int j = 1; j <= 4; ++j) back += foot[j - 1] * std::sin(2 * j * mu);
    EXPECT_NEAR(back, phi, 2e-10) << deg;  // the e^8 terms the arc series omits
  }
}

TEST(FourierCoefficients, OtherTypesAndDirectionsLeaveTheArrayAlone) {
  for (int t : {0, 2, 3, 5, 9, 14, 15, 20, 21, 22, 99}) {
    for (bool forward : {true, false}) {
      double c[4] = {7, 7, 7, 7};
      P::ComputeFourierCoefficients(static_cast<P::EProjectionType>(t), forward, 0.1, c);
      EXPECT_EQ(c[0], 7) << t;
      EXPECT_EQ(c[3], 7) << t;
    }
  }
  double c[4] = {7, 7, 7, 7};
  P::ComputeFourierCoefficients(P::eStereographic, true, 0.1, c);
  P::ComputeFourierCoefficients(P::eAlbersEqualArea, true, 0.1, c);
  EXPECT_EQ(c[0], 7);
  P::ComputeFourierCoefficients(P::eAlbersEqualArea, false, 0.1, c);
  EXPECT_EQ(c[3], 7);  // the authalic row has three terms
}

// The sixth-order conformal latitude series of the transverse Mercator
// against the closed form, to its rounding, on WGS 84 and on a flatter
// ellipsoid (a wrong fifth-order term would cost 1e-14 on WGS 84).
TEST(FourierCoefficients, ConformalLatitudeSeriesToSixthOrder) {
  for (double invF : {298.257223563, 150.0}) {
    double f = 1.0 / invF, n = f / (2.0 - f), e = std::sqrt(f * (2.0 - f));
    double toGauss[kvcart::kGaussTerms], toGeodetic[kvcart::kGaussTerms];
    kvcart::GeodeticToGaussianCoefficients(n, toGauss);
    kvcart::GaussianToGeodeticCoefficients(n, toGeodetic);
    for (double deg = -89.5; deg <= 89.5; deg += 3.5) {
      double phi = deg * M_PI / 180;
      double chi =
          std::atan(std::sinh(std::asinh(std::tan(phi)) - e * std::atanh(e * std::sin(phi))));
      EXPECT_NEAR(kvcart::ClenshawSin(toGauss, phi), chi, 1.5e-15) << invF << " " << deg;
      EXPECT_NEAR(kvcart::ClenshawSin(toGeodetic, chi), phi, 1.5e-15) << invF << " " << deg;
    }
  }
}
