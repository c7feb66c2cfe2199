/* CKvProjection: the interface of every projection mathematics class.
 *
 * One object holds the parameters and the ellipsoid of one concrete
 * projection (a UTM zone, a national grid, ...) and converts geographical
 * longitude/latitude to projected easting/northing and back. The families
 * derive from it (transverse Mercator, Lambert, stereographic, ...); a caller
 * sees only these operations.
 *
 * Units: angles crossing this interface are decimal degrees, longitude
 * before latitude; projected coordinates are in the projection's linear unit
 * (metres for every definition of the database), easting before northing.
 * Input longitudes may lie in any turn; output longitudes are normalised
 * into [-180, 180).
 *
 * Thread safety: an object is immutable once constructed. Every const
 * operation may run on one object from several threads at once.
 *
 * Ownership: objects come from `new` (constructors, Clone, the factories)
 * and are released with delete or free(); the caller of a factory owns the
 * result.
 *
 * Usage:
 *   CKvProjection* p = record->CreateProjection();
 *   double x, y; p->Geo2Proj(9.0, 45.0, &x, &y); p->free();
 *
 * The order of the virtual operations is part of the binary interface of
 * the library: add new ones at the end only. */
#ifndef KVCART_CORE_CKVPROJECTION_H
#define KVCART_CORE_CKVPROJECTION_H

#include "KvCart/KvCart_api.h"

class CKvEllipsoid;
class CKvPRJParser;

class KVCART_API CKvProjection {
 public:
  CKvProjection() = default;
  CKvProjection(const CKvProjection&) = default;
  CKvProjection& operator=(const CKvProjection&) = default;

  // The display name (at most 255 bytes, NUL-terminated, owned by the object).
  virtual char* GetName() = 0;
  // Longitude/latitude in degrees to easting/northing.
  virtual void Geo2Proj(double lon, double lat, double* x, double* y) const = 0;
  // Easting/northing to longitude/latitude in degrees.
  virtual void Proj2Geo(double x, double y, double* lon, double* lat) const = 0;
  // Projection origin in degrees; the base writes 0, 0.
  virtual void GetOrigin(double* lon, double* lat) const;
  // Grid convergence at the point in degrees (angle from grid north to true
  // north, positive east of the central meridian); the base returns 0.
  virtual double GetConvergence(double lon, double lat) const;
  // A default projected extent (lower left, upper right); the base writes zeros.
  virtual void GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const;
  // True for the local pass-through system "NON-UTM"; the base says false.
  virtual bool IsLocal() const;
  // True when the "projected" coordinates are longitude/latitude; base false.
  virtual bool IsGeographical() const;
  // Destroys the object (through the virtual destructor).
  virtual void free();
  // Family-specific derived constants; the base writes nothing.
  virtual void GetDerivedParameters(double* values) const;
  // Fills an unnamed ellipsoid with the axis and inverse flattening in use;
  // the base returns false and leaves the argument.
  virtual bool GetAnonymousEllipsoid(CKvEllipsoid& ellipsoid) const;
  // A new object of the same class with the same values; the caller owns it.
  virtual CKvProjection* Clone() const = 0;
  // Hands the parameters to a well-known-text record.
  virtual void TransferParameters(CKvPRJParser& parser) const = 0;

  virtual ~CKvProjection();
};

#endif
