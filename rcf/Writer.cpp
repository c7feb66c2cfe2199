#include "rcf/Writer.h"

#include "rcf/ErrorState.h"
#include "rcf/Syntax.h"
#include "rcf/rcf.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace rcf {
namespace {

constexpr char kIndent[] = "   ";

// Single quotes unless the text holds more of them than of double quotes:
// the quote in use is doubled inside, so this keeps the line shortest.
std::string QuotedText(const std::string& text) {
  const auto singles = std::count(text.begin(), text.end(), '\'');
  const auto doubles = std::count(text.begin(), text.end(), '"');
  const char quote = singles > doubles ? '"' : '\'';
  std::string out(1, quote);
  for (const char c : text) {
    out.push_back(c);
    if (c == quote) out.push_back(quote);
  }
  out.push_back(quote);
  return out;
}

std::string KeywordLine(const Keyword& keyword, const std::string& indent, bool compact) {
  std::string line = compact ? "" : indent;
  line += keyword.Name();
  line += compact ? "=" : " =";
  for (size_t i = 0; i < keyword.Params().size(); ++i) {
    const Param& p = *keyword.Params()[i];
    line += i == 0 ? (compact ? "" : " ") : (compact ? "," : ", ");
    line += p.type == ParamType::Text ? QuotedText(p.text) : p.text;
  }
  return line;
}

// Collects lines; the first line that cannot be written stops it, and
// failure() says which.
class TextBuilder {
 public:
  explicit TextBuilder(std::string& out) : out_(out) {}

  const std::string& failure() const { return failure_; }

  bool Line(const std::string& line, const std::string& what) {
    if (line.size() > RCF_MAX_LINE_LENGTH) {
      failure_ =
          what + " does not fit in one line of " + std::to_string(RCF_MAX_LINE_LENGTH) + " bytes";
      return false;
    }
    out_ += line;
    out_ += '\n';
    return true;
  }
  // The indented form when it fits in a line, otherwise the form without
  // blanks, which is never longer than the line the keyword was read from.
  bool Keyword(const rcf::Keyword& keyword, const std::string& indent) {
    const std::string pretty = KeywordLine(keyword, indent, false);
    if (pretty.size() <= RCF_MAX_LINE_LENGTH) return Line(pretty, "");
    return Line(KeywordLine(keyword, indent, true), "keyword '" + keyword.Name() + "'");
  }

 private:
  std::string& out_;
  std::string failure_;
};

bool FormatGroup(const Group& group, const std::string& indent, TextBuilder& out) {
  if (!out.Line(indent + "[" + group.Name() + "]", "the name of a target or section")) return false;
  const std::string inner = indent + kIndent;
  for (const auto& item : group.Items()) {
    const bool ok = item->NodeKind() == Kind::Keyword
                        ? out.Keyword(static_cast<const Keyword&>(*item), inner)
                        : FormatGroup(static_cast<const Group&>(*item), inner, out);
    if (!ok) return false;
  }
  const char* closer = group.NodeKind() == Kind::Target ? kEndTarget : kEndSection;
  // Naming the element after its closer helps people match long blocks; the
  // header line above already proved that the name fits.
  const std::string named = indent + closer + "  " + kCommentStart + " " + group.Name();
  return named.size() <= RCF_MAX_LINE_LENGTH ? out.Line(named, "") : out.Line(indent + closer, "");
}

std::string Describe(const std::string& what, const std::string& path) {
  return what + " '" + path + "': " + std::strerror(errno);
}

// The file a path finally names, so that writing through a symbolic link
// replaces the linked file and keeps the link.
std::string ResolvedPath(const std::string& path) {
  struct stat st;
  if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* real = realpath(path.c_str(), nullptr);
  if (!real) return path;
  std::string out(real);
  std::free(real);
  return out;
}

// A new hidden file next to the destination, created with the permissions a
// plain fopen would give (rw for all, less the umask, which the kernel
// applies). Returns the descriptor, or -1 with errno set.
int CreateTemporary(const std::string& folderPrefix, const std::string& base, std::string& name) {
  // Process id and a counter keep this process's names apart; the clock
  // keeps apart processes that reuse an id of a crashed one.
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".%ld.%u.%lx", static_cast<long>(getpid()), ++counter,
                  static_cast<unsigned long>(now.tv_nsec));
    // Cut a long base so that the suffix still fits in a file name.
    name = folderPrefix + "." + base.substr(0, 128) + suffix;
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// A file being replaced keeps its permissions.
bool KeepMode(int fd, const std::string& destination) {
  struct stat st;
  if (stat(destination.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return true;
  return fchmod(fd, st.st_mode & 07777) == 0;
}

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

int FormatDocument(const Document& doc, std::string& text) {
  text.clear();
  if (doc.Targets().Count() == 0)
    return Fail(RCF_ERR_EMPTY,
                "a document without targets cannot be written: it would not read back");
  TextBuilder out(text);
  bool first = true;
  for (const Group* target : doc.Targets().All()) {
    if (!first) text += '\n';
    first = false;
    if (!FormatGroup(*target, "", out)) {
      text.clear();
      return Fail(RCF_ERR_LINE_TOO_LONG, out.failure());
    }
  }
  return RCF_OK;
}

int WriteFileAtomically(const std::string& path, const std::string& text) {
  const std::string destination = ResolvedPath(path);
  const size_t slash = destination.rfind('/');
  const std::string folderPrefix =
      slash == std::string::npos ? "" : destination.substr(0, slash + 1);
  const std::string base = destination.substr(folderPrefix.size());

  std::string temp;
  const int fd = CreateTemporary(folderPrefix, base, temp);
  if (fd < 0)
    return Fail(RCF_ERR_WRITE, Describe("cannot create a temporary file in",
                                        folderPrefix.empty() ? "." : folderPrefix));
  bool ok = WriteAll(fd, text) && KeepMode(fd, destination) && fsync(fd) == 0;
  int failure = ok ? 0 : errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    failure = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    errno = failure;
    return Fail(RCF_ERR_WRITE, Describe("cannot write", temp));
  }
  if (std::rename(temp.c_str(), destination.c_str()) != 0) {
    const int renameErrno = errno;
    ::unlink(temp.c_str());
    errno = renameErrno;
    return Fail(RCF_ERR_WRITE, Describe("cannot replace", destination));
  }
  return RCF_OK;
}

}  // namespace rcf
