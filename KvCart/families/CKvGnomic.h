/* CKvGnomic: the gnomonic projection of a sphere (Snyder, "Map Projections
 * - A Working Manual", 1987, eqs. 22-2 to 22-5, 20-14, 20-15): the
 * projection from the centre of the sphere onto the plane touching it at
 * the origin, so every great circle is a straight line (radio and seismic
 * great-circle paths, polar route charts). rho = R tan c at angular
 * distance c from the origin.
 *
 * The sphere has the radius of the ellipsoid's semi-major axis; the
 * flattening is not used, as in PROJ's "gnom" up to version 9.1.
 *
 * Parameters: central meridian and latitude of origin (degrees), false
 * easting and northing (metres), the ellipsoid. GetName() is "Gnomic".
 * The class is not built from definitions or well-known text (no
 * projection type names it); TransferParameters leaves the record as it
 * is.
 *
 * Valid range: the hemisphere around the origin; points 90 degrees or more
 * from the origin have no image (NaN). Accuracy: exact to rounding.
 *
 * Immutable after construction; conversions may run from several threads.
 *
 * Usage:
 *   CKvGnomic g(0.0, 90.0, 0.0, 0.0, CKvEllipsoid("", "", 6371000.0, 0.0));
 *   double x, y; g.Geo2Proj(30.0, 60.0, &x, &y); */
#ifndef KVCART_FAMILIES_CKVGNOMIC_H
#define KVCART_FAMILIES_CKVGNOMIC_H

#include "KvCart/families/AzimuthalGeometry.h"
#include "KvCart/families/CKvProjectionFrame.h"

class KVCART_API CKvGnomic : public CKvProjectionFrame {
 public:
  // Origin (0, 0) on the unit sphere.
  CKvGnomic();
  CKvGnomic(double centre, double originLat, double falseEasting, double falseNorthing,
            const CKvEllipsoid& ellipsoid);
  CKvGnomic(const CKvGnomic&) = default;
  CKvGnomic& operator=(const CKvGnomic&) = default;
  ~CKvGnomic() override;

  void Geo2Proj(double lon, double lat, double* x, double* y) const override;
  void Proj2Geo(double x, double y, double* lon, double* lat) const override;
  // Oblique: +-3 degrees around the origin; polar: the pole +-200 km.
  void GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const override;
  // (R, inverse flattening 0): the sphere in use.
  bool GetAnonymousEllipsoid(CKvEllipsoid& ellipsoid) const override;
  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;

 private:
  void Initialise(double centre, double originLat, double falseEasting, double falseNorthing);

  kvcart::EAzimuthalAspect m_aspect = kvcart::eObliqueAspect;
  kvcart::AzimuthalGeometry m_geometry;
};

#endif
