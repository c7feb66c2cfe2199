#include "report.h"

#include <charconv>
#include <cmath>

namespace tools {

namespace {

// Length of the well-formed UTF-8 sequence at text[i], or 0.
size_t Utf8Length(const std::string& text, size_t i) {
  const unsigned char lead = static_cast<unsigned char>(text[i]);
  size_t length = 0;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  if (length == 0 || i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
  }
  return length;
}

std::string Hex(unsigned char c, const char* prefix, int digits) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out = prefix;
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out += kDigits[(c >> shift) & 15];
  return out;
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c < 0x20 || c == 0x7f) {
      out += Hex(c, "\\u", 4);
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (const size_t n = Utf8Length(text, i)) {
      out.append(text, i, n);
      i += n - 1;
    } else {  // a byte of another encoding: its Latin-1 character
      out += Hex(c, "\\u", 4);
    }
  }
  return out + "\"";
}

// Printable text for a terminal: control characters as \xNN.
std::string PlainString(const std::string& text) {
  std::string out;
  for (const char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    out += (c < 0x20 || c == 0x7f) ? Hex(c, "\\x", 2) : std::string(1, ch);
  }
  return out;
}

}  // namespace

std::string NumberText(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

std::string NumberText(float value) {
  if (!std::isfinite(value)) return NumberText(static_cast<double>(value));
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

Report Report::Object() { return Report(Kind::eObject); }
Report Report::List() { return Report(Kind::eList); }

Report& Report::Set(const std::string& key, const std::string& text) {
  Report value(Kind::eText);
  value.m_text = text;
  return Set(key, std::move(value));
}

Report& Report::Set(const std::string& key, const char* text) {
  return text ? Set(key, std::string(text)) : Set(key, Report(Kind::eNull));
}

Report& Report::Set(const std::string& key, double number) {
  Report value(Kind::eNumber);
  value.m_number = number;
  return Set(key, std::move(value));
}

Report& Report::Set(const std::string& key, float number) {
  Report value(Kind::eFloat);
  value.m_number = number;
  return Set(key, std::move(value));
}

Report& Report::Set(const std::string& key, long long number) {
  Report value(Kind::eInteger);
  value.m_integer = number;
  return Set(key, std::move(value));
}

Report& Report::Set(const std::string& key, bool flag) {
  Report value(Kind::eFlag);
  value.m_integer = flag ? 1 : 0;
  return Set(key, std::move(value));
}

Report& Report::Set(const std::string& key, Report child) {
  m_members.emplace_back(key, std::move(child));
  return *this;
}

Report& Report::Add(Report child) { return Set(std::string(), std::move(child)); }

Report& Report::Add(double number) {
  Report value(Kind::eNumber);
  value.m_number = number;
  return Add(std::move(value));
}

Report& Report::Add(float number) { return Set(std::string(), number); }

Report& Report::Add(const std::string& text) {
  Report value(Kind::eText);
  value.m_text = text;
  return Add(std::move(value));
}

std::string Report::ScalarText(bool json) const {
  switch (m_kind) {
    case Kind::eText: return json ? JsonString(m_text) : PlainString(m_text);
    case Kind::eNumber:
    case Kind::eFloat: {
      const std::string text =
          m_kind == Kind::eFloat ? NumberText(static_cast<float>(m_number)) : NumberText(m_number);
      return json && !std::isfinite(m_number) ? JsonString(text) : text;
    }
    case Kind::eInteger: return std::to_string(m_integer);
    case Kind::eFlag: return m_integer ? "true" : "false";
    default: return json ? "null" : "-";
  }
}

void Report::Json(std::string& out, int indent) const {
  if (!IsContainer()) {
    out += ScalarText(true);
    return;
  }
  const bool object = m_kind == Kind::eObject;
  if (m_members.empty()) {
    out += object ? "{}" : "[]";
    return;
  }
  bool flat = !object;  // a list of scalars goes on one line
  for (const auto& member : m_members) flat = flat && !member.second.IsContainer();
  out += object ? "{" : "[";
  for (size_t i = 0; i < m_members.size(); ++i) {
    out += i ? "," : "";
    if (flat) {
      out += i ? " " : "";
    } else {
      out += "\n" + std::string(indent + 2, ' ');
    }
    if (object) out += JsonString(m_members[i].first) + ": ";
    m_members[i].second.Json(out, indent + 2);
  }
  if (!flat) out += "\n" + std::string(indent, ' ');
  out += object ? "}" : "]";
}

bool Report::IsShort() const {
  constexpr size_t kMembers = 4, kWidth = 60;
  if (!IsContainer() || m_members.empty()) return false;
  if (m_kind == Kind::eObject && m_members.size() > kMembers) return false;
  for (const auto& member : m_members) {
    if (member.second.IsContainer()) return false;
  }
  return InlineText().size() <= kWidth;
}

std::string Report::InlineText() const {
  const bool object = m_kind == Kind::eObject;
  std::string text = object ? "{" : "[";
  for (size_t i = 0; i < m_members.size(); ++i) {
    if (i) text += ", ";
    if (object) text += PlainString(m_members[i].first) + ": ";
    text += m_members[i].second.ScalarText(false);
  }
  return text + (object ? "}" : "]");
}

void Report::Text(std::string& out, int indent) const {
  const std::string pad(indent, ' ');
  for (const auto& member : m_members) {
    const Report& value = member.second;
    const bool listed = m_kind == Kind::eList;
    const std::string head = pad + (listed ? "-" : PlainString(member.first) + ":");
    if (!value.IsContainer()) {
      out += head + " " + value.ScalarText(false) + "\n";
    } else if (value.m_members.empty()) {
      out += head + " (none)\n";
    } else if (value.IsShort()) {
      out += head + " " + value.InlineText() + "\n";
    } else if (listed) {
      // "- first: value" with the other members below it, as YAML writes it
      std::string child;
      value.Text(child, indent + 2);
      child.replace(indent, 1, "-");
      out += child;
    } else {
      out += head + "\n";
      value.Text(out, indent + 2);
    }
  }
}

void Report::WriteJson(std::FILE* out) const {
  std::string text;
  Json(text, 0);
  text += "\n";
  std::fwrite(text.data(), 1, text.size(), out);
}

void Report::WriteText(std::FILE* out) const {
  std::string text;
  Text(text, 0);
  std::fwrite(text.data(), 1, text.size(), out);
}

}  // namespace tools
