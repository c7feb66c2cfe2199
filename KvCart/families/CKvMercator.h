/* CKvMercator: the normal-aspect Mercator projection of the ellipsoid,
 * shared by the one- and two-parallel classes (EPSG Guidance Note 7-2,
 * methods 9804 and 9805). The derived class fixes k0, the scale on the
 * equator; this class projects
 *   E = FE + a k0 (lambda - lambda0),  N = FN + a k0 psi(phi),
 * psi the isometric latitude, and back through the conformal latitude
 * chi = atan(sinh((N - FN) / (a k0))) and the sixth-order series in the
 * third flattening (no iteration but on a custom ellipsoid flatter than
 * 1/f = 125). On a sphere (flattening 0) the formulas are the
 * spherical Mercator's, which is how the Pseudo-Mercator of web maps
 * ("Mercator_Auxiliary_Sphere") is computed: on the sphere of radius a.
 *
 * Units: degrees and metres. Valid range: latitudes strictly between -90
 * and 90 (the poles go to infinity), longitudes any (reduced to within 180
 * degrees of the central meridian). Accuracy: the forward formulas are
 * exact; the inverse series is exact in double precision on the earth's
 * ellipsoids (inverse(forward) returns the input to about 1e-14 degrees).
 * GetOrigin gives (central meridian, 0). A scale of 0 (or a parallel of true
 * scale at a pole) leaves no map: every conversion gives NaN.
 *
 * Immutable after construction; conversions may run from several threads. */
#ifndef KVCART_FAMILIES_CKVMERCATOR_H
#define KVCART_FAMILIES_CKVMERCATOR_H

#include "KvCart/families/CKvProjectionFrame.h"
#include "KvCart/families/ConformalLatitude.h"

class KVCART_API CKvMercator : public CKvProjectionFrame {
 public:
  void Geo2Proj(double lon, double lat, double* x, double* y) const override;
  void Proj2Geo(double x, double y, double* lon, double* lat) const override;
  // +-3 degrees around the origin; for a central meridian of 0 the whole
  // world from 60 S to 81 N (-180 and +180 degrees from the central
  // meridian at the two edges).
  void GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const override;

  // The scale on the equator.
  double GetScaleAtEquator() const { return m_k0; }

 protected:
  using CKvProjectionFrame::CKvProjectionFrame;

  // Sets central meridian, false origin and k0.
  void Setup(double k0, double centralMeridian, double falseEasting, double falseNorthing);

 private:
  double m_k0 = 0.0;
  double m_ak0 = 0.0;
  kvcart::ConformalToGeodetic m_toGeodetic;
};

#endif
