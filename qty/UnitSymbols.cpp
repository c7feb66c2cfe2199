#include "qty/UnitSymbols.h"

#include <cmath>
#include <cstring>
#include <memory>

#include "qty/CKVregistry.h"
#include "qty/CKVunit.h"
#include "qty/FlatSupport.h"
#include "qty/UnitExpression.h"

namespace qty {

namespace {

// Library-made base units (Length, Mass, ...): ids 1 to 8.
constexpr long kLastBaseUnitId = 8;
// Deeper nesting of parentheses than any unit needs.
constexpr int kMaxDepth = 64;
// Longer texts are no unit symbols; the bound keeps hostile input cheap.
constexpr size_t kMaxSymbolLength = 1000;
const char kMiddleDot[] = "\xC2\xB7";  // "·", as in "N·m"
const char kDegree[] = "\xC2\xB0";     // "°"
const char kMicro[] = "\xC2\xB5";      // "µ"

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsRegistered(const CKVunit* unit) { return unit && unit->GetId() != 0; }

const CKVunit* ByNameOrAlias(const CKVregistry& registry, const std::string& text) {
  for (const CKVunit* unit : registry.UnitList()) {
    if (KeyMatches(unit->GetKey(), text.c_str()) || unit->IsAlias(text)) return unit;
  }
  return nullptr;
}

// A name as it stands: abbreviation, then name or alias, then ident.
const CKVunit* ByName(const CKVregistry& registry, const std::string& name) {
  if (const CKVunit* unit = FindUnitByAbbreviation(registry, name)) return unit;
  if (const CKVunit* unit = ByNameOrAlias(registry, name)) return unit;
  return registry.FindUnit(name);
}

// The ASCII spellings of "°" and "µ": "degC" for "°C", "um" for "µm".
const CKVunit* ByAsciiSpelling(const CKVregistry& registry, const std::string& name) {
  if (name.size() > 3 && name.compare(0, 3, "deg") == 0) {
    return FindUnitByAbbreviation(registry, kDegree + name.substr(3));
  }
  if (name.size() > 1 && name[0] == 'u') {
    return FindUnitByAbbreviation(registry, kMicro + name.substr(1));
  }
  return nullptr;
}

const CKVunit* ByAnyName(const CKVregistry& registry, const std::string& name) {
  const CKVunit* unit = ByName(registry, name);
  return IsRegistered(unit) ? unit : ByAsciiSpelling(registry, name);
}

// Recursive descent over one symbol text, writing the table's syntax:
//   expression := term { ("*" | "/" | "·") term }
//   term       := factor [ "^" [ "-" | "+" ] number ]
//   factor     := name | number | "(" expression ")"
class SymbolParser {
 public:
  SymbolParser(const CKVregistry& registry, const std::string& text)
      : m_registry(registry), m_text(text) {}

  bool Parse(std::string* out) {
    std::string expression;
    if (!Expression(expression, 0)) return false;
    SkipBlanks();
    if (m_pos != m_text.size()) return false;
    *out = expression;
    return true;
  }

 private:
  bool Expression(std::string& out, int depth) {
    std::string term;
    if (!Term(term, depth)) return false;
    out = "(" + term;
    for (char op = NextOperator(); op; op = NextOperator()) {
      if (!Term(term, depth)) return false;
      out += op + term;
    }
    out += ")";
    return true;
  }

  // "*", "/" or "·" (as "*"), consumed; 0 when none follows.
  char NextOperator() {
    SkipBlanks();
    if (m_pos < m_text.size() && (m_text[m_pos] == '*' || m_text[m_pos] == '/')) {
      return m_text[m_pos++];
    }
    if (m_text.compare(m_pos, 2, kMiddleDot) == 0) {
      m_pos += 2;
      return '*';
    }
    return 0;
  }

  bool Term(std::string& out, int depth) {
    std::string factor;
    if (!Factor(factor, depth)) return false;
    SkipBlanks();
    if (m_pos >= m_text.size() || m_text[m_pos] != '^') {
      out = factor;
      return true;
    }
    ++m_pos;
    SkipBlanks();
    const bool negative = m_pos < m_text.size() && m_text[m_pos] == '-';
    if (m_pos < m_text.size() && (m_text[m_pos] == '-' || m_text[m_pos] == '+')) ++m_pos;
    std::string power;
    if (!Number(power)) return false;
    const std::string raised = "(" + factor + "^" + power + ")";
    out = negative ? "(1/" + raised + ")" : raised;
    return true;
  }

  bool Factor(std::string& out, int depth) {
    SkipBlanks();
    if (m_pos >= m_text.size()) return false;
    if (m_text[m_pos] == '(') {
      if (depth >= kMaxDepth) return false;
      ++m_pos;
      if (!Expression(out, depth + 1)) return false;
      SkipBlanks();
      if (m_pos >= m_text.size() || m_text[m_pos] != ')') return false;
      ++m_pos;
      return true;
    }
    if (IsDigit(m_text[m_pos])) return Number(out);
    return Name(out);
  }

