// Reading parameter values, with the conversions between integers and numbers.
#include "rcf/ErrorState.h"
#include "rcf/Handles.h"
#include "rcf/rcf.h"

#include <climits>
#include <cmath>

namespace {

// A number as an int: truncated toward zero like a C cast, but defined for
// every double: clamped to the int range, NaN as 0.
int TruncatedToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(value);
}

const rcf::Param* FindParam(void* targetOrSection, RcfName keyword, int instance, int param) {
  void* k = rcfKeywordByNameNum(targetOrSection, keyword, instance);
  return rcf::AsParam(rcfParamByNum(k, param));
}

}  // namespace

int rcfGetParamType(void* param) {
  const rcf::Param* p = rcf::AsParam(param);
  if (!p) return RCF_PARAM_NONE;
  switch (p->type) {
    case rcf::ParamType::Text: return RCF_PARAM_TEXT;
    case rcf::ParamType::Integer: return RCF_PARAM_INT;
    case rcf::ParamType::Number: return RCF_PARAM_NUMBER;
  }
  return RCF_PARAM_NONE;
}

int rcfGetInt(void* param) {
  const rcf::Param* p = rcf::AsParam(param);
  if (!p) return 0;
  switch (p->type) {
    case rcf::ParamType::Integer: return p->integer;
    case rcf::ParamType::Number: return TruncatedToInt(p->number);
    case rcf::ParamType::Text: return 0;
  }
  return 0;
}

double rcfGetDouble(void* param) {
  const rcf::Param* p = rcf::AsParam(param);
  return p && p->type != rcf::ParamType::Text ? p->number : 0.0;
}

const char* rcfGetText(void* param) {
  const rcf::Param* p = rcf::AsParam(param);
  return p ? p->text.c_str() : "";
}

// The text outputs copy: running out of memory there is "not found", with
// the error state saying why.
int rcfGetParam(void* targetOrSection, RcfName keyword, CString* out, int instance, int param) {
  return rcf::Guarded(0, [&] {
    const rcf::Param* p = FindParam(targetOrSection, keyword, instance, param);
    if (!p || !out) return 0;
    out->SetString(p->text.data(), static_cast<int>(p->text.size()));
    return 1;
  });
}

int rcfGetParam(void* targetOrSection, RcfName keyword, double* out, int instance, int param) {
  const rcf::Param* p = FindParam(targetOrSection, keyword, instance, param);
  if (!p || !out || p->type == rcf::ParamType::Text) return 0;
  *out = p->number;
  return 1;
}

int rcfGetParam(void* targetOrSection, RcfName keyword, int* out, int instance, int param) {
  const rcf::Param* p = FindParam(targetOrSection, keyword, instance, param);
  if (!p || !out || p->type == rcf::ParamType::Text) return 0;
  *out = rcfGetInt(const_cast<rcf::Param*>(p));
  return 1;
}

int rcfGetParam(void* targetOrSection, RcfName keyword, std::string* out, int instance, int param) {
  return rcf::Guarded(0, [&] {
    const rcf::Param* p = FindParam(targetOrSection, keyword, instance, param);
    if (!p || !out) return 0;
    *out = p->text;
    return 1;
  });
}
