/* CKvCassiniSoldnerEllipsoid: the formula object of the Cassini-Soldner
 * projection on the ellipsoid (EPSG Guidance Note 7-2, method 9806): the
 * meridian arc M (series to e^6) along the central meridian and the
 * fifth-order series in A = (lambda - lambda0) cos phi across it; the inverse
 * from the footpoint latitude of M0 + (N - FN) (series in e1) and the series
 * in D = (E - FE) / nu1.
 *
 * Units: degrees and metres. Accuracy: the series are the published
 * method's, good to a millimetre within about 200 km of the central
 * meridian (the range of the method); inverse(forward) returns the input to
 * 1e-8 degrees there. Chosen by CKvCassiniSoldner for a flattening other
 * than 0. */
#ifndef KVCART_FAMILIES_CKVCASSINISOLDNERELLIPSOID_H
#define KVCART_FAMILIES_CKVCASSINISOLDNERELLIPSOID_H

#include "KvCart/families/CKvProjFormula.h"

class KVCART_API CKvCassiniSoldnerEllipsoid : public CKvProjFormula {
 public:
  explicit CKvCassiniSoldnerEllipsoid(const Setup& setup);
  CKvCassiniSoldnerEllipsoid(const CKvCassiniSoldnerEllipsoid&) = default;
  ~CKvCassiniSoldnerEllipsoid() override;

  void Geo2Proj(double lon, double lat, double* x, double* y) const override;
  void Proj2Geo(double x, double y, double* lon, double* lat) const override;

 private:
  double m_arc[4] = {};        // meridian arc series
  double m_footpoint[4] = {};  // rectifying to geodetic latitude
  double m_M0 = 0.0;           // meridian arc of the latitude of origin, metres
};

#endif