  // digits [ "." digits ] [ ("e" | "E") [ "-" ] digits ]: the numbers the
  // table's evaluator reads.
  bool Number(std::string& out) {
    const size_t start = m_pos;
    auto digits = [&] {
      const size_t from = m_pos;
      while (m_pos < m_text.size() && IsDigit(m_text[m_pos])) ++m_pos;
      return m_pos > from;
    };
    if (!digits()) return false;
    if (m_pos < m_text.size() && m_text[m_pos] == '.' && (++m_pos, !digits())) return false;
    if (m_pos < m_text.size() && (m_text[m_pos] == 'e' || m_text[m_pos] == 'E')) {
      ++m_pos;
      if (m_pos < m_text.size() && m_text[m_pos] == '-') ++m_pos;
      if (!digits()) return false;
    }
    out = m_text.substr(start, m_pos - start);
    return true;
  }

  // A run of anything but blanks, digits at its start, operators and
  // parentheses: letters, "_", "%", and the bytes of "°", "µ", "‰".
  bool Name(std::string& out) {
    const size_t start = m_pos;
    while (m_pos < m_text.size() && !EndsName(m_pos)) ++m_pos;
    if (m_pos == start) return false;
    const std::string name = m_text.substr(start, m_pos - start);
    const CKVunit* unit = ByAnyName(m_registry, name);
    if (IsRegistered(unit) && !unit->GetIdent().empty()) {
      out = unit->GetIdent();
      return true;
    }
    return PoweredName(name, out);
  }

  bool EndsName(size_t pos) const {
    const char c = m_text[pos];
    return IsBlank(c) || std::strchr("*/^()", c) || m_text.compare(pos, 2, kMiddleDot) == 0;
  }

  // "m3": a known name followed by the digits of a power.
  bool PoweredName(const std::string& name, std::string& out) const {
    size_t digits = name.size();
    while (digits > 0 && IsDigit(name[digits - 1])) --digits;
    if (digits == 0 || digits == name.size()) return false;
    const CKVunit* unit = ByAnyName(m_registry, name.substr(0, digits));
    if (!IsRegistered(unit) || unit->GetIdent().empty()) return false;
    out = "(" + unit->GetIdent() + "^" + name.substr(digits) + ")";
    return true;
  }

  void SkipBlanks() {
    while (m_pos < m_text.size() && IsBlank(m_text[m_pos])) ++m_pos;
  }

  const CKVregistry& m_registry;
  const std::string& m_text;
  size_t m_pos = 0;
};

bool SameFactor(double a, double b) {
  return a == b || std::fabs(a - b) <= 1e-12 * std::fmax(std::fabs(a), std::fabs(b));
}

// The registered unit equal to a computed one: the table's own before a
// base unit of the same value.
const CKVunit* MatchingUnit(const CKVregistry& registry, const CKVunit& computed) {
  const CKVunit* base = nullptr;
  for (const CKVunit* unit : registry.UnitList()) {
    if (!IsRegistered(unit) || unit->GetOffset() != 0.0 || !unit->IsEqv(computed) ||
        !SameFactor(unit->GetFactor(), computed.GetFactor())) {
      continue;
    }
    if (unit->GetId() > kLastBaseUnitId) return unit;
    if (!base) base = unit;
  }
  return base;
}

std::string Trimmed(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

}  // namespace

const CKVunit* FindUnitByAbbreviation(const CKVregistry& registry,
                                      const std::string& abbreviation) {
  if (abbreviation.empty()) return nullptr;
  for (const CKVunit* unit : registry.UnitList()) {
    if (unit->GetAbbreviation() == abbreviation) return unit;
  }
  return nullptr;
}

bool SymbolToExpression(const CKVregistry& registry, const std::string& text,
                        std::string* expression) {
  if (text.size() > kMaxSymbolLength) return false;
  return SymbolParser(registry, text).Parse(expression);
}

const CKVunit* FindUnitBySymbol(const CKVregistry& registry, const std::string& text) {
  const std::string symbol = Trimmed(text);
  if (symbol.empty() || symbol.size() > kMaxSymbolLength) return nullptr;
  const CKVunit* named = ByAnyName(registry, symbol);
  if (IsRegistered(named)) return named;
  std::string expression;
  if (!SymbolToExpression(registry, symbol, &expression)) return nullptr;
  CKVunit* unit = nullptr;
  double* number = nullptr;
  if (!bEvaluateExpression(registry, expression.c_str(), &unit, &number)) return nullptr;
  const std::unique_ptr<CKVunit> computed(unit);
  const std::unique_ptr<double> ignored(number);  // a plain number names no unit
  return computed ? MatchingUnit(registry, *computed) : nullptr;
}

}  // namespace qty
