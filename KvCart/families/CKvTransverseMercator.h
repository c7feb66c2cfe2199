/* CKvTransverseMercator: an alternative transverse Mercator, the extended
 * transverse Mercator of Poder and Engsager (Engsager & Poder, "A highly
 * accurate world wide algorithm for the transverse Mercator mapping
 * (almost)", 2007), truncated at n^4.
 *
 * Same parameters, interface and record as CKvTransverseMercatorJHS (which is
 * the class every definition and well-known text creates); this one exists
 * for callers that construct it themselves. It maps through the Gaussian
 * (conformal) latitude and sums every series with Clenshaw's recurrence.
 * The central meridian and origin latitude are kept in degrees.
 *
 * Valid range, accuracy and thread safety as CKvTransverseMercatorJHS (the
 * two agree to a micrometre within 6 degrees of the central meridian).
 *
 * Usage:
 *   CKvTransverseMercator tm("Local TM", 1.0, 12.0, 55.0, 0.0, 0.0, grs80);
 *   double lon, lat; tm.Proj2Geo(1000.0, 2000.0, &lon, &lat); */
#ifndef KVCART_FAMILIES_CKVTRANSVERSEMERCATOR_H
#define KVCART_FAMILIES_CKVTRANSVERSEMERCATOR_H

#include <string>

#include "KvCart/families/GaussianLatitude.h"

#include "KvCart/families/CKvProjectionFrame.h"

class CKvTransverseMercatorProjection;

class KVCART_API CKvTransverseMercator : public CKvProjectionFrame {
 public:
  explicit CKvTransverseMercator(const CKvTransverseMercatorProjection* record);
  CKvTransverseMercator(const std::string& name, double k0, double centre, double originLat,
                        double falseEasting, double falseNorthing, const CKvEllipsoid& ellipsoid);
  CKvTransverseMercator(const CKvTransverseMercator&) = default;
  CKvTransverseMercator& operator=(const CKvTransverseMercator&) = default;
  ~CKvTransverseMercator() override;

  void Geo2Proj(double lon, double lat, double* x, double* y) const override;
  void Proj2Geo(double x, double y, double* lon, double* lat) const override;
  double GetConvergence(double lon, double lat) const override;
  void GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const override;
  bool IsLocal() const override { return m_local; }
  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;

  double GetScaleFactor(double lon, double lat) const;

 private:
  void ComputeCoefficients();
  // Unshifted northing of a latitude on the central meridian.
  double MeridianNorthing(double phi) const;

  double m_k0 = 0.0;
  double m_geodeticToGauss[kvcart::kGaussTerms] = {};
  double m_gaussToGeodetic[kvcart::kGaussTerms] = {};
  double m_sphereToPlane[4] = {};  // forward Krueger series
  double m_planeToSphere[4] = {};  // inverse Krueger series, negated
  double m_qn = 0.0;               // k0 times the rectifying radius
  double m_originNorthing = 0.0;
  bool m_local = false;
};

#endif
