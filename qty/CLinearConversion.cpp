#include "qty/CLinearConversion.h"

#include <cmath>
#include <cstdint>

#include "qty/CKVunit.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define QTY_X86_KERNELS 1
#endif

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

// A pure change of scale of float values, v / f, is exactly v x r with
// r = 1/f rounded when r has at most 53 - 24 significant bits (v x r is then
// exact in double: no underflow or overflow for any float within the bounds
// below) and r x f is within 2^-55 of 1. The quotient is v x r x (1 + d) with
// |d| < 2^-54, nearer to v x r than half its ulp, so it rounds there.
bool HasExactFloatReciprocal(double fa, double oa, double ob, double f, double r) {
  if (fa != 1.0 || oa != 0.0 || ob != 0.0) return false;
  if (!std::isfinite(f) || !std::isfinite(r) || r == 0.0) return false;
  int exponent = 0;
  const double significand = std::frexp(std::fabs(r), &exponent);
  if (exponent < -800 || exponent > 800) return false;
  // The 53-bit significand as an integer: its low 24 bits must be zero.
  const double scaled = std::ldexp(significand, 53);
  if (std::fmod(scaled, 16777216.0) != 0.0) return false;
  // r x f - 1, rounded once; the margin covers that rounding.
  const double error = std::fma(r, f, -1.0);
  return std::fabs(error) < 0.99 * 0x1p-55;
}

// The constants of one conversion: w = (v * fa + oa - ob) op last, where op
// is a division by the target factor or a multiplication by its exact
// reciprocal.
struct Coefficients {
  double fa;
  double oa;
  double ob;
  double last;
};

enum class Op { kDivide, kMultiply };

template <Op op>
inline double Formula(double v, const Coefficients& c) {
  const double t = v * c.fa + c.oa - c.ob;
  return op == Op::kDivide ? t / c.last : t * c.last;
}

// Which elements are converted: those that are ordered and differ from the
// delete value (a NaN element is kept as it is, bits and all). A NaN delete
// value equals no element, so then every ordered element is converted; the
// comparison with the delete value alone would convert none.
enum class Test { kDeleteValue, kOrdered };

template <Test test, class T>
inline bool IsConverted(T x, T deleteValue) {
  if (test == Test::kOrdered)
    return x == x;  // NOLINT(misc-redundant-expression): false for NaN only
  return x < deleteValue || x > deleteValue;
}

template <Op op, Test test, class T>
void ScalarKernel(T* data, int count, T deleteValue, const Coefficients& c) {
  for (int i = 0; i < count; ++i) {
    const T x = data[i];
    if (IsConverted<test>(x, deleteValue))
      data[i] = static_cast<T>(Formula<op>(static_cast<double>(x), c));
  }
}

#ifdef QTY_X86_KERNELS
// GCC 12 warns about the deliberately undefined lanes inside its own
// AVX-512 intrinsics. Clang has no such warning group and would stop a
// -Werror build on the unknown name, so only GCC is told.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

// Vector kernels. The arithmetic is the scalar formula lane by lane (each
// IEEE operation rounds the same in a vector register as in a scalar one,
// and no multiply-add is fused), so they give the bits of ScalarKernel; the
// last elements that do not fill a vector go through ScalarKernel itself.

// Elements to convert one by one before `data` reaches an `alignment`-byte
// boundary: vector loads and stores that straddle cache lines cost extra.
template <class T>
int LeadingElements(const T* data, int count, uintptr_t alignment) {
  const uintptr_t address = reinterpret_cast<uintptr_t>(data);
  if (address % sizeof(T) != 0) return 0;
  const int lead = static_cast<int>(((alignment - address % alignment) % alignment) / sizeof(T));
  return lead < count ? lead : count;
}

// Lane masks of the elements to convert, as IsConverted.
template <Test test>
__attribute__((target("avx"))) inline __m256d Converted256(__m256d x, __m256d del) {
  return test == Test::kOrdered ? _mm256_cmp_pd(x, x, _CMP_ORD_Q)
                                : _mm256_cmp_pd(x, del, _CMP_NEQ_OQ);
}
template <Test test>
__attribute__((target("avx"))) inline __m128 Converted128(__m128 x, __m128 del) {
  return test == Test::kOrdered ? _mm_cmp_ps(x, x, _CMP_ORD_Q) : _mm_cmp_ps(x, del, _CMP_NEQ_OQ);
}
template <Test test>
__attribute__((target("avx512f"))) inline __mmask8 Converted512(__m512d x, __m512d del) {
  return test == Test::kOrdered ? _mm512_cmp_pd_mask(x, x, _CMP_ORD_Q)
                                : _mm512_cmp_pd_mask(x, del, _CMP_NEQ_OQ);
}
template <Test test>
__attribute__((target("avx512f"))) inline __mmask16 Converted512(__m512 x, __m512 del) {
  return test == Test::kOrdered ? _mm512_cmp_ps_mask(x, x, _CMP_ORD_Q)
                                : _mm512_cmp_ps_mask(x, del, _CMP_NEQ_OQ);
}

