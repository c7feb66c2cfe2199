// Shared by the tests of the catalogue family: the scratch folder, records
// released with frecat, and whole-file reads and writes.
#ifndef KORACORE_TESTS_KFS_LEGACY_CATALOGUE_SUPPORT_H
#define KORACORE_TESTS_KFS_LEGACY_CATALOGUE_SUPPORT_H

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "files_support.h"
#include "kfs/legacy/catalogue.h"
#include "scope_support.h"

namespace cattest {

inline const std::string kDir = std::string(KORACORE_TEST_WORK_DIR) + "/";

struct CatDeleter {
  void operator()(catRecord* c) const { frecat(c); }
};
using Cat = std::unique_ptr<catRecord, CatDeleter>;

// A record the test holds in a plain variable, as the dtx calls hand it out
// (catRecord**); frecat also closes the files still open on it.
inline void releaseCatalogue(catRecord** cat) {
  frecat(*cat);
  *cat = nullptr;
}
using CatalogueGuard = koracoretest::ReleaseGuard<catRecord*, &releaseCatalogue>;

using koracoretest::readBytes;
using koracoretest::writeBytes;

}  // namespace cattest

#endif
