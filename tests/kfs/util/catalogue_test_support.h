// Shared by the tests of the catalogue family: the scratch folder, records
// released with frecat, and whole-file reads and writes.
#ifndef KFS_TESTS_UTIL_CATALOGUE_TEST_SUPPORT_H
#define KFS_TESTS_UTIL_CATALOGUE_TEST_SUPPORT_H

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "kfs/util/catalogue.h"

namespace cattest {

inline const std::string kDir = std::string(KORACORE_TEST_WORK_DIR) + "/";

struct CatDeleter {
    void operator()(catRecord* c) const { frecat(c); }
};
using Cat = std::unique_ptr<catRecord, CatDeleter>;

inline std::vector<unsigned char> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

inline void writeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace cattest

#endif
