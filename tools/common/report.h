// What a tool found, as an ordered tree of named values, written either as
// JSON (--json) or as indented "key: value" text. One tree for both keeps
// the two outputs saying the same.
//
// Numbers are written in their shortest form that reads back to the same
// double or float ("0.1", "1e-35"), in the "C" form whatever the locale; as
// text, lists and objects of a few scalars go on one line ("[200, 150]",
// "{id: 1000, name: meter}"). NaN and the
// infinities as the texts "nan", "inf", "-inf" (JSON has no such numbers).
// Texts from files are written safely: control characters as escapes, and in
// JSON bytes that are not UTF-8 as the Latin-1 characters they would be.
#ifndef TOOLS_COMMON_REPORT_H
#define TOOLS_COMMON_REPORT_H

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tools {

class Report {
 public:
  // An empty object (named members) or list (unnamed members).
  static Report Object();
  static Report List();

  Report& Set(const std::string& key, const std::string& text);
  Report& Set(const std::string& key, const char* text);  // null: JSON null
  Report& Set(const std::string& key, double number);
  // A float in its own shortest form ("0.1", where the double would give
  // "0.10000000149011612").
  Report& Set(const std::string& key, float number);
  Report& Set(const std::string& key, long long number);
  Report& Set(const std::string& key, int number) {
    return Set(key, static_cast<long long>(number));
  }
  Report& Set(const std::string& key, unsigned number) {
    return Set(key, static_cast<long long>(number));
  }
  Report& Set(const std::string& key, bool flag);
  Report& Set(const std::string& key, Report child);
  // Appends to a list.
  Report& Add(Report child);
  Report& Add(double number);
  Report& Add(float number);
  Report& Add(const std::string& text);

  bool IsEmpty() const { return m_members.empty(); }

  void WriteJson(std::FILE* out) const;
  void WriteText(std::FILE* out) const;

 private:
  enum class Kind { eObject, eList, eText, eNumber, eFloat, eInteger, eFlag, eNull };
  explicit Report(Kind kind) : m_kind(kind) {}

  void Json(std::string& out, int indent) const;
  void Text(std::string& out, int indent) const;
  std::string ScalarText(bool json) const;
  bool IsContainer() const { return m_kind == Kind::eObject || m_kind == Kind::eList; }
  // A container of a few scalars, written on one line as text.
  bool IsShort() const;
  std::string InlineText() const;

  Kind m_kind;
  std::string m_text;
  double m_number = 0.0;
  long long m_integer = 0;
  std::vector<std::pair<std::string, Report>> m_members;
};

// The shortest text that reads back to the same double (float), "C" form.
std::string NumberText(double value);
std::string NumberText(float value);

}  // namespace tools

#endif
