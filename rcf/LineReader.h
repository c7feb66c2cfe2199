// Splits a file or a text in memory into lines, without ever holding more
// than one line of at most RCF_MAX_LINE_LENGTH bytes: a file with an endless
// line fails early instead of exhausting memory.
#ifndef KORACORE_RCF_LINEREADER_H
#define KORACORE_RCF_LINEREADER_H

#include <cstdio>
#include <string>

namespace rcf {

class LineReader {
 public:
  explicit LineReader(std::FILE* file);  // does not take ownership
  LineReader(const char* text, size_t size);

  // The next line without its "\n" or "\r\n"; false at the end of the input
  // or on failure (then error() is non-zero: RCF_ERR_LINE_TOO_LONG or
  // RCF_ERR_READ). A leading UTF-8 byte-order mark is dropped.
  bool Next(std::string& line);
  int error() const { return error_; }
  long lineNumber() const { return lineNumber_; }

 private:
  bool Refill();

  std::FILE* file_ = nullptr;
  std::string chunk_;  // file input not yet split into lines
  const char* pos_ = nullptr;
  const char* end_ = nullptr;
  bool atEnd_ = false;
  int error_ = 0;
  long lineNumber_ = 0;
};

}  // namespace rcf

#endif
