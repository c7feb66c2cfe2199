#include "qty/UnitExpression.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "qty/CKVregistry.h"
#include "qty/CKVunit.h"
#include "qty/CNumberText.h"

namespace {

constexpr size_t kMaxNumberLength = 23;
constexpr size_t kMaxNameLength = 127;
constexpr double kPi = 3.141592653589793;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsExponentLetter(char c) { return c == 'E' || c == 'e' || c == 'D' || c == 'd'; }

// A unit or a number; empty before the first operand.
struct Value {
  std::unique_ptr<CKVunit> unit;
  double number = 0.0;
  bool isNumber = false;

  bool IsEmpty() const { return !unit && !isNumber; }
  static Value Number(double x) {
    Value v;
    v.number = x;
    v.isNumber = true;
    return v;
  }
  static Value Unit(std::unique_ptr<CKVunit> u) {
    Value v;
    v.unit = std::move(u);
    return v;
  }
};

// A factor that keeps conversions defined.
bool IsUsableFactor(double f) { return f != 0.0 && std::isfinite(f); }

// A new nameless unit with offset 0, as every step of an expression yields.
std::unique_ptr<CKVunit> Fresh(const CKVunit& unit) {
  return std::make_unique<CKVunit>(std::string(), std::string(), -1L, unit);
}

// Works on ranges [begin, end) of one text. A "+" or "-" evaluates the rest of
// its range on its own and, when that fails, is passed over so that scanning
// goes on over the same rest; remembering which ranges failed keeps a text
// full of signs from being evaluated an exponential number of times.
class Evaluator {
 public:
  Evaluator(const CKVregistry& registry, const std::string& text)
      : m_registry(registry), m_text(text) {}

  bool Evaluate(size_t begin, size_t end, Value& result, int depth);

 private:
  bool ReadNumber(size_t& pos, size_t end, Value& operand) const;
  bool ReadName(size_t& pos, size_t end, Value& operand) const;
  bool ReadGroup(size_t& pos, size_t end, Value& operand, int depth);
  bool EvaluateRest(size_t begin, size_t end, Value& result, int depth);
  static bool Combine(Value& acc, char op, Value& operand);
  static bool ApplySign(Value& acc, char sign, Value& rest);

  // Deeper nesting of parentheses and signs than any unit needs.
  static constexpr int kMaxDepth = 200;

