#include "KvCart/core/CKvProjection.h"

// Defaults for families that have no origin, convergence or extent of their
// own: the caller gets zeros rather than values left over in its variables.
void CKvProjection::GetOrigin(double* lon, double* lat) const {
  *lon = 0.0;
  *lat = 0.0;
}

double CKvProjection::GetConvergence(double, double) const { return 0.0; }

void CKvProjection::GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const {
  *x0 = *y0 = *x1 = *y1 = 0.0;
}

bool CKvProjection::IsLocal() const { return false; }

bool CKvProjection::IsGeographical() const { return false; }

void CKvProjection::free() { delete this; }

void CKvProjection::GetDerivedParameters(double*) const {}

bool CKvProjection::GetAnonymousEllipsoid(CKvEllipsoid&) const { return false; }

CKvProjection::~CKvProjection() = default;
