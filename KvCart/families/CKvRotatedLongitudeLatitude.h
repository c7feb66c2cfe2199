/* CKvRotatedLongitudeLatitude: longitude/latitude on a rotated pole, the
 * grid of rotated-pole climate and ocean models (COSMO-CLM, HIRLAM, the
 * CORDEX domains; PROJ's "ob_tran" with o_proj=longlat).
 *
 * The rotation moves the south pole to (lambda_p, phi_p) and then turns the
 * rotated longitudes by the angle omega: with the unit vector v of a point
 * on the sphere (longitude and latitude taken as spherical angles, as the
 * models do), v' = M_f v with M_f = R2(90 + phi_p) R3(-lambda_p), where Rk(t)
 * turns by t degrees about axis k (right-hand rule, column vectors), and the
 * rotated longitude is that of v' minus omega. The inverse applies
 * M_i = R3(lambda_p) R2(-90 - phi_p), the transpose. The point
 * (lambda_p, phi_p + 90), which GetOrigin gives, becomes the rotated origin
 * (-omega, 0); with the south pole north of the equator GetOrigin gives
 * that point as (lambda_p + 180, 90 - phi_p), its latitude being beyond 90
 * otherwise. In PROJ's terms: +proj=ob_tran +o_proj=longlat
 * +o_lat_p=-phi_p +lon_0=lambda_p +o_lon_p=-omega.
 *
 * Parameters: longitude and latitude of the rotated south pole, angle of
 * rotation, all degrees; the ellipsoid is carried along (for the
 * well-known text and the anonymous ellipsoid) but does not enter the
 * rotation. "Projected" coordinates are degrees: rotated longitude in
 * [-180, 180) and rotated latitude; IsGeographical() is true.
 *
 * Valid range: everywhere (latitudes beyond +-90 give NaN); the rotated
 * poles map to rotated longitude -omega by convention. Accuracy: a rotation, exact to rounding (1e-14
 * degrees).
 *
 * Immutable after construction; conversions may run from several threads.
 *
 * Usage:
 *   CKvRotatedLongitudeLatitude eur("EUR-11", 18, -39.25, 0, sphere);
 *   double rlon, rlat; eur.Geo2Proj(10.0, 50.0, &rlon, &rlat); */
#ifndef KVCART_FAMILIES_CKVROTATEDLONGITUDELATITUDE_H
#define KVCART_FAMILIES_CKVROTATEDLONGITUDELATITUDE_H

#include <string>

#include "KvCart/families/CKvProjectionFrame.h"

class CKvRotatedLongitudeLatitudeProjection;

class KVCART_API CKvRotatedLongitudeLatitude : public CKvProjectionFrame {
 public:
  explicit CKvRotatedLongitudeLatitude(const CKvRotatedLongitudeLatitudeProjection* record);
  CKvRotatedLongitudeLatitude(const std::string& name, double southPoleLon, double southPoleLat,
                              double rotationAngle, const CKvEllipsoid& ellipsoid);
  CKvRotatedLongitudeLatitude(const CKvRotatedLongitudeLatitude&) = default;
  CKvRotatedLongitudeLatitude& operator=(const CKvRotatedLongitudeLatitude&) = default;
  ~CKvRotatedLongitudeLatitude() override;

  // Geographical to rotated longitude/latitude (degrees both).
  void Geo2Proj(double lon, double lat, double* x, double* y) const override;
  void Proj2Geo(double x, double y, double* lon, double* lat) const override;
  // The rotated coordinates of the origin +-3 degrees, clamped to
  // longitudes +-180 and latitudes +-90.
  void GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const override;
  bool IsGeographical() const override { return true; }
  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;

  double GetSouthPoleLongitude() const { return m_southPoleLon; }
  double GetSouthPoleLatitude() const { return m_southPoleLat; }
  double GetRotationAngle() const { return m_rotation; }

 private:
  void Initialise(double southPoleLon, double southPoleLat, double rotationAngle);

  double m_southPoleLon = 0.0;
  double m_southPoleLat = 0.0;
  double m_rotation = 0.0;
  // Row-major copies of M_f and M_i.
  double m_forward[3][3] = {};
  double m_inverse[3][3] = {};
};

#endif
