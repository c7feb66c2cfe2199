// CKVdimension: the powers of the seven base dimensions of a quantity.
//
// Exponents are doubles because unit tables use fractional powers (Manning's
// M is m^(1/3)/s). Two dimensions are equal only when all seven exponents are
// bit-for-bit equal: a dimension computed as (1/3) must be written the same
// way wherever it appears, which the unit table does by building such units
// from the same expression shapes.
//
// Position order, everywhere in the library: length, mass, time,
// temperature, electric current, amount of substance, luminous intensity.
#ifndef QTY_CKVDIMENSION_H
#define QTY_CKVDIMENSION_H

namespace qty {
constexpr int kBaseDimensionCount = 7;
}

class CKVdimension {
 public:
  CKVdimension(const double& length, const double& mass, const double& time, const double& temp,
               const double& current, const double& substance, const double& luminous);
  CKVdimension(const CKVdimension& other);
  CKVdimension& operator=(const CKVdimension& other);
  virtual ~CKVdimension();

  void GetPowers(double& length, double& mass, double& time, double& temp, double& current,
                 double& substance, double& luminous) const;
  // Exponent at position 0..6.
  double Power(int position) const { return m_dPowers[position]; }

  bool IsEqv(const CKVdimension& other) const;

  // 0 non-dimensional; 1..7 a power of that single base dimension (length
  // squared is 1); 8 anything composite.
  int GetDimType() const;

  // The process-wide instances of the base dimensions; never destroyed, so
  // units may keep pointers to them for the life of the process.
  static const CKVdimension& GetNonDim();
  static const CKVdimension& GetLength();
  static const CKVdimension& GetMass();
  static const CKVdimension& GetTime();
  static const CKVdimension& GetTemp();
  static const CKVdimension& GetCurr();
  static const CKVdimension& GetSubs();
  static const CKVdimension& GetLumi();

 private:
  double m_dPowers[qty::kBaseDimensionCount];
};

CKVdimension operator*(const CKVdimension& a, const CKVdimension& b);
CKVdimension operator/(const CKVdimension& a, const CKVdimension& b);
CKVdimension operator^(const CKVdimension& a, const double& power);

#endif
