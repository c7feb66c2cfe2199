/* CKvCartSetup: the process-wide database of projection definitions and
 * ellipsoids.
 *
 * Exactly one instance per process (Instance()), created on first use and
 * destroyed at process exit. It owns the ellipsoid list and the projection
 * list, remembers the custom directory, and carries two flags that the
 * facade's editing functions set; at exit the custom projection and
 * ellipsoid files are written back to the custom directory for the lists
 * whose flag is set, and only when the database was filled (ReadData ran),
 * so a process that never set up the database never writes a file.
 *
 * Threads: filling and editing are single-threaded and must finish before
 * any other thread uses the library; after that, look-ups may run from
 * several threads at once. The first call of Instance() must not race
 * another.
 *
 * Usage:
 *   CKvCartSetup& db = CKvCartSetup::Instance();
 *   db.ReadData("/usr/share/koracore/", "/home/me/.koracore/");
 *   const CKvEllipsoid* wgs84 = db.GetEllipsoidList().GetEllipsoid("WE");
 */
#ifndef KVCART_CORE_CKVCARTSETUP_H
#define KVCART_CORE_CKVCARTSETUP_H

#include <string>

#include "KvCart/KvCart_api.h"
#include "KvCart/core/CKvEllipsoidList.h"
#include "KvCart/core/CKvMapProjectionList.h"

class CKvEllipsoid;
class CKvMapProjData;

class KVCART_API CKvCartSetup {
 public:
  // The file names the database reads and writes.
  static constexpr const char kEllipsoidFile[] = "ellipsoid.rcf";
  static constexpr const char kCustomEllipsoidFile[] = "custom_ellipsoid.rcf";
  static constexpr const char kCustomProjectionFile[] = "custom_projection.rcf";

  // The one instance of the process.
  static CKvCartSetup& Instance();

  CKvCartSetup(const CKvCartSetup&) = delete;
  CKvCartSetup& operator=(const CKvCartSetup&) = delete;
  // Writes the modified custom files (WriteModifiedFiles), then destroys both lists.
  virtual ~CKvCartSetup();

  // Remembers customDir, reads standardDir + "ellipsoid.rcf" and
  // customDir + "custom_ellipsoid.rcf", rebuilds the complete ellipsoid list
  // and fills the projection list (CKvMapProjectionList::InitMapProjections).
  // Directories end in "/"; an empty standardDir names the shipped data
  // folder (see CARTSETUPLINUX). Calling it again appends every entry again.
  // (Defined with the facade, where every record class is known.)
  void ReadData(const std::string& standardDir, const std::string& customDir);

  CKvEllipsoidList& GetEllipsoidList() { return m_ellipsoids; }
  const CKvEllipsoidList& GetEllipsoidList() const { return m_ellipsoids; }
  CKvMapProjectionList& GetMapProjectionList() { return m_projections; }
  const CKvMapProjectionList& GetMapProjectionList() const { return m_projections; }

  void SetEllipsoidListModified() { m_ellipsoidListModified = true; }
  void SetMapProjectionListModified() { m_projectionListModified = true; }
  bool IsEllipsoidListModified() const { return m_ellipsoidListModified; }
  bool IsMapProjectionListModified() const { return m_projectionListModified; }

  // The custom directory given to ReadData ("" before).
  const std::string& GetCustomDirectory() const { return m_customDir; }
  // True once ReadData has run.
  bool IsFilled() const { return m_filled; }

  // The ellipsoid named by a definition's ellipsoid code; null when the
  // definition is unknown or its code is empty or unknown.
  CKvEllipsoid* EllipsoidOfProjection(const std::string& projectionName) const;

  // What the destructor does first: writes custom directory +
  // "custom_projection.rcf" when the projection list was modified and
  // custom directory + "custom_ellipsoid.rcf" when the ellipsoid list was,
  // provided the database was filled and that file was absent or read
  // when ReadData ran (a file the user broke is kept); clears both flags. Returns 0 or the
  // first failing code of the parameter-file library.
  int WriteModifiedFiles();

 private:
  CKvCartSetup() = default;

  CKvEllipsoidList m_ellipsoids;
  CKvMapProjectionList m_projections;
  bool m_ellipsoidListModified = false;
  bool m_projectionListModified = false;
  std::string m_customDir;
  bool m_filled = false;
  // A custom file that exists but did not read is never written over.
  bool m_customEllipsoidsUnreadable = false;
  bool m_customProjectionsUnreadable = false;
};

#endif
