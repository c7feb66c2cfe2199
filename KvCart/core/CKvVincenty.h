/* CKvVincenty: geodesics on one ellipsoid -- the point reached from a start
 * point, azimuth and distance (direct problem) and the distance and
 * azimuths between two points (inverse problem).
 *
 * Direct: Vincenty's formula (T. Vincenty, "Direct and inverse solutions of
 * geodesics on the ellipsoid with application of nested equations", Survey
 * Review 23 (1975)), iterating on the arc length until two values agree to a
 * relative 1e-12.
 *
 * Inverse: the same series on the auxiliary sphere, solved for the start
 * azimuth as Karney does (C. F. F. Karney, "Algorithms for geodesics",
 * J. Geodesy 87 (2013), sec. 4-5): in a canonical frame the longitude
 * reached is an increasing function of the start azimuth, so Newton steps
 * kept inside a shrinking bracket converge for every pair of points,
 * nearly antipodal ones included, where Vincenty's own iteration fails.
 *
 * Units: degrees (azimuths clockwise from north) and metres. Output
 * longitudes are normalised into [-180, 180).
 * Accuracy: within 0.5 mm of the exact geodesic (GeographicLib) for distances
 * up to 10000 km, and for nearly antipodal points.
 * Immutable after construction; calls may run from several threads.
 *
 * Usage:
 *   CKvVincenty wgs84(CKvEllipsoid("WGS 84", "WE", 6378137.0, 298.257223563));
 *   double s, az1, az2; wgs84.GetDistance(0, 0, 10, 10, s, az1, az2); */
#ifndef KVCART_CORE_CKVVINCENTY_H
#define KVCART_CORE_CKVVINCENTY_H

#include "KvCart/KvCart_api.h"

class CKvEllipsoid;

class KVCART_API CKvVincenty {
 public:
  explicit CKvVincenty(const CKvEllipsoid& ellipsoid);
  CKvVincenty(const CKvVincenty&) = default;
  CKvVincenty& operator=(const CKvVincenty&) = default;
  virtual ~CKvVincenty();

  // The point reached from (lon1, lat1) along `azimuth` after `distance`
  // metres; azimuth2 is the forward azimuth there, in (-180, 180].
  void GetPoint(double lon1, double lat1, double azimuth, double distance, double& lon2,
                double& lat2, double& azimuth2) const;
  // The geodesic distance between two points; azimuth12 is the azimuth at
  // the first point towards the second, azimuth21 the azimuth at the second
  // point back towards the first (forward azimuth there + 180), both in
  // [0, 360). Coincident points give 0 (their azimuths follow the meridian).
  // Returns false (outputs untouched) for non-finite input or latitudes
  // beyond +-90.
  bool GetDistance(double lon1, double lat1, double lon2, double lat2, double& distance,
                   double& azimuth12, double& azimuth21) const;

  // Vincenty's A and B of the distance series in u^2 = cos^2(alpha) e'^2.
  static double PolyA(double u2);
  static double PolyB(double u2);

 private:
  struct Canonical;
  struct Solution;
  Canonical MakeCanonical(double lon1, double lat1, double lon2, double lat2) const;
  void ReducedLatitude(double latDeg, double& sinBeta, double& cosBeta) const;
  Solution SolveForAzimuth(const Canonical& c, double alpha1) const;
  Solution SolveCanonical(const Canonical& c) const;
  double SeriesDistance(double sigma1, double sigma12, double cos2Alpha) const;
  double LongitudeCorrection(double sinAlpha, double cos2Alpha, double sigma,
                             double cos2SigmaM) const;

  double m_a;
  double m_b;
  double m_f;
  double m_ep2;  // second eccentricity squared (a^2 - b^2) / b^2
};

#endif
