/* CKvCartography: a projection plus a local model grid.
 *
 * Model grids are laid out in a local Cartesian system: an origin given in
 * longitude/latitude and an orientation, with x and y measured in the
 * projection's unit from that origin. The object converts between three
 * systems: geographical (lon, lat), projected (X, Y) and grid (x, y).
 *
 * The orientation is the angle, clockwise from true north, of the grid's
 * y axis at the origin, in degrees. The grid's projection-north angle is
 * the orientation minus the grid convergence at the origin; grid and
 * projected coordinates differ by a rotation through that angle and the
 * shift to the origin:
 *   x = c dX - s dY,  y = c dY + s dX,  with dX = X - X0, dY = Y - Y0,
 *   c, s = cos, sin of the projection-north angle.
 * The rotation is exact both ways to rounding.
 *
 * The projection string "UTM" (exactly) takes the zone of the origin's
 * longitude. A string the facade cannot resolve leaves a null projection:
 * conversions to projected coordinates then pass the input through the
 * facade's axis conversion, conversions to geographical write nothing, and
 * the convergence is 0.
 *
 * Units: degrees; projected and grid coordinates in the unit the facade
 * delivers, metres (CKvMapProjection).
 * Thread safety: immutable after construction; conversions from several
 * threads at once are safe.
 *
 * Usage:
 *   CKvCartography grid("UTM-32", 9.5, 55.2, 30.0);
 *   double lon, lat; grid.Xy2Geo(1000.0, 2000.0, &lon, &lat);
 */
#ifndef KVCART_FACADE_CKVCARTOGRAPHY_H
#define KVCART_FACADE_CKVCARTOGRAPHY_H

#include "KvCart/KvCart_api.h"

class CKvMapProjection;

class KVCART_API CKvCartography {
 public:
  // Throws std::out_of_range("Can't use generic UTM") for a text that is
  // "UTM" only after trimming blanks.
  CKvCartography(const char* projection, double lon0, double lat0, double orientation);
  // The projection is copied (cloned).
  CKvCartography(const CKvMapProjection& projection, double lon0, double lat0, double orientation);
  // A copy builds its facade anew from the other's projection string (a
  // facade without projection is copied as it is).
  CKvCartography(const CKvCartography& other);
  CKvCartography& operator=(const CKvCartography& other);
  virtual ~CKvCartography();

  void Geo2Proj(double lon, double lat, double* x, double* y) const;
  void Proj2Geo(double x, double y, double* lon, double* lat) const;
  void Proj2Xy(double projX, double projY, double* x, double* y) const;
  void Geo2Xy(double lon, double lat, double* x, double* y) const;
  void Xy2Proj(double x, double y, double* projX, double* projY) const;
  void Xy2Geo(double x, double y, double* lon, double* lat) const;
  // True-north angle at a grid point, degrees (the orientation at the origin).
  double GetTrueNorth(double x, double y) const;
  // Projection-north angle of the grid, degrees.
  double GetProjectionNorth() const { return m_theta; }
  // Projected coordinates of another cartography in this one's projection
  // (the grids play no part).
  void ConvertFrom(const CKvCartography& other, double projX, double projY, double* outX,
                   double* outY) const;

  // The facade, owned by this object.
  CKvMapProjection* GetProjection() const { return m_projection; }
  const char* GetProjectionName() const;
  const char* GetProjectionString() const;
  double GetOriginLongitude() const { return m_lon0; }
  double GetOriginLatitude() const { return m_lat0; }
  double GetOrientation() const { return m_orientation; }

  // Rotates (x, y) by angle degrees: ox = x cos + y sin, oy = y cos - x sin.
  static void _csysrot(double x, double y, double angle, double* ox, double* oy);

 private:
  static CKvMapProjection* CopyFacade(const CKvMapProjection& facade);
  void _init(double lon0, double lat0, double orientation);
  void CopyNumbers(const CKvCartography& other);

  CKvMapProjection* m_projection = nullptr;
  double m_x0 = 0.0;
  double m_y0 = 0.0;
  double m_theta = 0.0;
  double m_cos = 1.0;
  double m_sin = 0.0;
  double m_lon0 = 0.0;
  double m_lat0 = 0.0;
  double m_orientation = 0.0;
};

#endif
