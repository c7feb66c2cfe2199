/* CKvProjectionFrame: what every projection family shares.
 *
 * A family class (transverse Mercator, Lambert, ...) derives from this frame
 * and adds its own constants and its Geo2Proj/Proj2Geo. The frame keeps:
 *  - the display name (256-byte buffer; longer names are cut at 255 bytes;
 *    an empty name becomes "NON-UTM");
 *  - the ellipsoid in use: a, b, f, 1/f, e, e^2 (all 0 when a definition
 *    names an ellipsoid the database does not hold; HasEllipsoid() is then
 *    false and the family's factory refuses to build the object);
 *  - the origin (central meridian or longitude of centre, latitude of origin
 *    or of centre) in degrees and radians, false easting and northing;
 *  - the default operations: GetOrigin, the box-form GetDefaultArea
 *    (+-3 degrees around the origin unless the family sets another
 *    half-size), the numeric GetConvergence, GetAnonymousEllipsoid,
 *    GetMapProjection and GetEllipsoid (the database definition of the same
 *    name), and the common part of TransferParameters.
 *
 * Units: degrees and metres across the interface; the radians kept here are
 * for the family's formulas. Objects are immutable after construction, so
 * every const operation may run from several threads at once.
 *
 * Usage (in a family):
 *   CKvLambert1SP::CKvLambert1SP(const std::string& name, ..., const CKvEllipsoid& ell)
 *       : CKvProjectionFrame(name, ell) { SetOrigin(lon0, lat0); SetFalseOrigin(fe, fn); ... } */
#ifndef KVCART_FAMILIES_CKVPROJECTIONFRAME_H
#define KVCART_FAMILIES_CKVPROJECTIONFRAME_H

#include <string>

#include "KvCart/KvCart_api.h"
#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/core/CKvMapProjData.h"
#include "KvCart/core/CKvProjection.h"

class CKvPRJParser;

class KVCART_API CKvProjectionFrame : public CKvProjection {
 public:
  static constexpr int kNameSize = 256;

  char* GetName() override { return m_name; }
  // The origin in degrees.
  void GetOrigin(double* lon, double* lat) const override;
  // Grid convergence in degrees from two projected points 1/60 degree north
  // and south of the point (one-sided next to a pole): the angle of the
  // projected meridian from grid north, positive east of the central meridian.
  double GetConvergence(double lon, double lat) const override;
  // The projections of (lon0 - h, max(lat0 - h, -90)) and
  // (lon0 + h, min(lat0 + h, 90)), h the family's half-size in degrees.
  void GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const override;
  // The axis and inverse flattening in use; false (argument untouched) when
  // the object has no ellipsoid.
  bool GetAnonymousEllipsoid(CKvEllipsoid& ellipsoid) const override;

  // Copies the name, branch, ellipsoid code and parameters of the database
  // definition that carries this object's name into `record` when that
  // definition is of the record's family; false (record untouched) otherwise.
  // REQUIRES: record editable (a default-constructed record is).
  bool GetMapProjection(CKvMapProjData& record) const;
  // The ellipsoid of the database definition of this object's name; false
  // when there is no such definition or it names no known ellipsoid.
  bool GetEllipsoid(CKvEllipsoid& ellipsoid) const;

  // Whether the object has a usable ellipsoid: a finite, positive axis and a
  // flattening in [0, 1). Without one every formula yields rubbish (the
  // false origin for every point, or NaN).
  bool HasEllipsoid() const;
  // The factories' check: the object itself when it can convert (it has an
  // ellipsoid, or it is the local pass-through system), otherwise null after
  // destroying it.
  static CKvProjection* Usable(CKvProjectionFrame* projection);

 protected:
  // Name and explicit ellipsoid (as the well-known-text reader builds it).
  CKvProjectionFrame(const std::string& name, const CKvEllipsoid& ellipsoid);
  // Name from the record, ellipsoid looked up by the record's code in the
  // process-wide database (none when the code is empty or unknown).
  explicit CKvProjectionFrame(const CKvMapProjData& record);
  CKvProjectionFrame(const CKvProjectionFrame&) = default;
  CKvProjectionFrame& operator=(const CKvProjectionFrame&) = default;

  void SetOrigin(double lonDegrees, double latDegrees);
  void SetFalseOrigin(double falseEasting, double falseNorthing);
  void SetDefaultHalfSize(double degrees) { m_halfSize = degrees; }
  // The scale factor k0 when it makes a map (finite, not 0), NaN otherwise:
  // a definition read without its "Scale" keyword has k0 = 0, which would
  // put every point on the false origin; with NaN every conversion says
  // that there is no map.
  static double MapScale(double k0);

  // TransferParameters of a mathematics class: the values come from the
  // database definition of this object's name (Record: the family's
  // definition record), not from the object, so the text names the
  // definition it was built from. Without such a definition the record keeps
  // its defaults and the ellipsoid is missing: the text says eNonProjected.
  template <class Record>
  void TransferThroughDefinition(CKvPRJParser& parser) const {
    Record definition;
    GetMapProjection(definition);
    definition.TransferDefinition(parser, true);
  }

  // The ellipsoid in use (all 0 when none).
  double m_a = 0.0;
  double m_b = 0.0;
  double m_f = 0.0;
  double m_invFlattening = 0.0;
  double m_e = 0.0;
  double m_e2 = 0.0;
  // Origin in degrees and radians; false easting and northing in metres.
  double m_lon0Deg = 0.0;
  double m_lat0Deg = 0.0;
  double m_lon0 = 0.0;
  double m_lat0 = 0.0;
  double m_falseEasting = 0.0;
  double m_falseNorthing = 0.0;

 private:
  void SetName(const std::string& name);
  void SetEllipsoid(const CKvEllipsoid& ellipsoid);

  char m_name[kNameSize];
  double m_halfSize = 3.0;
};

#endif
