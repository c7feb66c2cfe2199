/* CKvEllipsoid: a reference ellipsoid by name, code, axis and flattening.
 *
 * The values come from the ellipsoid files ("ellipsoid.rcf" and the custom
 * file), from well-known text, or from a projection (an anonymous
 * ellipsoid: empty name and code). An inverse flattening of 0 (or any value
 * <= 0) stands for a sphere of radius a.
 *
 * Units: semi-major axis in metres; flattening and eccentricity are pure
 * numbers. Derived values are computed on each call from the two stored
 * numbers, exactly as documented per function.
 *
 * Two numbers are "equal" for IsEquivalent and operator== when identical or
 * when |p - q| / max(|p|, |q|) <= 1e-12.
 *
 * Usage:
 *   CKvEllipsoid wgs84("WGS 84", "WE", 6378137.0, 298.257223563);
 *   double e = wgs84.GetEccentricity();  // 0.0818191908426215 */
#ifndef KVCART_CORE_CKVELLIPSOID_H
#define KVCART_CORE_CKVELLIPSOID_H

#include <string>

#include "KvCart/KvCart_api.h"

class KVCART_API CKvEllipsoid {
 public:
  // Empty name and code, a = 1, inverse flattening 0: the unit sphere. (An
  // inverse flattening of 1 would be no ellipsoid at all: flattening 1,
  // minor axis 0, eccentricity 1.)
  CKvEllipsoid();
  CKvEllipsoid(const std::string& name, const std::string& code, double major, double invFlatness);
  CKvEllipsoid(const CKvEllipsoid& other) = default;
  CKvEllipsoid& operator=(const CKvEllipsoid& other) = default;
  virtual ~CKvEllipsoid();

  std::string GetName() const { return m_name; }
  std::string GetID() const { return m_id; }
  void SetName(const std::string& name) { m_name = name; }
  void SetID(const std::string& code) { m_id = code; }
  // Sets the axis and the inverse flattening; name and code stay.
  void SetParams(double major, double invFlatness);

  double GetMajor() const { return m_major; }
  double GetInvFlatness() const { return m_invFlatness; }
  // 1 / inverse flattening, or 0 for a sphere.
  double GetFlatness() const;
  // a (1/f - 1) / (1/f), or a for a sphere.
  double GetMinor() const;
  // First eccentricity sqrt((a^2 - b^2) / a^2), not squared.
  double GetEccentricity() const;

  // Axis and inverse flattening equal (names ignored).
  bool IsEquivalent(const CKvEllipsoid& other) const;
  // Name and code identical byte for byte, axis and inverse flattening equal.
  bool operator==(const CKvEllipsoid& other) const;
  bool operator!=(const CKvEllipsoid& other) const { return !(*this == other); }

 private:
  std::string m_name;
  std::string m_id;
  double m_major;
  double m_invFlatness;
};

#endif
