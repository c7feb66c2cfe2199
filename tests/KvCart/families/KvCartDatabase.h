/* Test helper: the process-wide database with the shipped ellipsoids, for
 * tests of the families (which look ellipsoids and definitions up there).
 * Set-up proper (CARTSETUPLINUX) belongs to the facade; these tests fill
 * only what they need and never mark anything modified, so nothing is
 * written at exit. */
#ifndef KORACORE_TESTS_KVCART_KVCARTDATABASE_H
#define KORACORE_TESTS_KVCART_KVCARTDATABASE_H

#include "KvCart/core/CKvCartSetup.h"
#include "KvCart/core/CKvEllipsoidList.h"

// The database with data/ellipsoid.rcf read (once per process).
inline CKvCartSetup& DatabaseWithEllipsoids() {
  CKvCartSetup& db = CKvCartSetup::Instance();
  static bool loaded = [&db] {
    db.GetEllipsoidList().ReadEllipsoids(KORACORE_SOURCE_DIR "/data/ellipsoid.rcf", false);
    db.GetEllipsoidList().GenerateCompleteList();
    return true;
  }();
  (void)loaded;
  return db;
}

#endif
