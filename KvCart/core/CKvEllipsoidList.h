/* CKvEllipsoidList: the ellipsoids known to the process.
 *
 * Three lists of CKvEllipsoid pointers: the standard entries (read from the
 * shipped "ellipsoid.rcf"; never changed afterwards), the custom entries
 * (read from "custom_ellipsoid.rcf" or added by the user; the only ones ever
 * written back) and the complete list (standard then custom, not owning,
 * rebuilt after every change). Look-ups search the complete list, so a
 * standard entry hides a custom one of the same code.
 *
 * The list lives inside the process-wide database (CKvCartSetup). Filling
 * and editing are single-threaded; look-ups of a list that is not being
 * edited may run from several threads.
 *
 * Usage:
 *   CKvEllipsoidList list;
 *   list.ReadEllipsoids(dir + "ellipsoid.rcf", false);
 *   list.GenerateCompleteList();
 *   const CKvEllipsoid* wgs84 = list.GetEllipsoid("WE"); */
#ifndef KVCART_CORE_CKVELLIPSOIDLIST_H
#define KVCART_CORE_CKVELLIPSOIDLIST_H

#include <string>
#include <vector>

#include "KvCart/KvCart_api.h"

class CKvEllipsoid;

// The vocabulary of the ellipsoid files.
class KVCART_API CKvEllipsoidListIDs {
 public:
  static constexpr const char ID_TARGET[] = "ELLIPSOID_DEFINITION";
  static constexpr const char ID_SECTION[] = "REF_ELLIPSOID";
  static constexpr const char ID_NAME[] = "Ellipsoid_Name";
  static constexpr const char ID_CODE[] = "ID_Code";
  static constexpr const char ID_MAJOR[] = "Semi_Major_Axis";
  static constexpr const char ID_INV_FLATNESS[] = "Inverse_Flatness";
};

class KVCART_API CKvEllipsoidList : public CKvEllipsoidListIDs {
 public:
  // Which list an iteration walks: the standard, the custom, any other value
  // the complete list.
  enum EEllipsoidTypes { eAllEllipsoids = 0, eStandardEllipsoids = 1, eCustomEllipsoids = 2 };
  using Iterator = std::vector<CKvEllipsoid*>::const_iterator;

  CKvEllipsoidList();
  CKvEllipsoidList(const CKvEllipsoidList&) = delete;
  CKvEllipsoidList& operator=(const CKvEllipsoidList&) = delete;
  // Destroys every standard and custom ellipsoid.
  virtual ~CKvEllipsoidList();

  Iterator GetIteratorBegin(int type) const;
  Iterator GetIteratorEnd(int type) const;

  // First entry of the complete list whose code (or name) is exactly the
  // argument, byte for byte; null when none.
  CKvEllipsoid* GetEllipsoid(const std::string& code) const;
  CKvEllipsoid* GetEllipsoidFromName(const std::string& name) const;

  // Appends to the custom list, taking ownership (null is ignored).
  void AddEllipsoid(CKvEllipsoid* ellipsoid);
  // Removes every occurrence from the custom list and destroys the object;
  // null, or an object that is not a custom entry, does nothing (a standard
  // entry is never destroyed here).
  void DeleteEllipsoid(CKvEllipsoid* ellipsoid);
  // Rebuilds the complete list after the caller changed a custom entry.
  void EditEllipsoid(CKvEllipsoid* ellipsoid);
  // Standard entries followed by custom entries.
  void GenerateCompleteList();

  // Appends every "REF_ELLIPSOID" section of the file to the standard or the
  // custom list; returns the parameter-file library's status (0 success).
  // The complete list is not rebuilt.
  int ReadEllipsoids(const std::string& path, bool custom);
  // Writes the custom list; returns 0 or the parameter-file library's code.
  int WriteCustomEllipsoids(const std::string& path) const;

 private:
  const std::vector<CKvEllipsoid*>& Select(int type) const;

  std::vector<CKvEllipsoid*> m_standard;
  std::vector<CKvEllipsoid*> m_custom;
  std::vector<CKvEllipsoid*> m_complete;
};

#endif
