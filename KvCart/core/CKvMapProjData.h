/* CKvMapProjData: the interface of the projection definition records.
 *
 * A record is the named, storable description of one concrete projection:
 * name, branch (a grouping label such as "UTM Projections"), the code of its
 * ellipsoid in the ellipsoid list, and the numeric parameters of its family.
 * The definitions database keeps a list of records, reads them from and
 * writes them to the definition files, and creates the projection
 * mathematics object (CKvProjection) from a record. One class per family
 * derives from this interface (CKvTransverseMercatorProjection, ...).
 *
 * Units of the parameters: angles in decimal degrees, false easting and
 * northing in metres, scales as pure numbers (see EParamType).
 *
 * The static members number the projection families and create records and
 * coefficient series that several families share.
 *
 * Usage:
 *   CKvMapProjData* rec = CKvMapProjData::CreateDefaultParameterProjection(
 *       CKvMapProjData::eTransverseMercator);
 *   CKvProjection* p = rec->CreateProjection();  // caller frees both
 *
 * The order of the virtual operations is part of the binary interface of
 * the library: add new ones at the end only. */
#ifndef KVCART_CORE_CKVMAPPROJDATA_H
#define KVCART_CORE_CKVMAPPROJDATA_H

#include <string>

#include "KvCart/KvCart_api.h"
#include "KvCart/core/CKvMapProjDataIDs.h"

class CKvPRJParser;
class CKvProjection;

class KVCART_API CKvMapProjData : public CKvMapProjDataIDs {
 public:
  // The projection families; 21 and 22 are the kinds of a text that names no family.
  enum EProjectionType {
    eTransverseMercator = 1,
    eLambert2SP = 2,
    eLambert1SP = 3,
    eStereographic = 4,
    eNewZealandMapGrid = 5,
    eHotineObliqueMercator = 6,
    eObliqueMercator = 7,
    eRectifiedSkewOrthomorphic = 8,
    eRotatedLongitudeLatitude = 9,
    eMercator2SP = 10,
    eMercator1SP = 11,
    eStereographicNorthPole = 12,
    eStereographicSouthPole = 13,
    eGeographical = 14,
    eKrovak = 15,
    eAlbersEqualArea = 16,
    eLambertAzimuthalEqualArea = 17,
    eCassiniSoldner = 18,
    eEquidistantConic = 19,
    ePolarStereographic = 20,
    eNonProjected = 21,
    eUndefined = 22
  };

  // The kind of a parameter: a pure number (scale), a length in metres, an
  // angle in degrees.
  enum EParamType { eNoUnit = 0, eLinear = 1, eAngular = 2 };

  CKvMapProjData() = default;
  CKvMapProjData(const CKvMapProjData&) = default;
  CKvMapProjData& operator=(const CKvMapProjData&) = default;
  virtual ~CKvMapProjData();

  virtual std::string GetName() const = 0;
  virtual void SetName(const std::string& name) = 0;
  virtual std::string GetBranchName() const = 0;
  virtual void SetBranchName(const std::string& branch) = 0;
  virtual std::string GetEllipsoidID() const = 0;
  virtual void SetEllipsoidID(const std::string& code) = 0;
  // Reads the record from a section of a definition file (an rcf section
  // handle; null does nothing). Keys that are absent leave their fields;
  // both flags (can delete, can edit) become `custom`.
  virtual void ReadFromHandle(void* section, bool custom) = 0;
  // Appends the record as a section to an rcf document being built, when it
  // can be edited; otherwise writes nothing.
  virtual void WriteToHandle(void* document) = 0;
  // True when a section of this name holds a record of this family.
  virtual bool IsSectionID(const std::string& sectionName) const = 0;
  virtual bool CanDelete() const = 0;
  virtual bool CanEdit() const = 0;
  // A new mathematics object built from the record (caller owns it), or null
  // when the record cannot make one (for example its ellipsoid is missing).
  virtual CKvProjection* CreateProjection() const = 0;
  // Hands the record to a well-known-text record.
  virtual void TransferParameters(CKvPRJParser& parser) const = 0;
  virtual std::string GetProjectionTypeTitle() const = 0;
  virtual EProjectionType GetProjectionType() const = 0;
  virtual int GetNoOfParameters() const = 0;
  // Label, value and kind of parameter `index` (0 .. GetNoOfParameters()-1);
  // false with the outputs untouched for any other index.
  virtual bool GetParameter(int index, std::string& label, double& value,
                            EParamType& type) const = 0;
  // Sets every parameter from values[0 .. GetNoOfParameters()-1] in the
  // GetParameter order; applies even when the record cannot be edited.
  virtual void SetParameters(const double* values) = 0;

  // --- Numbering of the families --------------------------------------------
  // The number of families, 20.
  static int GetNoOfProjections();
  // Zero-based list index to family (i + 1) and back (t - 1).
  static EProjectionType Enum2ProjectionType(int index);
  static int ProjectionType2Enum(EProjectionType type);
  // Whether a family matches a selection mask: bit 1 the projected families,
  // bit 2 the geographical ones (geographical, rotated longitude/latitude).
  // eNonProjected and eUndefined never match.
  static bool IsEquivalent(int mask, EProjectionType type);

  // --- Record factories (implemented with the families) --------------------
  // A new record "Default <family>" with the family's default parameters,
  // neither deletable nor editable; null for types outside 1..20 or
  // families that are not built into the library.
  static CKvMapProjData* CreateDefaultParameterProjection(EProjectionType type);
  // A new deletable, editable record from a name, branch, ellipsoid code and
  // the family's parameters in GetParameter order (GetNoOfParameters values
  // read from params); null for types outside 1..20 or unknown families.
  static CKvMapProjData* CreateProjection(EProjectionType type, const std::string& name,
                                          const std::string& branch,
                                          const std::string& ellipsoidCode, const double* params);
  // The record of the family that claims the section's name, read from the
  // section (flags from `custom`); null when no family claims it.
  static CKvMapProjData* CreateFromSection(void* section, bool custom);

  // --- Helpers shared by the families ---------------------------------------
  // Reads an angle keyword of the degrees-minutes-seconds form: d = first
  // parameter (integer), m = second, s = third (number) when present; all
  // zero first. False when the keyword is absent.
  static bool rcfGetParamDMS(void* section, const char* keyword, int* degrees, int* minutes,
                             double* seconds);
  // Series coefficients shared by several families, written to c[0..3]
  // (types and rows without a series leave c unchanged):
  //  type 1, forward/inverse, x = third flattening n: the Krueger series of
  //    the transverse Mercator (alpha / beta);
  //  types 4, 6-8, 10-13, inverse, x = e^2: conformal to geodetic latitude;
  //  types 16, 17, inverse, x = e^2: authalic to geodetic latitude (3 values);
  //  types 18, 19, forward, x = e^2: meridian arc; inverse: footpoint latitude.
  static void ComputeFourierCoefficients(EProjectionType type, bool forward, double x, double* c);
};

#endif
