/* CKvNewZealandMapGrid: the New Zealand Map Grid (NZGD49, EPSG:27200), by
 * the published conversion algorithm of the New Zealand survey authority
 * (coefficients in CKvNewZealandMapGridConstants):
 *  - forward: dphi = (lat - lat0) x 0.036 (units of 1e5 arc-seconds),
 *    dpsi = sum A_i dphi^i, zeta = dpsi + i dlambda (radians),
 *    z = sum B_n zeta^n, N = FN + a Re z, E = FE + a Im z;
 *  - inverse: z = ((N - FN) + i (E - FE)) / a, zeta from the C series,
 *    refined by Newton steps on the B series until the step is below 1e-12
 *    (at most 100), then lat = lat0 + (sum D_i (Re zeta)^i) / 0.036 and
 *    lon = lon0 + Im zeta in degrees.
 *
 * Parameters: longitude and latitude of origin (degrees; the grid's 173,
 * -41), false easting and northing (metres; 2510000, 6023150), the
 * ellipsoid (the grid's series are for International 1924, a = 6378388 m).
 *
 * Valid range: New Zealand and its waters (the series are fitted to
 * 166-179 E, 34-48 S); far outside it the values are meaningless. Accuracy:
 * the forward is the definition of the grid; the inverse is the published
 * one, whose D series is not the exact reversal of the A series: a round
 * trip returns the input within 5e-10 degrees inside New Zealand and 1e-9
 * degrees at the edge of the fitted area.
 * Default area: the fixed rectangle (2000000, 5300000)-(3000000, 6800000).
 *
 * Immutable after construction; conversions may run from several threads.
 *
 * Usage:
 *   CKvNewZealandMapGrid nzmg("NZMG", 173, -41, 2510000, 6023150, international1924);
 *   double x, y; nzmg.Geo2Proj(174.76, -36.85, &x, &y); */
#ifndef KVCART_FAMILIES_CKVNEWZEALANDMAPGRID_H
#define KVCART_FAMILIES_CKVNEWZEALANDMAPGRID_H

#include <string>

#include "KvCart/families/CKvNewZealandMapGridConstants.h"
#include "KvCart/families/CKvProjectionFrame.h"

class CKvNewZealandMapGridProjection;

class KVCART_API CKvNewZealandMapGrid : public CKvProjectionFrame,
                                        public CKvNewZealandMapGridConstants {
 public:
  explicit CKvNewZealandMapGrid(const CKvNewZealandMapGridProjection* record);
  CKvNewZealandMapGrid(const std::string& name, double originLon, double originLat,
                       double falseEasting, double falseNorthing, const CKvEllipsoid& ellipsoid);
  CKvNewZealandMapGrid(const CKvNewZealandMapGrid&) = default;
  CKvNewZealandMapGrid& operator=(const CKvNewZealandMapGrid&) = default;
  ~CKvNewZealandMapGrid() override;

  void Geo2Proj(double lon, double lat, double* x, double* y) const override;
  void Proj2Geo(double x, double y, double* lon, double* lat) const override;
  // The fixed rectangle of the grid, whatever the parameters.
  void GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const override;
  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;
};

#endif
