// CKvMapProjData::ComputeFourierCoefficients: the trigonometric series that
// several families share, each truncated at the fourth order.
#include "KvCart/core/CKvMapProjData.h"

#include <cmath>

namespace {

// Krueger's series in the third flattening n (EPSG Guidance Note 7-2,
// method 9807 "JHS" formulas): h1..h4 map the conformal sphere to the
// transverse Mercator plane.
void KruegerForward(double n, double* c) {
  c[0] = n * (1.0 / 2.0 + n * (-2.0 / 3.0 + n * (5.0 / 16.0 + 41.0 / 180.0 * n)));
  c[1] = n * n * (13.0 / 48.0 + n * (-3.0 / 5.0 + 557.0 / 1440.0 * n));
  c[2] = n * n * n * (61.0 / 240.0 - 103.0 / 140.0 * n);
  c[3] = 49561.0 / 161280.0 * n * n * n * n;
}

// The reverse series h1'..h4' of the same guidance note.
void KruegerInverse(double n, double* c) {
  c[0] = n * (1.0 / 2.0 + n * (-2.0 / 3.0 + n * (37.0 / 96.0 - 1.0 / 360.0 * n)));
  c[1] = n * n * (1.0 / 48.0 + n * (1.0 / 15.0 - 437.0 / 1440.0 * n));
  c[2] = n * n * n * (17.0 / 480.0 - 37.0 / 840.0 * n);
  c[3] = 4397.0 / 161280.0 * n * n * n * n;
}

// Conformal latitude to geodetic latitude (Snyder 3-5).
void ConformalToGeodetic(double e2, double* c) {
  c[0] = e2 * (1.0 / 2.0 + e2 * (5.0 / 24.0 + e2 * (1.0 / 12.0 + 13.0 / 360.0 * e2)));
  c[1] = e2 * e2 * (7.0 / 48.0 + e2 * (29.0 / 240.0 + 811.0 / 11520.0 * e2));
  c[2] = e2 * e2 * e2 * (7.0 / 120.0 + 81.0 / 1120.0 * e2);
  c[3] = 4279.0 / 161280.0 * e2 * e2 * e2 * e2;
}

// Authalic latitude to geodetic latitude (Snyder 3-18); three terms.
void AuthalicToGeodetic(double e2, double* c) {
  c[0] = e2 * (1.0 / 3.0 + e2 * (31.0 / 180.0 + 517.0 / 5040.0 * e2));
  c[1] = e2 * e2 * (23.0 / 360.0 + 251.0 / 3780.0 * e2);
  c[2] = 761.0 / 45360.0 * e2 * e2 * e2;
}

// Meridian arc M / a = c0 phi - c1 sin 2phi + c2 sin 4phi - c3 sin 6phi (Snyder 3-21).
void MeridianArc(double e2, double* c) {
  c[0] = 1.0 - e2 / 4.0 - 3.0 * e2 * e2 / 64.0 - 5.0 * e2 * e2 * e2 / 256.0;
  c[1] = e2 * (3.0 / 8.0 + 3.0 / 32.0 * e2 + 45.0 / 1024.0 * e2 * e2);
  c[2] = e2 * e2 * (15.0 / 256.0 + 45.0 / 1024.0 * e2);
  c[3] = 35.0 / 3072.0 * e2 * e2 * e2;
}

// Footpoint latitude from the rectifying latitude, in e1 (Snyder 3-26).
void Footpoint(double e2, double* c) {
  double root = std::sqrt(1.0 - e2);
  double e1 = (1.0 - root) / (1.0 + root);
  c[0] = e1 * (3.0 / 2.0 - 27.0 / 32.0 * e1 * e1);
  c[1] = e1 * e1 * (21.0 / 16.0 - 55.0 / 32.0 * e1 * e1);
  c[2] = 151.0 / 96.0 * e1 * e1 * e1;
  c[3] = 1097.0 / 512.0 * e1 * e1 * e1 * e1;
}

}  // namespace

void CKvMapProjData::ComputeFourierCoefficients(EProjectionType type, bool forward, double x,
                                                double* c) {
  switch (type) {
    case eTransverseMercator: forward ? KruegerForward(x, c) : KruegerInverse(x, c); return;
    case eStereographic:
    case eHotineObliqueMercator:
    case eObliqueMercator:
    case eRectifiedSkewOrthomorphic:
    case eMercator2SP:
    case eMercator1SP:
    case eStereographicNorthPole:
    case eStereographicSouthPole:
      if (!forward) ConformalToGeodetic(x, c);
      return;
    case eAlbersEqualArea:
    case eLambertAzimuthalEqualArea:
      if (!forward) AuthalicToGeodetic(x, c);
      return;
    case eCassiniSoldner:
    case eEquidistantConic: forward ? MeridianArc(x, c) : Footpoint(x, c); return;
    default: return;
  }
}
