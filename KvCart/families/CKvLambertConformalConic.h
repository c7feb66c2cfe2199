/* CKvLambertConformalConic: the Lambert conformal conic projection of the
 * ellipsoid, shared by the one- and two-parallel classes (EPSG Guidance
 * Note 7-2, methods 9801 and 9802; Snyder 15-1 to 15-11). The derived class
 * chooses the cone -- its constant n, F and the scale k0 on the standard
 * parallel -- and this class projects:
 *   r = a F k0 t^n,  theta = n (lambda - lambda0),
 *   E = FE + r sin theta,  N = FN + r0 - r cos theta,
 * with r0 = a F k0 t0^n at the latitude of origin. The inverse takes the
 * conformal latitude from t' = (r' / (a F k0))^(1/n) and the geodetic one
 * from its sixth-order series in the third flattening (exact in double
 * precision; the value the fixed point on t converges to; a custom
 * ellipsoid flatter than 1/f = 125 iterates instead).
 *
 * Units: degrees and metres. Valid range: latitudes -90..90, longitudes any
 * (reduced to within 180 degrees of the central meridian); the apex of the
 * cone maps to one point. Accuracy: the formulas are exact; inverse(forward)
 * returns the input to 1e-9 degrees up to latitude 89. Degenerate cones
 * (n = 0: one parallel at the equator, two parallels symmetric about it)
 * and a scale k0 of 0 give NaN for every point.
 *
 * Immutable after construction; conversions may run from several threads. */
#ifndef KVCART_FAMILIES_CKVLAMBERTCONFORMALCONIC_H
#define KVCART_FAMILIES_CKVLAMBERTCONFORMALCONIC_H

#include "KvCart/families/CKvProjectionFrame.h"
#include "KvCart/families/ConformalLatitude.h"

class KVCART_API CKvLambertConformalConic : public CKvProjectionFrame {
 public:
  void Geo2Proj(double lon, double lat, double* x, double* y) const override;
  void Proj2Geo(double x, double y, double* lon, double* lat) const override;
  // Grid convergence in degrees in closed form: n (lon - lon0), the
  // longitude difference reduced into [-180, 180).
  double GetConvergence(double lon, double lat) const override;

  // The cone constant n (sin of the latitude where the cone touches).
  double GetConeConstant() const { return m_n; }

 protected:
  using CKvProjectionFrame::CKvProjectionFrame;

  // Sets the cone from n, F and k0; needs the origin and ellipsoid set.
  void SetCone(double n, double F, double k0);

 private:
  double m_n = 0.0;
  double m_aFk = 0.0;                        // a F k0, negative when n is
  double m_r0 = 0.0;                         // the radius of the latitude of origin
  kvcart::ConformalToGeodetic m_toGeodetic;  // conformal to geodetic latitude
};

#endif
