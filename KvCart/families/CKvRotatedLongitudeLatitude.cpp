#include "KvCart/families/CKvRotatedLongitudeLatitude.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "KvCart/core/AngleMath.h"
#include "KvCart/core/CMatrix.h"
#include "KvCart/families/CKvRotatedLongitudeLatitudeProjection.h"

namespace {

// A 3 x 3 matrix into rows (CMatrix element (j, k) is column j, row k).
void CopyRows(const CMatrix& m, double rows[3][3]) {
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) rows[row][col] = m(col, row);
  }
}

// Rotates the unit vector of (lon, lat) degrees by a row-major matrix and
// returns the longitude and latitude of the result in degrees. A latitude
// beyond a pole is no point: NaN.
void Rotate(const double m[3][3], double lon, double lat, double* lonOut, double* latOut) {
  if (!(std::fabs(lat) <= 90.0)) {
    *lonOut = *latOut = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  double phi = lat * kvcart::kDegToRad, lambda = lon * kvcart::kDegToRad;
  const double v[3] = {std::cos(phi) * std::cos(lambda), std::cos(phi) * std::sin(lambda),
                       std::sin(phi)};
  double w[3];
  for (int row = 0; row < 3; ++row) {
    w[row] = m[row][0] * v[0] + m[row][1] * v[1] + m[row][2] * v[2];
  }
  *lonOut = std::atan2(w[1], w[0]) * kvcart::kRadToDeg;
  *latOut = std::atan2(w[2], std::hypot(w[0], w[1])) * kvcart::kRadToDeg;
}

}  // namespace

CKvRotatedLongitudeLatitude::CKvRotatedLongitudeLatitude(
    const CKvRotatedLongitudeLatitudeProjection* record)
    : CKvProjectionFrame(*record) {
  Initialise(record->GetSouthPoleLongitude(), record->GetSouthPoleLatitude(),
             record->GetRotationAngle());
}

CKvRotatedLongitudeLatitude::CKvRotatedLongitudeLatitude(const std::string& name,
                                                         double southPoleLon, double southPoleLat,
                                                         double rotationAngle,
                                                         const CKvEllipsoid& ellipsoid)
    : CKvProjectionFrame(name, ellipsoid) {
  Initialise(southPoleLon, southPoleLat, rotationAngle);
}

CKvRotatedLongitudeLatitude::~CKvRotatedLongitudeLatitude() = default;

void CKvRotatedLongitudeLatitude::Initialise(double southPoleLon, double southPoleLat,
                                             double rotationAngle) {
  m_southPoleLon = southPoleLon;
  m_southPoleLat = southPoleLat;
  m_rotation = rotationAngle;
  // The origin lies 90 degrees north of the rotated south pole. With the
  // south pole north of the equator that is beyond the north pole: the same
  // point seen from the other side of it, so that it is a latitude.
  if (southPoleLat > 0.0) {
    SetOrigin(kvcart::NormalizeLongitude(southPoleLon + 180.0), 90.0 - southPoleLat);
  } else {
    SetOrigin(southPoleLon, southPoleLat + 90.0);
  }
  CopyRows(
      CMatrix(90.0 + southPoleLat, CMatrix::eAboutY) * CMatrix(-southPoleLon, CMatrix::eAboutZ),
      m_forward);
  CopyRows(
      CMatrix(southPoleLon, CMatrix::eAboutZ) * CMatrix(-90.0 - southPoleLat, CMatrix::eAboutY),
      m_inverse);
}

void CKvRotatedLongitudeLatitude::Geo2Proj(double lon, double lat, double* x, double* y) const {
  double rotatedLon;
  Rotate(m_forward, lon, lat, &rotatedLon, y);
  *x = kvcart::NormalizeLongitude(rotatedLon - m_rotation);
}

void CKvRotatedLongitudeLatitude::Proj2Geo(double x, double y, double* lon, double* lat) const {
  double geoLon;
  Rotate(m_inverse, x + m_rotation, y, &geoLon, lat);
  *lon = kvcart::NormalizeLongitude(geoLon);
}

void CKvRotatedLongitudeLatitude::GetDefaultArea(double* x0, double* y0, double* x1,
                                                 double* y1) const {
  constexpr double kHalfSize = 3.0;
  const double lon0 = m_lon0Deg, lat0 = m_lat0Deg;
  auto clampLon = [](double v) { return std::clamp(v, -180.0, 180.0); };
  auto clampLat = [](double v) { return std::clamp(v, -90.0, 90.0); };
  Geo2Proj(clampLon(lon0 - kHalfSize), clampLat(lat0 - kHalfSize), x0, y0);
  Geo2Proj(clampLon(lon0 + kHalfSize), clampLat(lat0 + kHalfSize), x1, y1);
}

CKvProjection* CKvRotatedLongitudeLatitude::Clone() const {
  return new CKvRotatedLongitudeLatitude(*this);
}

void CKvRotatedLongitudeLatitude::TransferParameters(CKvPRJParser& parser) const {
  TransferThroughDefinition<CKvRotatedLongitudeLatitudeProjection>(parser);
}
