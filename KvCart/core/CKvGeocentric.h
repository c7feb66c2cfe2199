/* CKvGeocentric: geodetic longitude, latitude and height to earth-centred
 * Cartesian coordinates (X, Y, Z) on one ellipsoid, and back.
 *
 * X points to longitude 0 on the equator, Y to longitude 90 east, Z to the
 * north pole. Angles in decimal degrees, heights and X, Y, Z in metres.
 *
 * Forward (Geo2XYZ) is the closed form of EPSG Guidance Note 7-2, method
 * 9602. Reverse (XYZ2Geo) is the closed form of Vermeille (J. Geodesy 85,
 * 2011), which has no iteration and no division by the distance from the
 * polar axis: it is exact to rounding (below 1e-9 m and 1e-14 degrees) at
 * every height from the centre of the earth to beyond the moon, on the
 * polar axis included, where it returns latitude +-90, longitude 0 and the
 * height above the pole. The centre itself gives latitude 90, longitude 0
 * and height -b. Output longitudes lie in [-180, 180).
 *
 * Valid ellipsoids: a > 0, inverse flattening > 1 (an oblate ellipsoid), or
 * <= 0 for a sphere (as in the ellipsoid files).
 *
 * Thread safety: immutable after construction.
 *
 * Usage:
 *   CKvGeocentric wgs84(6378137.0, 298.257223563);
 *   double x, y, z; wgs84.Geo2XYZ(9.0, 55.0, 40.0, &x, &y, &z);
 */
#ifndef KVCART_CORE_CKVGEOCENTRIC_H
#define KVCART_CORE_CKVGEOCENTRIC_H

#include "KvCart/KvCart_api.h"

class CKvEllipsoid;

class KVCART_API CKvGeocentric {
 public:
  CKvGeocentric(double semiMajorAxis, double inverseFlattening);
  explicit CKvGeocentric(const CKvEllipsoid& ellipsoid);
  virtual ~CKvGeocentric();

  void Geo2XYZ(double lon, double lat, double height, double* x, double* y, double* z) const;
  void XYZ2Geo(double x, double y, double z, double* lon, double* lat, double* height) const;

 private:
  // Latitude (radians) and height of a point at distance r from the polar
  // axis and z above the equatorial plane.
  void Meridian(double r, double z, double* lat, double* height) const;

  double m_a;   // semi-major axis
  double m_e2;  // first eccentricity squared
};

#endif
