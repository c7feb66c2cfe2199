/* CKvMapProjection: the facade through which callers reach a projection.
 *
 * Built from one text, the projection string, which is one of
 *   - well-known text of a coordinate system (the content of a .prj file);
 *   - the name of a definition in the process-wide database ("UTM-32", a
 *     state plane zone, a user's own grid); such a name is stored as the
 *     well-known text of the definition;
 *   - "NON-UTM" (also the empty text): the local model grid, coordinates
 *     pass through unchanged;
 *   - "LONG/LAT": geographical longitude/latitude.
 * The bare word "UTM" names no zone and throws std::out_of_range("Can't use
 * generic UTM"); it is the only exception the facade throws on purpose. A
 * text that resolves to nothing (an unknown name, a definition whose
 * ellipsoid is missing) gives a facade with a null projection: its
 * conversions write nothing, its numbers are 0, its texts "".
 *
 * Units: angles in decimal degrees, longitude before latitude; projected
 * coordinates in metres, whatever linear unit the text names (GetUnit
 * gives it, for a caller that wants the system's own unit), in the axis
 * order and signs of the text (the axis conversion of the information
 * record is applied to every projected coordinate that crosses the
 * facade); heights and X, Y, Z in metres.
 *
 * The static functions test projection strings and reach the process-wide
 * database (the registry functions). Texts they return live in storage of
 * the calling thread and stay valid until that thread's next call of the
 * same function.
 *
 * Threads: the database is filled and edited from one thread (the registry
 * functions that change it are set-up calls). A facade, once built, may
 * convert from several threads at once: conversions only read.
 *
 * Usage:
 *   CKvMapProjection utm("UTM-32");
 *   double x, y; utm.Geo2Proj(9.0, 55.0, &x, &y);
 */
#ifndef KVCART_FACADE_CKVMAPPROJECTION_H
#define KVCART_FACADE_CKVMAPPROJECTION_H

#include <string>

#include "KvCart/KvCart_api.h"
#include "KvCart/core/CKvMapProjData.h"
#include "KvCart/text/CKvProjectionInfo.h"

class CKvDatumShift;
class CKvEllipsoid;
class CKvPRJParser;
class CKvProjection;

class KVCART_API CKvMapProjection {
 public:
  // What the size argument of GetDefaultArea gives.
  enum ESizeParam { eSizeIsWidth = 1, eSizeIsHeight = 2 };
  // Which unit GetUnit reports.
  enum EMapProjectionInfo { eProjectionUnit = 1, eAngularUnit = 2 };
  // The fixed projection strings of IDtoProjectionString.
  enum EMapProjectionString {
    eLocalGrid = 1,
    eLongLat = 2,
    eGoogleMapsMercator = 3,
    eWgs84Geographical = 4
  };
  // Bits of the IsType mask.
  enum ETypeMask { eProjectedTypes = 1, eGeographicalTypes = 2, eLongLatWord = 4, eLocalWord = 8 };

  // A facade with a null projection and an empty string.
  CKvMapProjection();
  // Throws std::out_of_range("Can't use generic UTM") for the bare "UTM".
  explicit CKvMapProjection(const char* text);
  explicit CKvMapProjection(const std::string& text);
  // A copy holds a clone of the projection (a null projection stays null).
  CKvMapProjection(const CKvMapProjection& other);
  CKvMapProjection& operator=(const CKvMapProjection& other);
  virtual ~CKvMapProjection();

  // The projection object a text resolves to (caller owns it), or null;
  // fills info (when not null) from the well-known text. Throws for "UTM".
  static CKvProjection* GetProjection(const char* text, CKvProjectionInfo* info);