  const CKVregistry& m_registry;
  const std::string& m_text;
  std::set<std::pair<size_t, size_t>> m_failed;
};

// Number states: 1 integer digits, 2 fraction digits, 3 just after the
// exponent letter, 4 after the exponent's minus, 5 exponent digits.
bool Evaluator::ReadNumber(size_t& pos, size_t end, Value& operand) const {
  const std::string& text = m_text;
  const size_t start = pos;
  int state = 1;
  for (++pos; pos < end; ++pos) {
    const char c = text[pos];
    if (IsDigit(c)) {
      if (state >= 3) state = 5;
    } else if (c == '.' && state == 1) {
      state = 2;
    } else if (IsExponentLetter(c) && (state == 1 || state == 2)) {
      state = 3;
    } else if (c == '-' && state == 3) {
      state = 4;
    } else {
      break;
    }
  }
  if (state == 3 || state == 4) return false;
  if (pos - start > kMaxNumberLength) return false;
  // "D" is the Fortran exponent letter: 3d2 is 300, as a Fortran reader
  // would take it.
  char buffer[kMaxNumberLength + 1];
  for (size_t i = start; i < pos; ++i) {
    buffer[i - start] = (text[i] == 'd' || text[i] == 'D') ? 'e' : text[i];
  }
  buffer[pos - start] = '\0';
  char* stop = nullptr;
  const double value = qty::StrtodC(buffer, &stop);
  if (stop != buffer + (pos - start)) return false;
  operand = Value::Number(value);
  return true;
}

bool Evaluator::ReadName(size_t& pos, size_t end, Value& operand) const {
  const std::string& text = m_text;
  const size_t start = pos;
  while (pos < end && (IsLetter(text[pos]) || IsDigit(text[pos]))) ++pos;
  if (pos - start > kMaxNameLength) return false;
  const std::string name = text.substr(start, pos - start);
  if (const CKVunit* unit = m_registry.FindUnit(name)) {
    operand = Value::Unit(Fresh(*unit));
    return true;
  }
  if (name == "pi") {
    operand = Value::Number(kPi);
    return true;
  }
  return false;
}

bool Evaluator::ReadGroup(size_t& pos, size_t end, Value& operand, int depth) {
  int nesting = 0;
  for (size_t close = pos; close < end; ++close) {
    if (m_text[close] == '(') ++nesting;
    if (m_text[close] == ')' && --nesting == 0) {
      const bool ok = Evaluate(pos + 1, close, operand, depth + 1);
      pos = close + 1;
      return ok;
    }
  }
  return false;
}

bool Evaluator::EvaluateRest(size_t begin, size_t end, Value& result, int depth) {
  const std::pair<size_t, size_t> range(begin, end);
  if (m_failed.count(range)) return false;
  if (Evaluate(begin, end, result, depth + 1)) return true;
  m_failed.insert(range);
  return false;
}

bool Evaluator::Combine(Value& acc, char op, Value& operand) {
  if (acc.isNumber && operand.isNumber) {
    const double x = acc.number;
    const double y = operand.number;
    acc.number = op == '*' ? x * y : op == '/' ? x / y : std::pow(x, y);
    return true;
  }
  double factor = 0.0;
  std::unique_ptr<CKVunit> result;
  if (acc.unit && operand.unit) {
    if (op == '^') return false;
    const CKVunit& a = *acc.unit;
    const CKVunit& b = *operand.unit;
    factor = op == '*' ? a.GetFactor() * b.GetFactor() : a.GetFactor() / b.GetFactor();
    if (!IsUsableFactor(factor)) return false;
    result = Fresh(op == '*' ? a * b : a / b);
  } else if (acc.unit) {
    const CKVunit& u = *acc.unit;
    const double x = operand.number;
    if (!std::isfinite(x)) return false;
    factor = op == '*'   ? u.GetFactor() * x
             : op == '/' ? u.GetFactor() / x
                         : std::pow(u.GetFactor(), x);
    if (!IsUsableFactor(factor)) return false;
    result = Fresh(op == '*' ? u * x : op == '/' ? u / x : u ^ x);
  } else {
    const double x = acc.number;
    const CKVunit& u = *operand.unit;
    if (op == '^') return false;
    factor = op == '*' ? u.GetFactor() * x : x * (1.0 / u.GetFactor());
    if (!IsUsableFactor(factor)) return false;
    result = Fresh(op == '*' ? u * x : x / u);
  }
  acc = Value::Unit(std::move(result));
  return true;
}

bool Evaluator::ApplySign(Value& acc, char sign, Value& rest) {
  const double s = sign == '-' ? -1.0 : 1.0;
  if (acc.IsEmpty()) {
    if (!rest.isNumber) return false;
    acc = Value::Number(s * rest.number);
    return true;
  }
  if (acc.isNumber && rest.isNumber) {
    acc.number = sign == '-' ? acc.number - rest.number : acc.number + rest.number;
    return true;
  }
  if (acc.unit && rest.isNumber) {
    const double offset =
        sign == '-' ? acc.unit->GetOffset() - rest.number : acc.unit->GetOffset() + rest.number;
    if (!std::isfinite(offset)) return false;
    acc.unit->SetOffset(offset);
    return true;
  }
  if (acc.isNumber && rest.unit) {
    const double offset =
        sign == '-' ? acc.number - rest.unit->GetOffset() : acc.number + rest.unit->GetOffset();
    if (!std::isfinite(offset)) return false;
    rest.unit->SetOffset(offset);
    acc = std::move(rest);
    return true;
  }
  return false;
}

bool Evaluator::Evaluate(size_t begin, size_t end, Value& result, int depth) {
  if (begin >= end || depth > kMaxDepth) return false;
  Value acc;
  char pending = 0;
  size_t pos = begin;
  while (pos < end) {
    const char c = m_text[pos];
    Value operand;
    if (c == '*' || c == '/' || c == '^') {
      pending = c;
      ++pos;
      continue;
    }
    if (c == '+' || c == '-') {
      Value rest;
      if (EvaluateRest(pos + 1, end, rest, depth)) {
        if (!ApplySign(acc, c, rest)) return false;
        result = std::move(acc);
        return true;
      }
      ++pos;  // the sign is passed over
      continue;
    }
    bool read = false;
    if (c == '(') {
      read = ReadGroup(pos, end, operand, depth);
    } else if (IsDigit(c)) {
      read = ReadNumber(pos, end, operand);
    } else if (IsLetter(c)) {
      read = ReadName(pos, end, operand);
    }
    if (!read) return false;
    if (acc.IsEmpty()) {
      acc = std::move(operand);
    } else if (pending != 0) {
      if (!Combine(acc, pending, operand)) return false;
      pending = 0;
    } else {
      return false;
    }
  }
  if (acc.IsEmpty()) return false;
  result = std::move(acc);
  return true;
}

}  // namespace

bool bEvaluateExpression(const CKVregistry& registry, const char* text, CKVunit** unit,
                         double** number) {
  if (unit) *unit = nullptr;
  if (number) *number = nullptr;
  if (!text || !unit || !number) return false;
  const std::string expression(text);
  Value result;
  if (!Evaluator(registry, expression).Evaluate(0, expression.size(), result, 0)) return false;
  if (result.unit) {
    *unit = result.unit.release();
  } else {
    *number = new double(result.number);
  }
  return true;
}

bool bEvaluateExpression(const char* text, CKVunit** unit, double** number) {
  return bEvaluateExpression(QtyRegistry(), text, unit, number);
}
