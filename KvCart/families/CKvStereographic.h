/* CKvStereographic: the stereographic projection of the ellipsoid, oblique
 * or polar by its latitude of origin.
 *
 * Oblique aspect (any latitude of origin but +-90): the double stereographic
 * projection of EPSG Guidance Note 7-2, method 9809 ("Oblique
 * Stereographic", ESRI "Double_Stereographic"): the ellipsoid is mapped
 * conformally onto the Gauss sphere of radius R = sqrt(rho0 nu0) with
 * longitudes scaled by n, and that sphere is projected stereographically
 * about the image of the origin. The conformal latitude used is the Gauss
 * sphere's, chi = atan(sinh(n psi + ln(c)/2)) with psi the isometric
 * latitude, not the ordinary conformal latitude (which would move RD New
 * points by up to 568 m). The ESRI name "Stereographic" is read with the
 * same meaning; note that PROJ's "stere" projects oblique ellipsoidal
 * aspects through the ordinary conformal latitude instead, so it differs
 * from this class by metres away from the origin (they agree on a sphere
 * and in the polar aspects).
 *
 * Polar aspects (latitude of origin +90 or -90, compared with a relative
 * tolerance of 1e-12): EPSG method 9810, polar stereographic with a scale
 * factor k0 at the pole (UPS: k0 = 0.994).
 *
 * Parameters: scale k0, central meridian and latitude of origin (degrees),
 * false easting and northing (metres), the ellipsoid.
 *
 * Valid range: the whole earth but, in the oblique aspect, the antipode of
 * the origin and about 90 m around it (NaN), and in the polar aspects the
 * opposite pole, which lies at infinity (infinite or NaN). A scale k0 that
 * is not positive defines no projection (NaN everywhere).
 * Longitudes any; outputs normalised into [-180, 180). Accuracy: the oblique
 * forward is exact to rounding; its inverse goes back from the Gauss sphere
 * to the isometric latitude in closed form and from the ordinary conformal
 * latitude to the geodetic one by the sixth-order series in the third
 * flattening (exact in double precision; Newton's method on an ellipsoid
 * flatter than 1/f = 125), round trip better than 1e-10 degrees; the polar
 * inverse is the conformal-latitude series of the method, within 1e-9
 * degrees.
 *
 * Immutable after construction; conversions may run from several threads.
 *
 * Usage:
 *   CKvStereographic rd("RD New", 0.9999079, 5.38763888888889, 52.15616055555555,
 *                       155000, 463000, bessel1841);
 *   double x, y; rd.Geo2Proj(5.0, 52.0, &x, &y); */
#ifndef KVCART_FAMILIES_CKVSTEREOGRAPHIC_H
#define KVCART_FAMILIES_CKVSTEREOGRAPHIC_H

#include <string>

#include "KvCart/families/AzimuthalGeometry.h"
#include "KvCart/families/CKvProjectionFrame.h"
#include "KvCart/families/ConformalLatitude.h"
#include "KvCart/families/PolarStereographicKernel.h"

class CKvStereographicProjection;

class KVCART_API CKvStereographic : public CKvProjectionFrame {
 public:
  // From a definition record; its ellipsoid is looked up by code in the
  // process-wide database.
  explicit CKvStereographic(const CKvStereographicProjection* record);
  // From explicit values, angles in degrees.
  CKvStereographic(const std::string& name, double k0, double centre, double originLat,
                   double falseEasting, double falseNorthing, const CKvEllipsoid& ellipsoid);
  CKvStereographic(const CKvStereographic&) = default;
  CKvStereographic& operator=(const CKvStereographic&) = default;
  ~CKvStereographic() override;

  void Geo2Proj(double lon, double lat, double* x, double* y) const override;
  void Proj2Geo(double x, double y, double* lon, double* lat) const override;
  // Oblique: +-3 degrees around the origin; polar: the pole +-200 km.
  void GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const override;
  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;

  // 1 oblique, 2 north polar, 3 south polar.
  int GetAspect() const { return m_aspect; }
  double GetScale() const { return m_k0; }

 private:
  void Initialise(double k0, double centre, double originLat, double falseEasting,
                  double falseNorthing);
  void InitialiseGaussSphere();
  // Sine and cosine of the latitude chi on the Gauss sphere.
  void GaussSinCos(double phi, double* sinChi, double* cosChi) const;

  double m_k0 = 1.0;
  kvcart::EAzimuthalAspect m_aspect = kvcart::eObliqueAspect;
  // Oblique aspect (0 for the polar ones): the Gauss sphere's radius R, its
  // longitude factor n, half the log of its latitude constant c, and the
  // origin's latitude chi0 on it.
  double m_R = 0.0;
  double m_n = 0.0;
  double m_halfLogC = 0.0;
  double m_chi0 = 0.0;
  kvcart::AzimuthalGeometry m_sphere;
  kvcart::ConformalToGeodetic m_toGeodetic;  // from psi = asinh(tan chi)
  // Polar aspects.
  kvcart::PolarStereographicKernel m_polar;
};

#endif
