#include "KvCart/core/CKvCartSetup.h"

#include "KvCart/core/CKvMapProjData.h"

CKvCartSetup& CKvCartSetup::Instance() {
  // Constructed on first use and destroyed at exit, after everything that
  // was constructed later; the destructor writes the user's changes back.
  static CKvCartSetup instance;
  return instance;
}

CKvCartSetup::~CKvCartSetup() { WriteModifiedFiles(); }

CKvEllipsoid* CKvCartSetup::EllipsoidOfProjection(const std::string& projectionName) const {
  const CKvMapProjData* record = m_projections.GetMapProjection(projectionName);
  if (record == nullptr) return nullptr;
  const std::string code = record->GetEllipsoidID();
  return code.empty() ? nullptr : m_ellipsoids.GetEllipsoid(code);
}

int CKvCartSetup::WriteModifiedFiles() {
  int status = 0;
  // A database that was never filled has no custom directory: writing would
  // put an empty custom file into whatever the working directory is.
  if (m_filled && m_projectionListModified && !m_customProjectionsUnreadable) {
    status = m_projections.WriteCustomMapProjections(m_customDir + kCustomProjectionFile);
  }
  if (m_filled && m_ellipsoidListModified && !m_customEllipsoidsUnreadable) {
    const int ellipsoidStatus =
        m_ellipsoids.WriteCustomEllipsoids(m_customDir + kCustomEllipsoidFile);
    if (status == 0) status = ellipsoidStatus;
  }
  m_projectionListModified = false;
  m_ellipsoidListModified = false;
  return status;
}
