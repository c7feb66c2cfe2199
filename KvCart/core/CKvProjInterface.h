/* CKvProjInterface: one formula variant (sphere or ellipsoid) of a family.
 *
 * Families whose published formulas differ between the sphere and the
 * ellipsoid (Albers, equidistant conic, Cassini-Soldner, Lambert azimuthal
 * equal area) choose one variant object in their constructor and forward to
 * it, so the per-point code carries no branch on the figure of the earth.
 * Units as CKvProjection: degrees and metres. Immutable after construction.
 *
 * The order of the virtual operations is part of the binary interface. */
#ifndef KVCART_CORE_CKVPROJINTERFACE_H
#define KVCART_CORE_CKVPROJINTERFACE_H

#include "KvCart/KvCart_api.h"

class CKvEllipsoid;

class KVCART_API CKvProjInterface {
 public:
  CKvProjInterface() = default;
  CKvProjInterface(const CKvProjInterface&) = default;
  CKvProjInterface& operator=(const CKvProjInterface&) = default;
  virtual ~CKvProjInterface();

  virtual void Geo2Proj(double lon, double lat, double* x, double* y) const = 0;
  virtual void Proj2Geo(double x, double y, double* lon, double* lat) const = 0;
  virtual void GetOrigin(double* lon, double* lat) const = 0;
  virtual void GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const = 0;
  // A sphere variant reports (radius, inverse flattening 0).
  virtual bool GetAnonymousEllipsoid(CKvEllipsoid& ellipsoid) const = 0;
};

#endif
