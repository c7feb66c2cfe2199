#include "KvCart/families/CKvMapProjDataFrame.h"

#include <cassert>

#include "KvCart/core/CKvCartSetup.h"
#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/core/DefinitionText.h"
#include "KvCart/text/CKvPRJParser.h"
#include "rcf/rcf.h"

CKvMapProjDataFrame::CKvMapProjDataFrame(const ParamKey* keys, int count, const char* section,
                                         const char* oldSection)
    : m_keys(keys), m_count(count), m_section(section), m_oldSection(oldSection) {
  assert(count >= 0 && count <= kMaxParameters && "parameter table fits the record");
}

void CKvMapProjDataFrame::Init(const std::string& name, const std::string& branch,
                               const std::string& code, bool canDelete, bool canEdit) {
  m_name = name;
  m_branch = branch;
  m_ellipsoidId = code;
  m_canDelete = canDelete;
  m_canEdit = canEdit;
}

void CKvMapProjDataFrame::SetFlags(bool canDelete, bool canEdit) {
  m_canDelete = canDelete;
  m_canEdit = canEdit;
}

void CKvMapProjDataFrame::SetName(const std::string& name) {
  if (m_canEdit) m_name = name;
}

void CKvMapProjDataFrame::SetEllipsoidID(const std::string& code) {
  if (m_canEdit) m_ellipsoidId = code;
}

void CKvMapProjDataFrame::SetValue(int index, double value) {
  if (m_canEdit) m_values[index] = value;
}

void CKvMapProjDataFrame::SetParameters(const double* values) {
  for (int i = 0; i < m_count; ++i) m_values[i] = values[i];
}

bool CKvMapProjDataFrame::GetParameter(int index, std::string& label, double& value,
                                       EParamType& type) const {
  if (index < 0 || index >= m_count) return false;
  label = m_keys[index].label;
  value = m_values[index];
  type = m_keys[index].type;
  return true;
}

bool CKvMapProjDataFrame::IsSectionID(const std::string& sectionName) const {
  return sectionName == m_section || (m_oldSection && sectionName == m_oldSection);
}

// The alternative form of a keyword wins over the decimal one when both are
// present; a value that is absent in both forms stays as it was.
double CKvMapProjDataFrame::ReadParameter(void* section, const ParamKey& key,
                                          double current) const {
  double value = current;
  switch (key.form) {
    case eDmsKey: {
      int d = 0, m = 0;
      double s = 0.0;
      if (rcfGetParamDMS(section, key.altKey, &d, &m, &s)) {
        double sign = d < 0 ? -1.0 : 1.0;
        return d + sign * m / 60.0 + sign * s / 3600.0;
      }
      break;
    }
    case eReductionKey:
      if (rcfGetParam(section, key.altKey, &value, 1, 1)) return (value - 1.0) / value;
      break;
    case eFootKey:
      if (rcfGetParam(section, key.altKey, &value, 1, 1)) return value * kUsFootInMetres;
      break;
    case ePlainKey: break;
  }
  rcfGetParam(section, key.key, &value, 1, 1);
  return value;
}

void CKvMapProjDataFrame::ReadFromHandle(void* section, bool custom) {
  if (!section) return;
  rcfGetParam(section, ID_PROJECTION_NAME, &m_name, 1, 1);
  rcfGetParam(section, ID_BRANCH_NAME, &m_branch, 1, 1);
  rcfGetParam(section, ID_ELLIPSOID_ID, &m_ellipsoidId, 1, 1);
  for (int i = 0; i < m_count; ++i) m_values[i] = ReadParameter(section, m_keys[i], m_values[i]);
  m_canDelete = custom;
  m_canEdit = custom;
}

void CKvMapProjDataFrame::WriteToHandle(void* document) {
  if (!m_canEdit) return;
  rcfAddSection(document, m_section);
  rcfPutParam(document, ID_PROJECTION_NAME, kvcart::WritableText(m_name));
  rcfPutParam(document, ID_BRANCH_NAME, kvcart::WritableText(m_branch));
  rcfPutParam(document, ID_ELLIPSOID_ID, kvcart::WritableText(m_ellipsoidId));
  for (int i = 0; i < m_count; ++i) rcfPutParam(document, m_keys[i].key, m_values[i]);
  rcfEndSection(document);
}

const CKvEllipsoid* CKvMapProjDataFrame::FindEllipsoid() const {
  if (m_ellipsoidId.empty()) return nullptr;
  return CKvCartSetup::Instance().GetEllipsoidList().GetEllipsoid(m_ellipsoidId);
}

void CKvMapProjDataFrame::TransferParameters(CKvPRJParser& parser) const {
  TransferDefinition(parser, false);
}

void CKvMapProjDataFrame::TransferDefinition(CKvPRJParser& parser, bool fromProjection) const {
  parser.SetProjCSname(m_name.c_str());
  parser.SetGeoCSname("Unused");
  parser.SetDatum(m_branch.c_str());
  parser.SetPrimeMeridian("Greenwich", 0.0);
  parser.SetAngularUnit("Degree", 0.017453292519943295);
  const CKvEllipsoid* ellipsoid = FindEllipsoid();
  if (ellipsoid) {
    parser.SetEllipsoid(ellipsoid->GetName().c_str(), ellipsoid->GetMajor(),
                        ellipsoid->GetInvFlatness());
    parser.SetProjectionType(GetProjectionType());
    parser.SetProjectionTypeName(GetWktTypeName());
  } else {
    CKvEllipsoid fallback;
    if (fromProjection) {
      parser.SetEllipsoid(fallback.GetName().c_str(), fallback.GetMajor(),
                          fallback.GetInvFlatness());
    } else {
      parser.SetEllipsoid(" ", CKvPRJParser::kUnset, CKvPRJParser::kUnset);
    }
    parser.SetProjectionType(eNonProjected);
    parser.SetProjectionTypeName("Non_Projected");
  }
  TransferValues(parser);
  if (HasAngularCoordinates()) {
    parser.SetProjUnit("Degree", 1.0);
  } else {
    parser.SetProjUnit("Meter", 1.0);
  }
}