template <Op op>
__attribute__((target("avx"))) inline __m256d Formula256(__m256d x, __m256d fa, __m256d oa,
                                                         __m256d ob, __m256d last) {
  const __m256d t = _mm256_sub_pd(_mm256_add_pd(_mm256_mul_pd(x, fa), oa), ob);
  return op == Op::kDivide ? _mm256_div_pd(t, last) : _mm256_mul_pd(t, last);
}

template <Op op, Test test>
__attribute__((target("avx"))) void KernelAvx(double* data, int count, double deleteValue,
                                              const Coefficients& c) {
  const __m256d fa = _mm256_set1_pd(c.fa), oa = _mm256_set1_pd(c.oa), ob = _mm256_set1_pd(c.ob);
  const __m256d last = _mm256_set1_pd(c.last), del = _mm256_set1_pd(deleteValue);
  int i = LeadingElements(data, count, 64);
  ScalarKernel<op, test>(data, i, deleteValue, c);
  // Two vectors, one cache line, per step.
  for (; i + 8 <= count; i += 8) {
    const __m256d x0 = _mm256_loadu_pd(data + i);
    const __m256d x1 = _mm256_loadu_pd(data + i + 4);
    const __m256d y0 = Formula256<op>(x0, fa, oa, ob, last);
    const __m256d y1 = Formula256<op>(x1, fa, oa, ob, last);
    _mm256_storeu_pd(data + i, _mm256_blendv_pd(x0, y0, Converted256<test>(x0, del)));
    _mm256_storeu_pd(data + i + 4, _mm256_blendv_pd(x1, y1, Converted256<test>(x1, del)));
  }
  ScalarKernel<op, test>(data + i, count - i, deleteValue, c);
}

template <Op op, Test test>
__attribute__((target("avx"))) void KernelAvx(float* data, int count, float deleteValue,
                                              const Coefficients& c) {
  const __m256d fa = _mm256_set1_pd(c.fa), oa = _mm256_set1_pd(c.oa), ob = _mm256_set1_pd(c.ob);
  const __m256d last = _mm256_set1_pd(c.last);
  const __m128 del = _mm_set1_ps(deleteValue);
  int i = LeadingElements(data, count, 64);
  ScalarKernel<op, test>(data, i, deleteValue, c);
  for (; i + 4 <= count; i += 4) {
    const __m128 x = _mm_loadu_ps(data + i);
    const __m128 y = _mm256_cvtpd_ps(Formula256<op>(_mm256_cvtps_pd(x), fa, oa, ob, last));
    // Blended as floats: a signalling NaN must keep its bits.
    _mm_storeu_ps(data + i, _mm_blendv_ps(x, y, Converted128<test>(x, del)));
  }
  ScalarKernel<op, test>(data + i, count - i, deleteValue, c);
}

template <Op op>
__attribute__((target("avx512f"))) inline __m512d Formula512(__m512d x, __m512d fa, __m512d oa,
                                                             __m512d ob, __m512d last) {
  const __m512d t = _mm512_sub_pd(_mm512_add_pd(_mm512_mul_pd(x, fa), oa), ob);
  return op == Op::kDivide ? _mm512_div_pd(t, last) : _mm512_mul_pd(t, last);
}

template <Op op, Test test>
__attribute__((target("avx512f"))) void KernelAvx512(double* data, int count, double deleteValue,
                                                     const Coefficients& c) {
  const __m512d fa = _mm512_set1_pd(c.fa), oa = _mm512_set1_pd(c.oa), ob = _mm512_set1_pd(c.ob);
  const __m512d last = _mm512_set1_pd(c.last), del = _mm512_set1_pd(deleteValue);
  int i = LeadingElements(data, count, 64);
  ScalarKernel<op, test>(data, i, deleteValue, c);
  for (; i + 8 <= count; i += 8) {
    const __m512d x = _mm512_loadu_pd(data + i);
    const __mmask8 converted = Converted512<test>(x, del);
    _mm512_storeu_pd(data + i,
                     _mm512_mask_blend_pd(converted, x, Formula512<op>(x, fa, oa, ob, last)));
  }
  ScalarKernel<op, test>(data + i, count - i, deleteValue, c);
}

