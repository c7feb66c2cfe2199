// Helpers shared by the parameter-file tests.
#ifndef KORACORE_TESTS_RCF_RCF_SUPPORT_H
#define KORACORE_TESTS_RCF_RCF_SUPPORT_H

#include "rcf/rcf.h"
#include "scope_support.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace rcftest {

inline std::string Fixture(const std::string& name) {
  return std::string(KORACORE_SOURCE_DIR) + "/tests/data/rcf/" + name;
}

inline std::string WorkFile(const std::string& name) {
  return std::string(KORACORE_TEST_WORK_DIR) + "/" + name;
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Closes the document when the test leaves its scope, also on a failed assertion.
class Doc {
 public:
  explicit Doc(void* handle = nullptr) : handle_(handle) {}
  ~Doc() { rcfClose(&handle_); }
  Doc(const Doc&) = delete;
  Doc& operator=(const Doc&) = delete;
  void* get() const { return handle_; }
  void reset(void* handle) {
    rcfClose(&handle_);
    handle_ = handle;
  }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  void* handle_;
};

// Closes a document the test holds in a plain variable (see scope_support.h).
using DocGuard = koracoretest::ReleaseGuard<void*, &rcfClose>;

inline void* LoadText(const std::string& text) {
  return rcfLoadText(text.data(), static_cast<int>(text.size()), "test");
}

inline std::string Bits(double v) {
  unsigned long long u;
  std::memcpy(&u, &v, sizeof u);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%016llx", u);
  return buf;
}

// Everything a reader can learn about one element's keywords, through the
// public calls only: names, instance numbers, kinds and exact values.
inline void DescribeKeywords(void* group, std::string& out) {
  for (int k = 1; k <= rcfGetNoKeywords(group); ++k) {
    void* kw = rcfKeywordByNum(group, k);
    out += "  kw " + std::string(rcfGetName(kw)) + " of " + std::to_string(rcfGetNoInstances(kw)) +
           ":";
    for (int p = 1; p <= rcfGetNoParams(kw); ++p) {
      void* param = rcfParamByNum(kw, p);
      switch (rcfGetParamType(param)) {
        case RCF_PARAM_TEXT: out += " text[" + std::string(rcfGetText(param)) + "]"; break;
        case RCF_PARAM_INT: out += " int[" + std::to_string(rcfGetInt(param)) + "]"; break;
        case RCF_PARAM_NUMBER: out += " num[" + Bits(rcfGetDouble(param)) + "]"; break;
        default: out += " ?"; break;
      }
    }
    out += "\n";
  }
}

inline std::string Describe(void* doc) {
  std::string out;
  for (int t = 1; t <= rcfGetNoTargets(doc); ++t) {
    void* target = rcfTargetByNum(doc, t);
    out += "target " + std::string(rcfGetName(target)) + " of " +
           std::to_string(rcfGetNoInstances(target)) + "\n";
    DescribeKeywords(target, out);
    for (int s = 1; s <= rcfGetNoSections(target); ++s) {
      void* section = rcfSectionByNum(target, s);
      out += " section " + std::string(rcfGetName(section)) + " of " +
             std::to_string(rcfGetNoInstances(section)) + "\n";
      DescribeKeywords(section, out);
    }
  }
  return out;
}

}  // namespace rcftest

#endif
