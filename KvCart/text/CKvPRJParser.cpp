// The record of CKvPRJParser: construction and the name/value accessors.
#include "KvCart/text/CKvPRJParser.h"

#include "KvCart/core/CKvMapProjData.h"
#include "KvCart/core/CKvProjection.h"
#include "KvCart/text/WktScan.h"

CKvPRJParser::CKvPRJParser() = default;

CKvPRJParser::CKvPRJParser(const CString& text) : m_sourceText(text) {}

CKvPRJParser::CKvPRJParser(const char* text) : m_sourceText(text) {}

CKvPRJParser::CKvPRJParser(const CKvProjection* projection) {
  if (projection != nullptr) projection->TransferParameters(*this);
}

CKvPRJParser::CKvPRJParser(const CKvMapProjData* definition) {
  if (definition != nullptr) definition->TransferParameters(*this);
}

CKvPRJParser::~CKvPRJParser() = default;

bool CKvPRJParser::IsSouthOrientated() const {
  return kvcart::wkt::AsciiLower(m_projectionTypeName) == "transverse_mercator_south_orientated";
}

void CKvPRJParser::GetPrimeMeridian(CString& name, double& value) const {
  name = m_primeMeridianName;
  value = m_primeMeridian;
}

void CKvPRJParser::SetPrimeMeridian(const CString& name, double value) {
  m_primeMeridianName = name;
  m_primeMeridian = value;
}

void CKvPRJParser::GetAngularUnit(CString& name, double& factor) const {
  name = m_angularUnitName;
  factor = m_angularUnit;
}

void CKvPRJParser::SetAngularUnit(const CString& name, double factor) {
  m_angularUnitName = name;
  m_angularUnit = factor;
}

void CKvPRJParser::GetEllipsoid(CString& name, double& semiMajorAxis,
                                double& inverseFlattening) const {
  name = m_ellipsoidName;
  semiMajorAxis = m_semiMajorAxis;
  inverseFlattening = m_inverseFlattening;
}

void CKvPRJParser::SetEllipsoid(const CString& name, double semiMajorAxis,
                                double inverseFlattening) {
  m_ellipsoidName = name;
  m_semiMajorAxis = semiMajorAxis;
  m_inverseFlattening = inverseFlattening;
}

void CKvPRJParser::GetProjUnit(CString& name, double& factor) const {
  name = m_projUnitName;
  factor = m_projUnit;
}

void CKvPRJParser::SetProjUnit(const CString& name, double factor) {
  m_projUnitName = name;
  m_projUnit = factor;
}

void CKvPRJParser::GetAxisInfo(EAxisType axis, CString& name, CString& direction) const {
  if (axis == eFirstAxis) {
    name = m_firstAxisName;
    direction = m_firstAxisDirection;
  } else if (axis == eSecondAxis) {
    name = m_secondAxisName;
    direction = m_secondAxisDirection;
  }
}

void CKvPRJParser::SetAxisInfo(EAxisType axis, const CString& name, const CString& direction) {
  if (axis == eFirstAxis) {
    m_firstAxisName = name;
    m_firstAxisDirection = direction;
  } else if (axis == eSecondAxis) {
    m_secondAxisName = name;
    m_secondAxisDirection = direction;
  }
}
