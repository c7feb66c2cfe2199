#include "rcf/Parser.h"

#include "rcf/ErrorState.h"
#include "rcf/NumberText.h"
#include "rcf/Syntax.h"
#include "rcf/rcf.h"

#include <string_view>

namespace rcf {
namespace {

// A failure inside one line: the code and what to tell the reader.
struct LineError {
  int code = RCF_OK;
  std::string what;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '-' || c == '.';
}

// A cursor over one line.
class LineScanner {
 public:
  explicit LineScanner(std::string_view line) : s_(line) {}

  void SkipBlanks() {
    while (i_ < s_.size() && IsBlank(s_[i_])) ++i_;
  }
  bool AtCommentStart() const { return s_.compare(i_, 2, kCommentStart) == 0; }
  // Nothing but blanks and perhaps a comment remains.
  bool AtLineEnd() {
    SkipBlanks();
    return i_ == s_.size() || AtCommentStart();
  }
  bool Take(char c) {
    if (i_ < s_.size() && s_[i_] == c) {
      ++i_;
      return true;
    }
    return false;
  }
  char Peek() const { return i_ < s_.size() ? s_[i_] : '\0'; }
  std::string_view TakeName() {
    const size_t start = i_;
    while (i_ < s_.size() && IsNameChar(s_[i_])) ++i_;
    return s_.substr(start, i_ - start);
  }
  // Up to the next c (not included); false when there is none.
  bool TakeUntil(char c, std::string_view& out) {
    const size_t at = s_.find(c, i_);
    if (at == std::string_view::npos) return false;
    out = s_.substr(i_, at - i_);
    i_ = at;
    return true;
  }
  // An unquoted value: up to a blank, a comma or a comment.
  std::string_view TakeBareValue() {
    const size_t start = i_;
    while (i_ < s_.size() && !IsBlank(s_[i_]) && s_[i_] != ',' && !AtCommentStart()) ++i_;
    return s_.substr(start, i_ - start);
  }
  // A quoted text whose opening quote is next; the quote doubled stands for itself.
  bool TakeQuoted(std::string& out) {
    const char quote = s_[i_++];
    out.clear();
    for (;;) {
      const size_t at = s_.find(quote, i_);
      if (at == std::string_view::npos) return false;
      out.append(s_.substr(i_, at - i_));
      i_ = at + 1;
      if (i_ < s_.size() && s_[i_] == quote) {
        out.push_back(quote);
        ++i_;
      } else {
        return true;
      }
    }
  }

 private:
  std::string_view s_;
  size_t i_ = 0;
};

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string Quoted(std::string_view s) { return "'" + std::string(s) + "'"; }

class Parser {
 public:
  explicit Parser(LineReader& reader) : reader_(reader), doc_(std::make_unique<Document>()) {}

  // Returns the document, or null with code(), what() and errorLine() set.
  std::unique_ptr<Document> Run();

  int code() const { return error_.code; }
  const std::string& what() const { return error_.what; }
  long errorLine() const { return errorLine_; }

 private:
  bool ParseLine(const std::string& line);
  bool ParseHeader(LineScanner& scan);
  bool ParseCloser(std::string_view word);
  bool ParseKeyword(std::string_view name, LineScanner& scan);
  bool ParseValue(LineScanner& scan, Param& param);
  bool CheckBytes(const std::string& line);
  bool Error(int code, std::string what) {
    error_.code = code;
    error_.what = std::move(what);
    return false;
  }

  LineReader& reader_;
  std::unique_ptr<Document> doc_;
  Group* target_ = nullptr;
  Group* section_ = nullptr;
  long targetLine_ = 0;
  long sectionLine_ = 0;
  LineError error_;
  long errorLine_ = 0;
};

std::unique_ptr<Document> Parser::Run() {
  std::string line;
  while (reader_.Next(line)) {
    if (!ParseLine(line)) {
      errorLine_ = reader_.lineNumber();
      return nullptr;
    }
  }
  errorLine_ = reader_.lineNumber();
  if (reader_.error() == RCF_ERR_LINE_TOO_LONG) {
    Error(RCF_ERR_LINE_TOO_LONG,
          "line longer than " + std::to_string(RCF_MAX_LINE_LENGTH) + " bytes");
    return nullptr;
  }
  if (reader_.error()) {
    Error(reader_.error(), "read error");
    return nullptr;
  }
  if (section_) {
    errorLine_ = sectionLine_;
    Error(RCF_ERR_UNTERMINATED_SECTION,
          "section " + Quoted(section_->Name()) + " is not closed by " + kEndSection);
    return nullptr;
  }
  if (target_) {
    errorLine_ = targetLine_;
    Error(RCF_ERR_UNTERMINATED_TARGET,
          "target " + Quoted(target_->Name()) + " is not closed by " + kEndTarget);
    return nullptr;
  }
  if (doc_->Targets().Count() == 0) {
    Error(RCF_ERR_EMPTY, "no target in the file");
    return nullptr;
  }
  return std::move(doc_);
}

bool Parser::CheckBytes(const std::string& line) {
  for (const char c : line) {
    const unsigned char u = static_cast<unsigned char>(c);
    if ((u < 0x20 && u != '\t') || u == 0x7f) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "0x%02X", u);
      return Error(RCF_ERR_BAD_BYTE, std::string("control byte ") + hex + " (not a text file?)");
    }
  }
  return true;
}

