// Files the tests write and read back byte for byte.
#ifndef KORACORE_TESTS_COMMON_FILES_SUPPORT_H
#define KORACORE_TESTS_COMMON_FILES_SUPPORT_H

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "work_dir_support.h"

namespace koracoretest {

// A file of this name in the test process's own scratch folder.
inline std::string workPath(const std::string& name) {
  return std::string(KORACORE_TEST_WORK_DIR) + "/" + name;
}

// The whole file; empty when it cannot be read.
inline std::vector<unsigned char> readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

}  // namespace koracoretest

#endif
