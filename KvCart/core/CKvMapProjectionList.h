/* CKvMapProjectionList: the projection definitions known to the process.
 *
 * One ordered list of owned definition records (CKvMapProjData). The order
 * is the order of every enumeration: "LONG/LAT", "UTM-1" to "UTM-60", the
 * standard files, the custom file, "NON-UTM" (see InitMapProjections).
 *
 * Names are matched by their short form: the display name of a projection
 * string, so that the well-known text of a definition finds the definition
 * it was written from. That form is defined by the well-known-text layer,
 * which sits above this one; the layer that fills the list installs it with
 * SetNameKey. Until then names are compared as they are.
 *
 * The list lives inside the process-wide database (CKvCartSetup). Filling
 * and editing are single-threaded; look-ups of a list that is not being
 * edited may run from several threads.
 *
 * Usage:
 *   CKvMapProjectionList& list = CKvCartSetup::Instance().GetMapProjectionList();
 *   const CKvMapProjData* utm32 = list.GetMapProjection("UTM-32");
 */
#ifndef KVCART_CORE_CKVMAPPROJECTIONLIST_H
#define KVCART_CORE_CKVMAPPROJECTIONLIST_H

#include <string>
#include <vector>

#include "KvCart/KvCart_api.h"

class CKvMapProjData;

class KVCART_API CKvMapProjectionList {
 public:
  using Iterator = std::vector<CKvMapProjData*>::const_iterator;
  // Maps a projection string to the form names are compared in.
  using NameKey = std::string (*)(const std::string& name);

  CKvMapProjectionList() = default;
  CKvMapProjectionList(const CKvMapProjectionList&) = delete;
  CKvMapProjectionList& operator=(const CKvMapProjectionList&) = delete;
  // Destroys every record.
  virtual ~CKvMapProjectionList();

  Iterator GetIteratorBegin() const { return m_records.begin(); }
  Iterator GetIteratorEnd() const { return m_records.end(); }
  std::size_t GetCount() const { return m_records.size(); }

  // The first record, in list order, whose name has the same key as the
  // argument (case-sensitive); null when none.
  CKvMapProjData* GetMapProjection(const std::string& name) const;
  // Appends a record and takes ownership; null is ignored.
  void AddMapProjection(CKvMapProjData* record);
  // Removes every occurrence of the record and destroys it; null, or a
  // record that is not in the list, does nothing.
  void DeleteMapProjection(CKvMapProjData* record);
  // Destroys every record.
  void Clear();

  // The comparison form of names; null restores the plain comparison.
  void SetNameKey(NameKey key) { m_nameKey = key; }

  // Fills the list from the two directories, in the order of every
  // enumeration: the geographical "LONG/LAT", "UTM-1" to "UTM-60",
  // standardDir + "map_projection.rcf", "state_plane_nad83.rcf",
  // "state_plane_nad27.rcf", customDir + "custom_projection.rcf" (the only
  // editable records), and the local "NON-UTM". Directories are joined to
  // the file names as they are. Missing files add nothing. Returns the
  // status of reading the custom file (0, or the parameter-file library's
  // code, also for a missing file). (Defined with the facade, where every
  // record class is known.)
  int InitMapProjections(const std::string& standardDir, const std::string& customDir);
  // Appends every definition of one file whose section a family claims;
  // returns the parameter-file library's status (0 success). (Facade.)
  int ReadMapProjections(const std::string& path, bool custom);
  // Writes every editable record to path; 0 or the parameter-file library's code.
  int WriteCustomMapProjections(const std::string& path) const;

 private:
  std::string KeyOf(const std::string& name) const;

  std::vector<CKvMapProjData*> m_records;
  NameKey m_nameKey = nullptr;
};

#endif