bool Parser::ParseLine(const std::string& line) {
  if (!CheckBytes(line)) return false;
  LineScanner scan(line);
  if (scan.AtLineEnd()) return true;  // blank or comment
  if (scan.Peek() == '[') return ParseHeader(scan);
  const std::string_view word = scan.TakeName();
  if (word.empty())
    return Error(RCF_ERR_SYNTAX, "expected a [name], a keyword, EndSect or EndTarget");
  if ((word == kEndSection || word == kEndTarget) && scan.AtLineEnd()) return ParseCloser(word);
  return ParseKeyword(word, scan);
}

bool Parser::ParseHeader(LineScanner& scan) {
  scan.Take('[');
  std::string_view inside;
  if (!scan.TakeUntil(']', inside)) return Error(RCF_ERR_SYNTAX, "missing ']'");
  scan.Take(']');
  const std::string name(Trimmed(inside));
  if (!IsValidName(name))
    return Error(RCF_ERR_BAD_NAME,
                 "bad name " + Quoted(name) + ": use letters, digits, '_', '-' and '.'");
  if (!scan.AtLineEnd()) return Error(RCF_ERR_SYNTAX, "text after ']'");
  if (section_)
    return Error(RCF_ERR_NESTED_SECTION, "section " + Quoted(name) + " inside section " +
                                             Quoted(section_->Name()) + " (missing " + kEndSection +
                                             "?)");
  if (target_) {
    section_ = target_->AddSection(name);
    sectionLine_ = reader_.lineNumber();
  } else {
    target_ = doc_->AddTarget(name);
    targetLine_ = reader_.lineNumber();
  }
  return true;
}

bool Parser::ParseCloser(std::string_view word) {
  if (word == kEndSection) {
    if (!section_)
      return Error(RCF_ERR_UNMATCHED_END, std::string(kEndSection) + " without an open section");
    section_ = nullptr;
    return true;
  }
  if (section_)
    return Error(RCF_ERR_UNTERMINATED_SECTION, std::string(kEndTarget) + " inside section " +
                                                   Quoted(section_->Name()) + " (missing " +
                                                   kEndSection + "?)");
  if (!target_)
    return Error(RCF_ERR_UNMATCHED_END, std::string(kEndTarget) + " without an open target");
  target_ = nullptr;
  return true;
}

bool Parser::ParseKeyword(std::string_view name, LineScanner& scan) {
  scan.SkipBlanks();
  if (!scan.Take('=')) {
    if (IsNameChar(scan.Peek()) || scan.Peek() == '\0')
      return Error(RCF_ERR_SYNTAX, "expected '=' after keyword " + Quoted(name));
    return Error(RCF_ERR_BAD_NAME, "bad keyword name: use letters, digits, '_', '-' and '.'");
  }
  Group* holder = section_ ? section_ : target_;
  if (!holder)
    return Error(RCF_ERR_OUTSIDE_TARGET, "keyword " + Quoted(name) + " outside a target");
  Keyword* keyword = holder->AddKeyword(std::string(name));
  if (scan.AtLineEnd()) return true;  // a keyword without parameters
  for (;;) {
    auto param = std::make_unique<Param>();
    if (!ParseValue(scan, *param)) return false;
    keyword->AddParam(std::move(param));
    if (scan.AtLineEnd()) return true;
    if (!scan.Take(',')) return Error(RCF_ERR_SYNTAX, "expected ',' between values");
    scan.SkipBlanks();
  }
}

bool Parser::ParseValue(LineScanner& scan, Param& param) {
  scan.SkipBlanks();
  const char c = scan.Peek();
  if (c == '\'' || c == '"') {
    if (!scan.TakeQuoted(param.text))
      return Error(RCF_ERR_UNTERMINATED_QUOTE, std::string("no closing ") + c + " on the line");
    param.type = ParamType::Text;
    return true;
  }
  const std::string_view token = scan.TakeBareValue();
  if (token.empty()) return Error(RCF_ERR_SYNTAX, "missing value");
  const ParsedNumber number = ParseNumber(token);
  switch (number.kind) {
    case NumberKind::Integer:
      param.type = ParamType::Integer;
      param.integer = number.integer;
      param.number = number.number;
      break;
    case NumberKind::Number:
      param.type = ParamType::Number;
      param.number = number.number;
      break;
    case NumberKind::OutOfRange:
      return Error(RCF_ERR_BAD_NUMBER, "number " + Quoted(token) + " is out of range");
    case NumberKind::Invalid:
      return Error(RCF_ERR_BAD_NUMBER,
                   Quoted(token) + " is no number (texts are written in quotes)");
  }
  param.text = std::string(token);
  return true;
}

}  // namespace

std::unique_ptr<Document> Parse(LineReader& reader, const std::string& sourceName) {
  Parser parser(reader);
  std::unique_ptr<Document> doc = parser.Run();
  if (!doc)
    Fail(parser.code(),
         sourceName + ":" + std::to_string(parser.errorLine()) + ": " + parser.what());
  return doc;
}

}  // namespace rcf
