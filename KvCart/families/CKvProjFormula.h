/* CKvProjFormula: the common base of the formula objects of the families
 * that compute the sphere and the ellipsoid by different published formulas
 * (Albers, equidistant conic, Cassini-Soldner, Lambert azimuthal equal
 * area). The outer class (see CKvFormulaPair) chooses one formula object in
 * its constructor and forwards to it, so the per-point code carries no
 * branch on the figure of the earth.
 *
 * The base keeps what every formula object starts from -- the ellipsoid,
 * origin, false origin, the two standard parallels of the conic families --
 * and answers GetOrigin, the box-form GetDefaultArea and
 * GetAnonymousEllipsoid; a formula object adds its constants and its
 * Geo2Proj/Proj2Geo.
 *
 * Units: degrees and metres across the interface, radians inside.
 * Immutable after construction. */
#ifndef KVCART_FAMILIES_CKVPROJFORMULA_H
#define KVCART_FAMILIES_CKVPROJFORMULA_H

#include "KvCart/KvCart_api.h"
#include "KvCart/core/CKvProjInterface.h"

class KVCART_API CKvProjFormula : public CKvProjInterface {
 public:
  // The values a formula object is built from (degrees, metres).
  struct Setup {
    double a = 0.0;              // semi-major axis or sphere radius
    double invFlattening = 0.0;  // 0 for the sphere
    double e = 0.0;              // first eccentricity
    double lon0 = 0.0;           // central meridian
    double lat0 = 0.0;           // latitude of origin
    double falseEasting = 0.0;
    double falseNorthing = 0.0;
    double parallel1 = 0.0;  // standard parallels of the conic families
    double parallel2 = 0.0;
    double halfSize = 3.0;  // of the default area
  };

  // The origin in degrees.
  void GetOrigin(double* lon, double* lat) const override;
  // The projections of (lon0 - h, max(lat0 - h, -90)) and
  // (lon0 + h, min(lat0 + h, 90)), h the half-size of the setup.
  void GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const override;
  // (a, inverse flattening); (radius, 0) for a sphere object; false (the
  // argument untouched) without an axis.
  bool GetAnonymousEllipsoid(CKvEllipsoid& ellipsoid) const override;

 protected:
  explicit CKvProjFormula(const Setup& setup);
  CKvProjFormula(const CKvProjFormula&) = default;
  CKvProjFormula& operator=(const CKvProjFormula&) = default;

  // The longitude difference from the central meridian in radians, reduced
  // into [-pi, pi).
  double LongitudeOffset(double lonDegrees) const;
  // An output longitude: the central meridian plus a difference in radians,
  // in degrees normalised into [-180, 180).
  double OutputLongitude(double dLambda) const;

  Setup m_setup;
  double m_a = 0.0;
  double m_e = 0.0;
  double m_e2 = 0.0;
  double m_lat0 = 0.0;  // radians
  double m_phi1 = 0.0;  // radians
  double m_phi2 = 0.0;  // radians
  double m_falseEasting = 0.0;
  double m_falseNorthing = 0.0;
};

#endif