template <Op op, Test test>
__attribute__((target("avx512f"))) void KernelAvx512(float* data, int count, float deleteValue,
                                                     const Coefficients& c) {
  const __m512d fa = _mm512_set1_pd(c.fa), oa = _mm512_set1_pd(c.oa), ob = _mm512_set1_pd(c.ob);
  const __m512d last = _mm512_set1_pd(c.last);
  const __m512 del = _mm512_set1_ps(deleteValue);
  int i = LeadingElements(data, count, 64);
  ScalarKernel<op, test>(data, i, deleteValue, c);
  for (; i + 16 <= count; i += 16) {
    const __m512 x = _mm512_loadu_ps(data + i);
    const __m512d bits = _mm512_castps_pd(x);
    const __m256 low = _mm256_castpd_ps(_mm512_extractf64x4_pd(bits, 0));
    const __m256 high = _mm256_castpd_ps(_mm512_extractf64x4_pd(bits, 1));
    const __m256 yLow = _mm512_cvtpd_ps(Formula512<op>(_mm512_cvtps_pd(low), fa, oa, ob, last));
    const __m256 yHigh = _mm512_cvtpd_ps(Formula512<op>(_mm512_cvtps_pd(high), fa, oa, ob, last));
    const __m512d joined =
        _mm512_insertf64x4(_mm512_insertf64x4(_mm512_setzero_pd(), _mm256_castps_pd(yLow), 0),
                           _mm256_castps_pd(yHigh), 1);
    const __m512 y = _mm512_castpd_ps(joined);
    const __mmask16 converted = Converted512<test>(x, del);
    _mm512_storeu_ps(data + i, _mm512_mask_blend_ps(converted, x, y));
  }
  ScalarKernel<op, test>(data + i, count - i, deleteValue, c);
}

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
#endif

using Kernel = CLinearConversion::Kernel;

// The widest kernel the processor offers, found once per process.
Kernel BestKernel() {
  static const Kernel best = [] {
#ifdef QTY_X86_KERNELS
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f")) return Kernel::kAvx512;
    if (__builtin_cpu_supports("avx")) return Kernel::kAvx;
#endif
    return Kernel::kScalar;
  }();
  return best;
}

template <Op op, Test test, class T>
void RunTest(Kernel kernel, T* data, int count, T deleteValue, const Coefficients& c) {
#ifdef QTY_X86_KERNELS
  switch (kernel) {
    case Kernel::kAvx512: return KernelAvx512<op, test>(data, count, deleteValue, c);
    case Kernel::kAvx: return KernelAvx<op, test>(data, count, deleteValue, c);
    default: break;
  }
#endif
  (void)kernel;
  ScalarKernel<op, test>(data, count, deleteValue, c);
}

template <Op op, class T>
void Run(Kernel kernel, T* data, int count, T deleteValue, const Coefficients& c) {
  if (deleteValue == deleteValue) {  // NOLINT(misc-redundant-expression): not a NaN
    RunTest<op, Test::kDeleteValue>(kernel, data, count, deleteValue, c);
  } else {
    RunTest<op, Test::kOrdered>(kernel, data, count, deleteValue, c);
  }
}

template <class T>
void Apply(Kernel kernel, T* data, int count, T deleteValue, double fa, double oa, double ob,
           double fb, double reciprocal, bool exactReciprocal) {
  if (kernel == Kernel::kBest || !CLinearConversion::Supports(kernel)) kernel = BestKernel();
  if (exactReciprocal) {
    Run<Op::kMultiply>(kernel, data, count, deleteValue, Coefficients{fa, oa, ob, reciprocal});
  } else {
    Run<Op::kDivide>(kernel, data, count, deleteValue, Coefficients{fa, oa, ob, fb});
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
      m_exactReciprocal(HasExactReciprocal(factorTo)),
      m_floatReciprocal(
          HasExactFloatReciprocal(factorFrom, offsetFrom, offsetTo, factorTo, m_reciprocal)) {}

bool CLinearConversion::Supports(Kernel kernel) {
  switch (kernel) {
    case Kernel::kBest:
    case Kernel::kScalar: return true;
    case Kernel::kAvx: return BestKernel() == Kernel::kAvx || BestKernel() == Kernel::kAvx512;
    case Kernel::kAvx512: return BestKernel() == Kernel::kAvx512;
  }
  return false;
}

void CLinearConversion::Apply(double* data, int count, double deleteValue, Kernel kernel) const {
  ::Apply(kernel, data, count, deleteValue, m_factorFrom, m_offsetFrom, m_offsetTo, m_factorTo,
          m_reciprocal, m_exactReciprocal);
}

void CLinearConversion::Apply(float* data, int count, float deleteValue, Kernel kernel) const {
  ::Apply(kernel, data, count, deleteValue, m_factorFrom, m_offsetFrom, m_offsetTo, m_factorTo,
          m_reciprocal, UsesReciprocalForFloats());
}
