// CLinearConversion: the conversion of values from one unit to another,
//   w = (v x factor_from + offset_from - offset_to) / factor_to,
// computed in double in exactly that order, so that every caller (and every
// run) gets the same bits.
//
// Arrays are the hot path of data-file reading and writing. The division
// dominates their cost, so Apply() replaces it by a multiplication wherever
// that cannot change a bit: when factor_to is a power of two whose
// reciprocal is exact (1 included), x / factor_to and x x (1 / factor_to)
// are the correctly rounded values of the same real number. Every other
// factor keeps the division.
//
// Float arrays take the multiplication in one more case, a pure change of
// scale (factor_from 1, no offsets) whose target factor has a short
// reciprocal R = 1 / factor_to (at most 29 significant bits, as for the
// centi- and milli- units): a float value has 24 significant bits, so
// v x R is exact in double, and when R x factor_to differs from 1 by less
// than 2^-55 the exact quotient v / factor_to lies nearer to it than half
// an ulp, so the division rounds to that same double.
//
// Elements equal to the delete value, and NaN elements, are left as they
// are; a NaN delete value equals no element, so every other element is
// converted. Float data are widened to double, converted and narrowed back.
#ifndef QTY_CLINEARCONVERSION_H
#define QTY_CLINEARCONVERSION_H

class CKVunit;

class CLinearConversion {
 public:
  CLinearConversion(const CKVunit& from, const CKVunit& to);
  CLinearConversion(double factorFrom, double offsetFrom, double offsetTo, double factorTo);

  double Convert(double value) const {
    return (value * m_factorFrom + m_offsetFrom - m_offsetTo) / m_factorTo;
  }

  // The instruction sets the array kernels come in. All give the same bits;
  // kBest is the widest the processor offers.
  enum class Kernel { kBest, kScalar, kAvx, kAvx512 };
  // Whether this processor can run the kernel.
  static bool Supports(Kernel kernel);

  void Apply(double* data, int count, double deleteValue, Kernel kernel = Kernel::kBest) const;
  void Apply(float* data, int count, float deleteValue, Kernel kernel = Kernel::kBest) const;

  // Whether Apply multiplies by the exact reciprocal instead of dividing.
  bool UsesReciprocal() const { return m_exactReciprocal; }
  // The same for float arrays, which also multiply for a short reciprocal.
  bool UsesReciprocalForFloats() const { return m_exactReciprocal || m_floatReciprocal; }

 private:
  double m_factorFrom;
  double m_offsetFrom;
  double m_offsetTo;
  double m_factorTo;
  double m_reciprocal;
  bool m_exactReciprocal;
  bool m_floatReciprocal;
};

#endif
