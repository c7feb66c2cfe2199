#include "KvCart/core/CKvEllipsoid.h"

#include <cmath>

#include "KvCart/core/AngleMath.h"

// The default is a unit sphere: an inverse flattening of 1 would mean a
// flattening of 1, a minor axis of 0 and an eccentricity of 1, on which
// every projection formula divides by zero.
CKvEllipsoid::CKvEllipsoid() : m_major(1.0), m_invFlatness(0.0) {}

CKvEllipsoid::CKvEllipsoid(const std::string& name, const std::string& code, double major,
                           double invFlatness)
    : m_name(name), m_id(code), m_major(major), m_invFlatness(invFlatness) {}

CKvEllipsoid::~CKvEllipsoid() = default;

void CKvEllipsoid::SetParams(double major, double invFlatness) {
  m_major = major;
  m_invFlatness = invFlatness;
}

double CKvEllipsoid::GetFlatness() const { return m_invFlatness > 0.0 ? 1.0 / m_invFlatness : 0.0; }

double CKvEllipsoid::GetMinor() const {
  return m_invFlatness > 0.0 ? m_major * (m_invFlatness - 1.0) / m_invFlatness : m_major;
}

double CKvEllipsoid::GetEccentricity() const {
  // e^2 = f (2 - f) is the same quantity as (a^2 - b^2) / a^2 without the
  // cancellation of two nearly equal squares.
  double f = GetFlatness();
  return std::sqrt(f * (2.0 - f));
}

bool CKvEllipsoid::IsEquivalent(const CKvEllipsoid& other) const {
  return kvcart::IsRelEqual(m_major, other.m_major) &&
         kvcart::IsRelEqual(m_invFlatness, other.m_invFlatness);
}

bool CKvEllipsoid::operator==(const CKvEllipsoid& other) const {
  return m_name == other.m_name && m_id == other.m_id && IsEquivalent(other);
}
