/* CKvIsoMetric: a linear local mapping between a plane grid and
 * longitude/latitude, fixed by three points: the grid point P0 at (lon0,
 * lat0), a point P1 along the grid's longitude axis at (lon1, lat0) and a
 * point P2 along its latitude axis at (lon0, lat2). With the unit vectors
 * u1 = (P1 - P0)/|P1 - P0|, u2 = (P2 - P0)/|P2 - P0| and the scales
 * s1 = (lon1 - lon0)/|P1 - P0|, s2 = (lat2 - lat0)/|P2 - P0|:
 *   Proj2Geo: d = (x, y) - P0; lon = (u1 . d) s1 + lon0; lat = (u2 . d) s2 + lat0
 *   Geo2Proj: the solution d of the same two equations, (x, y) = P0 + d.
 * The axes need not be perpendicular, only distinct. Degenerate points give
 * NaN instead of a grid: P1 or P2 on P0 in both directions; parallel axes,
 * lon1 = lon0 or lat2 = lat0 in Geo2Proj. Longitudes out are normalised into
 * [-180, 180).
 *
 * Units: grid coordinates in any linear unit, angles in degrees.
 * GetName() is "Isometric"; the origin is (lon0, lat0). The class is not
 * built from definitions or well-known text; TransferParameters leaves the
 * record as it is.
 *
 * Immutable after construction; conversions may run from several threads.
 *
 * Usage:
 *   CKvIsoMetric grid(0, 0, 1000, 0, 0, 1000, 10.0, 55.0, 10.1, 55.1);
 *   double lon, lat; grid.Proj2Geo(500, 500, &lon, &lat);  // 10.05, 55.05 */
#ifndef KVCART_FAMILIES_CKVISOMETRIC_H
#define KVCART_FAMILIES_CKVISOMETRIC_H

#include "KvCart/core/CKvProjection.h"

class KVCART_API CKvIsoMetric : public CKvProjection {
 public:
  CKvIsoMetric(double x0, double y0, double x1, double y1, double x2, double y2, double lon0,
               double lat0, double lon1, double lat2);
  CKvIsoMetric(const CKvIsoMetric&) = default;
  CKvIsoMetric& operator=(const CKvIsoMetric&) = default;
  ~CKvIsoMetric() override;

  char* GetName() override { return m_name; }
  void Geo2Proj(double lon, double lat, double* x, double* y) const override;
  void Proj2Geo(double x, double y, double* lon, double* lat) const override;
  void GetOrigin(double* lon, double* lat) const override;
  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;

 private:
  char m_name[16] = "Isometric";
  double m_x0, m_y0;
  double m_u1[2] = {};
  double m_u2[2] = {};
  double m_s1 = 0.0, m_s2 = 0.0;
  double m_lon0, m_lat0;
};

#endif
