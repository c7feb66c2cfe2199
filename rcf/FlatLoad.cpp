// Loading, creating and closing documents.
#include "rcf/ErrorState.h"
#include "rcf/Handles.h"
#include "rcf/LineReader.h"
#include "rcf/Parser.h"
#include "rcf/rcf.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace {

// Opens path for reading only when it is a regular file: a directory reads
// as nothing, a device may never end, and merely opening a named pipe would
// wait for a writer, which O_NONBLOCK avoids until the type is known.
std::FILE* OpenRegularFile(const char* path) {
  const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    rcf::Fail(RCF_ERR_OPEN, std::string("cannot open '") + path + "': " + std::strerror(errno));
    return nullptr;
  }
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    rcf::Fail(RCF_ERR_NOT_A_FILE, std::string("'") + path + "' is not a regular file");
    return nullptr;
  }
  std::FILE* file = fdopen(fd, "rb");
  if (!file) {
    rcf::Fail(RCF_ERR_OPEN, std::string("cannot open '") + path + "': " + std::strerror(errno));
    ::close(fd);
  }
  return file;
}

void* Adopt(std::unique_ptr<rcf::Document> doc) {
  if (!doc) return nullptr;
  rcf::Succeed();
  return rcf::ToHandle(doc.release());
}

}  // namespace

// No loading option is defined beyond RCF_LOAD_DEFAULT; other values load the
// same way, so that options added later do not break older callers.
void* rcfLoadFile(const char* path, int /*flags*/) {
  return rcf::Guarded<void*>(nullptr, [&]() -> void* {
    if (!path || !*path) {
      rcf::Fail(RCF_ERR_ARGUMENT, "rcfLoadFile: no path");
      return nullptr;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenRegularFile(path), &std::fclose);
    if (!file) return nullptr;
    rcf::LineReader reader(file.get());
    return Adopt(rcf::Parse(reader, path));
  });
}

void* rcfLoadText(const char* text, int length, const char* name) {
  return rcf::Guarded<void*>(nullptr, [&]() -> void* {
    if (!text) {
      rcf::Fail(RCF_ERR_ARGUMENT, "rcfLoadText: no text");
      return nullptr;
    }
    const size_t size = length < 0 ? std::strlen(text) : static_cast<size_t>(length);
    rcf::LineReader reader(text, size);
    return Adopt(rcf::Parse(reader, name ? name : "text"));
  });
}

void* rcfCreate() {
  return rcf::Guarded<void*>(nullptr, [] {
    auto doc = std::make_unique<rcf::Document>();
    rcf::Succeed();
    return rcf::ToHandle(doc.release());
  });
}

void rcfClose(void** handle) {
  if (!handle) return;
  delete rcf::AsDocument(*handle);
  *handle = nullptr;
}
