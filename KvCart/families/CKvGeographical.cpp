#include "KvCart/families/CKvGeographical.h"

#include "KvCart/core/AngleMath.h"
#include "KvCart/families/CKvGeographicalProjection.h"

CKvGeographical::CKvGeographical(const CKvGeographicalProjection* record)
    : CKvProjectionFrame(*record), m_primeMeridian(record->GetPrimeMeridian()) {}

CKvGeographical::CKvGeographical(const std::string& name, double primeMeridian,
                                 const CKvEllipsoid& ellipsoid)
    : CKvProjectionFrame(name, ellipsoid), m_primeMeridian(primeMeridian) {}

CKvGeographical::~CKvGeographical() = default;

void CKvGeographical::Geo2Proj(double lon, double lat, double* x, double* y) const {
  *x = lon - m_primeMeridian;
  *y = lat;
}

void CKvGeographical::Proj2Geo(double x, double y, double* lon, double* lat) const {
  *lon = kvcart::NormalizeLongitude(x + m_primeMeridian);
  *lat = y;
}

// Geographical coordinates have no origin of their own and no convergence.
void CKvGeographical::GetOrigin(double* lon, double* lat) const {
  CKvProjection::GetOrigin(lon, lat);
}

double CKvGeographical::GetConvergence(double, double) const { return 0.0; }

void CKvGeographical::GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const {
  Geo2Proj(-180.0, -60.0, x0, y0);
  Geo2Proj(180.0, 81.0, x1, y1);
}

CKvProjection* CKvGeographical::Clone() const { return new CKvGeographical(*this); }

void CKvGeographical::TransferParameters(CKvPRJParser& parser) const {
  TransferThroughDefinition<CKvGeographicalProjection>(parser);
}
