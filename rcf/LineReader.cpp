#include "rcf/LineReader.h"

#include "rcf/rcf.h"

#include <cstring>

namespace rcf {
namespace {
constexpr size_t kChunkSize = 64 * 1024;
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
}  // namespace

LineReader::LineReader(std::FILE* file) : file_(file) {}

LineReader::LineReader(const char* text, size_t size)
    : pos_(text), end_(text + size), atEnd_(true) {}

bool LineReader::Refill() {
  if (atEnd_) return false;
  chunk_.resize(kChunkSize);
  const size_t got = std::fread(&chunk_[0], 1, kChunkSize, file_);
  chunk_.resize(got);
  if (got < kChunkSize) {
    atEnd_ = true;
    if (std::ferror(file_)) {
      error_ = RCF_ERR_READ;
      return false;
    }
  }
  pos_ = chunk_.data();
  end_ = pos_ + got;
  return got > 0;
}

bool LineReader::Next(std::string& line) {
  line.clear();
  if (error_) return false;
  bool any = false;
  for (;;) {
    if (pos_ == end_ && !Refill()) {
      if (error_ || !any) return false;
      break;  // last line without a line end
    }
    any = true;
    const char* newline =
        static_cast<const char*>(std::memchr(pos_, '\n', static_cast<size_t>(end_ - pos_)));
    const char* stop = newline ? newline : end_;
    // One byte of slack for the '\r' of a "\r\n" line end.
    if (line.size() + static_cast<size_t>(stop - pos_) > RCF_MAX_LINE_LENGTH + 1) {
      error_ = RCF_ERR_LINE_TOO_LONG;
      ++lineNumber_;
      return false;
    }
    line.append(pos_, stop);
    pos_ = newline ? newline + 1 : end_;
    if (newline) break;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.size() > RCF_MAX_LINE_LENGTH) {
    error_ = RCF_ERR_LINE_TOO_LONG;
    ++lineNumber_;
    return false;
  }
  if (lineNumber_++ == 0 && line.compare(0, 3, kByteOrderMark) == 0) line.erase(0, 3);
  return true;
}

}  // namespace rcf
