#include "qty/CLinearConversion.h"

#include <cmath>

#include "qty/CKVunit.h"

namespace {

// 1/f is exact, and so x / f == x * (1/f) for every x, exactly when f is a
// power of two whose reciprocal is representable (not overflowing).
bool HasExactReciprocal(double f) {
  if (!std::isfinite(f) || f == 0.0) return false;
  int exponent = 0;
  if (std::fabs(std::frexp(f, &exponent)) != 0.5) return false;
  const double r = 1.0 / f;
  return std::isfinite(r) && r * f == 1.0;
}

// Elements to convert: ordered and different from the delete value (a NaN
// compares unordered and is kept as it is).
template <class T>
inline bool IsConverted(T x, T deleteValue) {
  return x < deleteValue || x > deleteValue;
}

// The kernels are kept branch-free per element so that the compiler turns
// them into vector code: the result is computed for every element and the
// original kept where it must not change.
template <class T>
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__clang__)
__attribute__((target_clones("avx2", "default")))
#endif
void DivideKernel(T* data, int count, T deleteValue, double fa, double oa, double ob,
                  double fb) {
  for (int i = 0; i < count; ++i) {
    const T x = data[i];
    const T y = static_cast<T>((static_cast<double>(x) * fa + oa - ob) / fb);
    data[i] = IsConverted(x, deleteValue) ? y : x;
  }
}

template <class T>
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__clang__)
__attribute__((target_clones("avx2", "default")))
#endif
void MultiplyKernel(T* data, int count, T deleteValue, double fa, double oa, double ob,
                    double reciprocal) {
  for (int i = 0; i < count; ++i) {
    const T x = data[i];
    const T y = static_cast<T>((static_cast<double>(x) * fa + oa - ob) * reciprocal);
    data[i] = IsConverted(x, deleteValue) ? y : x;
  }
}

}  // namespace

CLinearConversion::CLinearConversion(const CKVunit& from, const CKVunit& to)
    : CLinearConversion(from.GetFactor(), from.GetOffset(), to.GetOffset(), to.GetFactor()) {}

CLinearConversion::CLinearConversion(double factorFrom, double offsetFrom, double offsetTo,
                                     double factorTo)
    : m_factorFrom(factorFrom),
      m_offsetFrom(offsetFrom),
      m_offsetTo(offsetTo),
      m_factorTo(factorTo),
      m_reciprocal(1.0 / factorTo),
      m_exactReciprocal(HasExactReciprocal(factorTo)) {}

void CLinearConversion::Apply(double* data, int count, double deleteValue) const {
  if (m_exactReciprocal) {
    MultiplyKernel(data, count, deleteValue, m_factorFrom, m_offsetFrom, m_offsetTo, m_reciprocal);
  } else {
    DivideKernel(data, count, deleteValue, m_factorFrom, m_offsetFrom, m_offsetTo, m_factorTo);
  }
}

void CLinearConversion::Apply(float* data, int count, float deleteValue) const {
  if (m_exactReciprocal) {
    MultiplyKernel(data, count, deleteValue, m_factorFrom, m_offsetFrom, m_offsetTo, m_reciprocal);
  } else {
    DivideKernel(data, count, deleteValue, m_factorFrom, m_offsetFrom, m_offsetTo, m_factorTo);
  }
}
