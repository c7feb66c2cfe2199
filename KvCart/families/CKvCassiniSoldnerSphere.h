/* CKvCassiniSoldnerSphere: the formula object of the Cassini-Soldner
 * projection on a sphere of radius a (Snyder 13-1 to 13-7), the transverse
 * plate carree: x = a asin(cos phi sin dlambda), y = a (atan2(tan phi,
 * cos dlambda) - phi0), and back. Exact both ways.
 *
 * Units: degrees and metres. Chosen by CKvCassiniSoldner for a flattening of
 * 0; reports (a, 0) as its anonymous ellipsoid. */
#ifndef KVCART_FAMILIES_CKVCASSINISOLDNERSPHERE_H
#define KVCART_FAMILIES_CKVCASSINISOLDNERSPHERE_H

#include "KvCart/families/CKvProjFormula.h"

class KVCART_API CKvCassiniSoldnerSphere : public CKvProjFormula {
 public:
  explicit CKvCassiniSoldnerSphere(const Setup& setup);
  CKvCassiniSoldnerSphere(const CKvCassiniSoldnerSphere&) = default;
  ~CKvCassiniSoldnerSphere() override;

  void Geo2Proj(double lon, double lat, double* x, double* y) const override;
  void Proj2Geo(double x, double y, double* lon, double* lat) const override;
};

#endif
