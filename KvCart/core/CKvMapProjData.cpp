#include "KvCart/core/CKvMapProjData.h"

#include "rcf/rcf.h"

CKvMapProjData::~CKvMapProjData() = default;

int CKvMapProjData::GetNoOfProjections() { return 20; }

CKvMapProjData::EProjectionType CKvMapProjData::Enum2ProjectionType(int index) {
  return static_cast<EProjectionType>(index + 1);
}

int CKvMapProjData::ProjectionType2Enum(EProjectionType type) { return type - 1; }

bool CKvMapProjData::IsEquivalent(int mask, EProjectionType type) {
  if (type == eNonProjected || type == eUndefined) return false;
  if (type == eGeographical || type == eRotatedLongitudeLatitude) return (mask & 2) != 0;
  return (mask & 1) != 0;
}

bool CKvMapProjData::rcfGetParamDMS(void* section, const char* keyword, int* degrees, int* minutes,
                                    double* seconds) {
  *degrees = 0;
  *minutes = 0;
  *seconds = 0.0;
  void* key = rcfKeywordByNameNum(section, keyword, 1);
  if (!key) return false;
  int count = rcfGetNoParams(key);
  *degrees = rcfGetInt(rcfParamByNum(key, 1));
  if (count >= 2) *minutes = rcfGetInt(rcfParamByNum(key, 2));
  if (count >= 3) *seconds = rcfGetDouble(rcfParamByNum(key, 3));
  return true;
}