  // --- Conversions (const; outputs untouched when the projection is null) ---
  // With a null projection (lon, lat) pass through the axis conversion.
  void Geo2Proj(double lon, double lat, double* x, double* y) const;
  void Proj2Geo(double x, double y, double* lon, double* lat) const;
  // Writes 0, 0 when the projection is null.
  void GetOrigin(double* lon, double* lat) const;
  // Grid convergence in degrees; 0 when the projection is null.
  double GetConvergence(double lon, double lat) const;
  // The projection's default area, in the axes of the text (x0 <= x1,
  // y0 <= y1); nothing is written when the projection is null.
  void GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const;
  // An area of nx by ny cells centred on the projected origin, size its
  // width (eSizeIsWidth, along the first axis) or height (eSizeIsHeight);
  // nx or ny below 1 gives the projection's own default area, another
  // `which` writes nothing.
  void GetDefaultArea(int nx, int ny, ESizeParam which, double size, double* x0, double* y0,
                      double* x1, double* y1) const;
  // Geodetic to earth-centred Cartesian and back on the projection's
  // ellipsoid (WGS 84 for a geographical projection without one); writes
  // nothing when there is no ellipsoid. Exact at any height and on the
  // polar axis (CKvGeocentric).
  void Geo2XYZ(double lon, double lat, double h, double* x, double* y, double* z) const;
  void XYZ2Geo(double x, double y, double z, double* lon, double* lat, double* h) const;
  // The geodesic between two points on the same ellipsoid: distance in
  // metres, az12 the forward azimuth at the first point and az21 the back
  // azimuth at the second (the direction from the second point to the
  // first: the forward azimuth there plus 180), both in [0, 360) clockwise
  // from north. Equal points give distance 0 and leave the azimuths. False
  // without projection or ellipsoid.
  bool GetDistance(double lon1, double lat1, double lon2, double lat2, double& dist, double& az12,
                   double& az21) const;
  bool GetDistance(double lon1, double lat1, double lon2, double lat2, double& dist) const;
  // The point reached from (lon, lat) along azimuth az over dist metres,
  // with the back azimuth there as above. False without projection or ellipsoid.
  bool GetPoint(double lon, double lat, double az, double dist, double& lon2, double& lat2,
                double& az21) const;

  // --- Properties -------------------------------------------------------------
  bool IsLocal() const;
  bool IsGeographical() const;
  // The projection (eProjectionUnit, metres per unit) or angular unit
  // (eAngularUnit, radians per unit): factor and name into a buffer of
  // CKvProjectionInfo::kUnitNameSize bytes (null skips either). False when
  // the unit is not set or `which` is neither.
  bool GetUnit(EMapProjectionInfo which, double* factor, char* name) const;
  void GetDatumShift(CKvDatumShift& shift) const;
  // 4 x type of the first axis + type of the second (0 east, 1 north, 2 west, 3 south).
  int GetCoordSysType() const;
  // The projection's display name; "" when null.
  const char* GetName() const;
  // The stored projection string ("" when the projection is null).
  const char* GetProjectionString() const { return m_projectionString.c_str(); }
  CKvProjection* GetProjection() const { return m_projection; }
  const CKvProjectionInfo& GetProjectionInfo() const { return m_info; }

  // --- Tests on projection strings (blanks at both ends are ignored) -------
  static bool IsType(int mask, const char* text);
  static bool IsLocal(const char* text);
  static bool IsLongLat(const char* text);
  static bool IsGeoreferenced(const char* text);
  static bool IsGeographical(const char* text);
  static bool IsProjectionOfType(const char* text, CKvMapProjData::EProjectionType type);
  static bool IsValid(const char* text);
  static bool HasDatum(const char* text);
  static bool _Exists(const char* name, int mask);
  // The same coordinate system: projection type, parameters (in a common
  // unit), prime meridian, ellipsoid, datum shift and axis directions; two
  // texts that are no coordinate system are identical only when equal.
  static bool AreIdentical(const char* text1, const char* text2);
  static int GetCoordSysType(const char* text);
  static const char* ShortName(const char* text);
  // "UTM-<zone>" for the zone holding the longitude (1..60); "" for a
  // longitude that is not finite.
  static const char* LongitudeToUTMZone(double lon);
  static const char* IDtoProjectionString(EMapProjectionString id);

  // --- Registry of the process-wide database --------------------------------
  // The definition of that name (changeable by the caller: marks the
  // projection list modified), or null.
  static CKvMapProjData* MapProjection(const char* name);
  static void AddMapProjection(CKvMapProjData* record);
  static void DeleteMapProjection(CKvMapProjData* record);
  // The ellipsoid of a definition, or null.
  static CKvEllipsoid* Ellipsoid(const char* projectionName);
  static CKvEllipsoid* EllipsoidFromID(const char* code);
  static CKvEllipsoid* EllipsoidFromName(const char* name);
  static void AddEllipsoid(CKvEllipsoid* ellipsoid);
  static void DeleteEllipsoid(CKvEllipsoid* ellipsoid);
  static void EditEllipsoid(CKvEllipsoid* ellipsoid);
  // Every definition passing IsType(mask, name), each followed by ";":
  // "LONG/LAT" and "NON-UTM" as words, the others as well-known text.
  static const char* EnumMapProjections(int mask, long* count);
  // The names of one group of ellipsoids (CKvEllipsoidList::EEllipsoidTypes),
  // each followed by ";".
  static const char* EnumEllipsoids(int type, long* count);

 private:
  void Build(const std::string& text);
  // The ellipsoid geodesy works on: the projection's own, or WGS 84 for a
  // geographical projection without one. False when there is none.
  bool WorkingEllipsoid(CKvEllipsoid& ellipsoid) const;

  CKvProjection* m_projection = nullptr;
  CKvProjectionInfo m_info;
  std::string m_projectionString;
};

#endif
