// Shared by the tests of the catalogue family: the scratch folder, records
// released with frecat, and whole-file reads and writes.
#ifndef KFS_TESTS_UTIL_CATALOGUE_TEST_SUPPORT_H
#define KFS_TESTS_UTIL_CATALOGUE_TEST_SUPPORT_H

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "files_support.h"
#include "kfs/legacy/catalogue.h"

namespace cattest {

inline const std::string kDir = std::string(KORACORE_TEST_WORK_DIR) + "/";

struct CatDeleter {
    void operator()(catRecord* c) const { frecat(c); }
};
using Cat = std::unique_ptr<catRecord, CatDeleter>;

using koracoretest::readBytes;
using koracoretest::writeBytes;

}  // namespace cattest

#endif
