// Builds cross-section files byte by byte, as older writers or a broken
// disk would have left them, in either byte order.
#ifndef KORACORE_TESTS_KFS_XFS_XFS_SUPPORT_H
#define KORACORE_TESTS_KFS_XFS_XFS_SUPPORT_H

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "files_support.h"
#include "kfs/xfs/xfs.h"
#include "scope_support.h"

namespace xfstest {

class FileBytes {
 public:
  // A container header with the "XFS_" identification and the given
  // application version; bigEndian writes every number reversed.
  explicit FileBytes(unsigned int appVersion, bool bigEndian = false) : big_(bigEndian) {
    // The magic and the identification are 32-bit words of the writer.
    raw(big_ ? "_AXO" : "OXA_", 4);
    raw(big_ ? "_SFX" : "XFS_", 4);
    std::string text(" KORA Vale - this file contains binary data, do not edit");
    raw(text.data(), text.size());
    byte(0x1A);
    for (int pass = 0; pass < 2; ++pass) {
      const std::uint16_t stamp[6] = {2024, 5, 17, 12, 30, 0};
      for (std::uint16_t v : stamp) num(v);
      num(std::uint32_t(104));
      num(std::uint32_t(appVersion));
    }
    num(std::uint32_t(0));
    num(std::uint32_t(0));
  }

  FileBytes& block(std::uint16_t id) {
    byte(0xFE);
    num(id);
    return *this;
  }
  FileBytes& end() {
    byte(0xFF);
    return *this;
  }
  FileBytes& text(const std::string& s) {
    byte(3);
    num(std::uint32_t(s.size()));
    raw(s.data(), s.size());
    return *this;
  }
  FileBytes& doubles(const std::vector<double>& v) {
    byte(2);
    num(std::uint32_t(v.size()));
    for (double d : v) num(d);
    return *this;
  }
  FileBytes& words(const std::vector<std::uint16_t>& v) {
    byte(7);
    num(std::uint32_t(v.size()));
    for (std::uint16_t w : v) num(w);
    return *this;
  }
  // An identification block and a header block of the given sizes with
  // header values 100 + i (words) and 0.5 + i (doubles).
  FileBytes& section(const std::string& topo, double chainage, const std::string& branch,
                     const std::string* freeId, std::size_t nWords, std::size_t nDoubles) {
    block(257).text(topo).doubles({chainage}).text(branch);
    if (freeId) text(*freeId);
    end();
    std::vector<std::uint16_t> w(nWords);
    std::vector<double> d(nDoubles);
    for (std::size_t i = 0; i < nWords; ++i) w[i] = static_cast<std::uint16_t>(100 + i);
    for (std::size_t i = 0; i < nDoubles; ++i) d[i] = 0.5 + static_cast<double>(i);
    return block(258).words(w).doubles(d).end();
  }

  // A single byte where an item would begin, as damage leaves it.
  FileBytes& stray(unsigned char b) {
    byte(b);
    return *this;
  }

  const std::vector<unsigned char>& bytes() const { return bytes_; }
  std::size_t size() const { return bytes_.size(); }

  void save(const std::string& path, std::size_t length = SIZE_MAX) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::size_t n = length < bytes_.size() ? length : bytes_.size();
    out.write(reinterpret_cast<const char*>(bytes_.data()), static_cast<std::streamsize>(n));
  }

 private:
  void byte(unsigned char b) { bytes_.push_back(b); }
  void raw(const void* p, std::size_t n) {
    const unsigned char* c = static_cast<const unsigned char*>(p);
    bytes_.insert(bytes_.end(), c, c + n);
  }
  template <typename T>
  void num(T v) {
    unsigned char b[sizeof(T)];
    std::memcpy(b, &v, sizeof(T));
    if (big_) std::reverse(b, b + sizeof(T));
    raw(b, sizeof(T));
  }

  bool big_;
  std::vector<unsigned char> bytes_;
};

using koracoretest::readBytes;

// Scope guards of cross-sections, tables and files (see scope_support.h).
// XsecGuard is for sections the test owns; a table frees its own.
using KfsFileGuard = koracoretest::ReleaseGuard<kfsHandle, &xfsFileClose>;
using XsecGuard = koracoretest::ReleaseGuard<xfsStrucP, &xfsXsecFree>;
using XsecTableGuard = koracoretest::ReleaseGuard<xfsTable, &xfsXsecTableFree>;

// Frees what is left of a list of sections the test owns.
class XsecListGuard {
 public:
  explicit XsecListGuard(std::vector<xfsStrucP>& sections) : m_sections(sections) {}
  ~XsecListGuard() {
    for (xfsStrucP& x : m_sections)
      if (x) xfsXsecFree(&x);
  }
  XsecListGuard(const XsecListGuard&) = delete;
  XsecListGuard& operator=(const XsecListGuard&) = delete;

 private:
  std::vector<xfsStrucP>& m_sections;
};

}  // namespace xfstest

#endif
