// CKVunit: an engineering unit as a linear map to the base unit of its
// dimension: base value = value x factor + offset.
//
// A unit either shares one of the process-wide base dimensions (units made
// by the loader for the base units) or owns a dimension computed from an
// expression. Exactly one of the two is set, and the factor is never 0: a
// zero factor would make every conversion into the unit divide by zero. The
// expression evaluator refuses such units before they are built, so the
// invariant is a programming check, not an input check.
//
// The base-dimension factors record how the unit scales each base dimension
// (km/h: 1000 for length, 1/3600 for time); the integration and derivation
// look-ups use them to find, say, the unit of volume that a discharge in
// l/s gives when summed over minutes.
#ifndef QTY_CKVUNIT_H
#define QTY_CKVUNIT_H

#include <string>
#include <vector>

#include "qty/CKVdimension.h"

class CKVunit {
 public:
  // Shares `dim`, which must outlive the unit (one of the shared instances).
  CKVunit(const std::string& key, const std::string& abbreviation, long id, const double& factor,
          const CKVdimension& dim);
  CKVunit(const std::string& key, const std::string& abbreviation, long id, const double& factor,
          const double& offset, const CKVdimension& dim);
  // Factor and base-dimension factors of src, an owned copy of its
  // dimension, offset 0.
  CKVunit(const std::string& key, const std::string& abbreviation, long id, const CKVunit& src);
  // As above but sharing `dim`.
  CKVunit(const std::string& key, const std::string& abbreviation, long id, const CKVunit& src,
          const CKVdimension& dim);
  // Names, aliases, factor, base-dimension factors and dimension of src; the
  // ident and expression are empty, the id -1 and the offset 0.
  CKVunit(const CKVunit& src);
  // Moves everything, names and offset included; the moved-from unit may
  // only be destroyed.
  CKVunit(CKVunit&& src) noexcept;
  // A nameless unit of an owned copy of `dim`. When dim is a power of one
  // base dimension, that dimension's factor is `factor`.
  CKVunit(const double& factor, const CKVdimension& dim);
  CKVunit& operator=(const CKVunit&) = delete;
  virtual ~CKVunit();

  const CKVdimension& GetDim() const;
  bool IsEqv(const CKVunit& other) const;
  bool IsEqv(const CKVdimension& dim) const;

  bool IsAlias(const std::string& text) const;
  // Appends the ';'-separated parts of text to the aliases; empty parts are
  // dropped.
  void SetAlias(const std::string& text);
  const std::vector<std::string>& GetAliases() const { return m_aliases; }

  void GetFactors(double& length, double& mass, double& time, double& temp, double& current,
                  double& substance, double& luminous) const;
  double GetBaseFactor(int position) const { return m_dBaseFactors[position]; }
  void SetBaseFactor(int position, double value) { m_dBaseFactors[position] = value; }

  // Empties aliases, abbreviation, key and ident; keeps the expression.
  void RemoveDesc();
  void AssertValid() const;

  double GetFactor() const;
  double GetOffset() const { return m_dOffset; }
  void SetOffset(double offset) { m_dOffset = offset; }

  long GetId() const { return m_nId; }
  void SetId(long id) { m_nId = id; }
  const std::string& GetKey() const { return m_key; }
  void SetKey(const std::string& key) { m_key = key; }
  const std::string& GetAbbreviation() const { return m_abbreviation; }
  void SetAbbreviation(const std::string& abbreviation) { m_abbreviation = abbreviation; }
  const std::string& GetIdent() const { return m_ident; }
  void SetIdent(const std::string& ident) { m_ident = ident; }
  const std::string& GetExpression() const { return m_expression; }
  void SetExpression(const std::string& expression) { m_expression = expression; }

  // The conversion formulas; the order of operations is part of the
  // contract (results must be reproducible to the last bit).
  double ToBase(double value) const { return value * m_dFactor + m_dOffset; }
  double FromBase(double base) const { return (base - m_dOffset) / m_dFactor; }

 private:
  void SetAllBaseFactors(double value);

  std::vector<std::string> m_aliases;
  std::string m_abbreviation;
  std::string m_key;
  std::string m_ident;
  std::string m_expression;
  long m_nId = -1;
  const CKVdimension* m_pDimParent = nullptr;
  CKVdimension* m_pDimTemp = nullptr;
  double m_dFactor = 1.0;
  double m_dOffset = 0.0;
  double m_dBaseFactors[qty::kBaseDimensionCount];
};

// Unit arithmetic. Results are nameless units (id -1, offset 0): an offset
// has no meaning in a product, so Celsius times metre is kelvin-metre.
CKVunit operator*(const CKVunit& a, const CKVunit& b);
CKVunit operator/(const CKVunit& a, const CKVunit& b);
CKVunit operator*(const CKVunit& unit, const double& x);
CKVunit operator/(const CKVunit& unit, const double& x);
CKVunit operator/(const double& x, const CKVunit& unit);
CKVunit operator^(const CKVunit& unit, const double& power);

#endif
