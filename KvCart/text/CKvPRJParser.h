/* CKvPRJParser: one coordinate-system description in well-known text.
 *
 * The record behind the .prj files that modelling programs keep next to their
 * data: coordinate-system names, ellipsoid, prime meridian, angular and linear
 * units, datum shift, axis directions, the projection kind and up to
 * seventeen projection parameters. It is filled either way:
 *   - reading: construct from a text and call Parse();
 *   - writing: construct from a projection object or a definition record
 *     (each hands its values over in TransferParameters), or fill it with the
 *     setters, then call Format().
 *
 * Dialect: the ESRI form of WKT 1 (PROJCS, GEOGCS, DATUM, SPHEROID, TOWGS84,
 * PRIMEM, UNIT, PROJECTION, PARAMETER, AXIS, COMPD_CS). There is no syntax
 * tree: each element is found by a plain search for the first occurrence of
 * its keyword, PARAMETER names case-insensitively between double quotes.
 *
 * Units: values are stored exactly as written, in the units of the text
 * (linear values in the projection unit, angles in the angular unit, the
 * prime meridian in degrees). CreateMapProjection converts them into the
 * degrees and metres of the projection classes. Datum-shift rotations are
 * arc-seconds and the scale term parts per million, as TOWGS84 gives them.
 *
 * Unset numbers hold kUnset (-1e-35); IsSet() tells them apart exactly.
 * Numbers are read and written in the "C" locale whatever the process locale,
 * so Format() output always reads back through Parse() into the same record.
 *
 * Malformed text (unbalanced brackets, missing or unreadable values, values
 * that are not finite, embedded zero bytes, keywords at the very end of the
 * text, megabyte-long strings) never crashes and costs time linear in its
 * length: Parse() returns false or reads what can be read.
 *
 * Thread safety: distinct objects may be used from different threads; the
 * static functions are pure.
 *
 * Example:
 *   CKvPRJParser prj(text);
 *   if (prj.Parse(false)) { CString out; prj.Format(out); }
 */
#ifndef KVCART_TEXT_CKVPRJPARSER_H
#define KVCART_TEXT_CKVPRJPARSER_H

#include <vector>

#include "KvCart/KvCart_api.h"
#include "KvCart/core/CKvDatumShift.h"
#include "KvCart/core/CKvMapProjData.h"
#include "base/CString.h"

class CKvProjection;

class KVCART_API CKvPRJParser {
 public:
  // The value of every number that the text did not give.
  static constexpr double kUnset = -1e-35;
  // Exact test against kUnset (a NaN also counts as unset).
  static bool IsSet(double value) { return value < kUnset || value > kUnset; }

  // Which axis GetAxisInfo/SetAxisInfo address; other values are ignored.
  enum EAxisType { eFirstAxis = 1, eSecondAxis = 2 };

  // Every constructor starts from the initial record: empty names, unset
  // numbers, no datum shift, type eUndefined, axes "Easting"/"EAST" and
  // "Northing"/"NORTH".
  CKvPRJParser();
  // Stores the text; nothing is parsed until Parse().
  explicit CKvPRJParser(const CString& text);
  explicit CKvPRJParser(const char* text);  // null is the empty text
  // The record of a projection object or a definition record, filled by
  // their TransferParameters(*this). A null pointer leaves the initial record.
  explicit CKvPRJParser(const CKvProjection* projection);
  explicit CKvPRJParser(const CKvMapProjData* definition);
  CKvPRJParser(const CKvPRJParser& other) = default;
  CKvPRJParser& operator=(const CKvPRJParser& other) = default;
  virtual ~CKvPRJParser();

  // --- reading -------------------------------------------------------------

  // Parses the stored text into the record. True when a projection kind
  // results (type != eUndefined). A text that does not look like WKT
  // (IsPRJ) leaves the record untouched; a missing unit, an unknown
  // PROJECTION name or a missing parameter of the kind sets eUndefined and
  // keeps what was read so far. sortParallels puts the smaller standard
  // parallel first for the two-parallel conics (used to compare texts).
  bool Parse(bool sortParallels);

  // The text handed to the constructor (or SetSourceText).
  const CString& GetSourceText() const { return m_sourceText; }
  void SetSourceText(const CString& text) { m_sourceText = text; }

  // A new projection object for the record in degrees and metres, or null
  // (type eUndefined, or a kind that cannot be built). The caller owns it.
  // Built in KvCart/families, where every projection class is known.
  CKvProjection* CreateMapProjection() const;

  // True when the PROJECTION name is Transverse_Mercator_South_Orientated
  // (any case): a transverse Mercator whose axes point west and south
  // (westing = FE - E, southing = FN - N).
  bool IsSouthOrientated() const;

  // --- writing -------------------------------------------------------------

  // One line of WKT for the record (PROJCS frame, GEOGCS with DATUM and
  // SPHEROID, PRIMEM, angular UNIT, PROJECTION, the kind's PARAMETERs and
  // any value read beyond them that the projection class uses -- an oblique
  // Mercator's own grid angle, a two-parallel Lambert's scale --, linear
  // UNIT; numbers with 16 significant digits, "." as decimal point).
  // False when the type is not one of 1..21; `text` then holds the part up
  // to and including PROJECTION. The datum shift and the axes are not written.
  bool Format(CString& text) const;
  // The same into a caller buffer of `size` bytes: true and the text with
  // its terminating zero when it fits (length < size); otherwise false with
  // the buffer untouched.
  bool Format(char* buffer, int size) const;
  // The indented form of any WKT text: every keyword that opens a bracket on
  // a line of its own (CR LF), indented four blanks per enclosing bracket.
  static void FormatAsReadableWKT(const CString& text, CString& readable);

  // --- parameter listing (through the definition record of the kind) -------

  // Display title of the kind, "Non projection" when none can be listed.
  CString GetProjectionTypeTitle() const;
  // Number of listed parameters; 0 when none can be listed.
  int GetNoOfParameters() const;
  // Label and raw value of parameter `index`, with the name and factor of its
  // unit: "" and 1.0 for scales, the projection unit for lengths, the
  // angular unit for angles. False (outputs untouched) for a bad index.
  bool GetParameter(int index, CString& name, double& value, CString& unitName,
                    double& unitFactor) const;

  // --- static text functions -------------------------------------------------

  // True when the text looks like WKT: balanced brackets, more commas than
  // opening brackets, and PROJCS or GEOGCS somewhere.
  static bool IsPRJ(const CString& text);
  // Display name: the COMPD_CS, PROJCS or GEOGCS name, whichever comes first
  // in that order; "Local Coordinates" for the local grid; else the text.
  static CString ShortName(const CString& text);
  // The DATUM name of a text, or "".
  static CString DatumName(const CString& text);
  // The quoted name after the first occurrence of keyword, or "".
  static CString GetName(const CString& text, const CString& keyword);
  // Name and number after the keyword (PRIMEM["Greenwich",0]); returns the
  // text after the number. An absent keyword returns "" and leaves the
  // outputs untouched; an unreadable number gives kUnset.
  static CString GetNameParam(const CString& text, const CString& keyword, CString& name,
                              double& value);
  // Name and word after the keyword (AXIS["Easting",EAST]), the word trimmed.
  static CString GetNameParam(const CString& text, const CString& keyword, CString& name,
                              CString& word);
  // Value of PARAMETER["name",value] (name matched case-insensitively between
  // quotes), or defaultValue when absent. The list form takes the first name
  // found, in list order.
  static double GetParam(const CString& text, const CString& name, double defaultValue);
  static double GetParam(const CString& text, const std::vector<CString>& names,
                         double defaultValue);

  // Bracket checks: _MatchBrackets gives -1 when brackets balance (and for an
  // empty text), the index of the first unmatched "]", or the text length
  // when brackets stay open. _MatchCommas: more commas than "[".
  // _GetBracketLevel: brackets still open at the end, -1 at an unmatched "]".
  static int _MatchBrackets(const CString& text);
  static bool _MatchCommas(const CString& text);
  static int _GetBracketLevel(const CString& text);

  // --- the record ------------------------------------------------------------

  CString GetProjCSname() const { return m_projCSname; }
  void SetProjCSname(const CString& name) { m_projCSname = name; }
  CString GetGeoCSname() const { return m_geoCSname; }
  void SetGeoCSname(const CString& name) { m_geoCSname = name; }
  CString GetDatum() const { return m_datum; }
  void SetDatum(const CString& name) { m_datum = name; }

  void GetPrimeMeridian(CString& name, double& value) const;
  void SetPrimeMeridian(const CString& name, double value);
  // Factor in radians per angular unit.
  void GetAngularUnit(CString& name, double& factor) const;
  void SetAngularUnit(const CString& name, double factor);
  void GetEllipsoid(CString& name, double& semiMajorAxis, double& inverseFlattening) const;
  void SetEllipsoid(const CString& name, double semiMajorAxis, double inverseFlattening);
  // Factor in metres per projection unit.
  void GetProjUnit(CString& name, double& factor) const;
  void SetProjUnit(const CString& name, double factor);

  const CKvDatumShift& GetDatumShift() const { return m_datumShift; }
  void SetDatumShift(const CKvDatumShift& shift) { m_datumShift = shift; }

  CKvMapProjData::EProjectionType GetProjectionType() const { return m_projectionType; }
  void SetProjectionType(CKvMapProjData::EProjectionType type) { m_projectionType = type; }
  CString GetProjectionTypeName() const { return m_projectionTypeName; }
  void SetProjectionTypeName(const CString& name) { m_projectionTypeName = name; }

  // Axis name and direction text ("EAST", "NORTH", "WEST", "SOUTH").
  void GetAxisInfo(EAxisType axis, CString& name, CString& direction) const;
  void SetAxisInfo(EAxisType axis, const CString& name, const CString& direction);

  // Projection parameters, in the units of the text (see above).
  double GetFalseEasting() const { return m_falseEasting; }
  void SetFalseEasting(double value) { m_falseEasting = value; }
  double GetFalseNorthing() const { return m_falseNorthing; }
  void SetFalseNorthing(double value) { m_falseNorthing = value; }
  double GetCentralMeridian() const { return m_centralMeridian; }
  void SetCentralMeridian(double value) { m_centralMeridian = value; }
  double GetStandardParallel1() const { return m_standardParallel1; }
  void SetStandardParallel1(double value) { m_standardParallel1 = value; }
  double GetStandardParallel2() const { return m_standardParallel2; }
  void SetStandardParallel2(double value) { m_standardParallel2 = value; }
  double GetScaleFactor() const { return m_scaleFactor; }
  void SetScaleFactor(double value) { m_scaleFactor = value; }
  double GetLatitudeOfOrigin() const { return m_latitudeOfOrigin; }
  void SetLatitudeOfOrigin(double value) { m_latitudeOfOrigin = value; }
  double GetLongitudeOfCenter() const { return m_longitudeOfCenter; }
  void SetLongitudeOfCenter(double value) { m_longitudeOfCenter = value; }
  double GetLatitudeOfCenter() const { return m_latitudeOfCenter; }
  void SetLatitudeOfCenter(double value) { m_latitudeOfCenter = value; }
  double GetAzimuth() const { return m_azimuth; }
  void SetAzimuth(double value) { m_azimuth = value; }
  double GetXYPlaneRotation() const { return m_xyPlaneRotation; }
  void SetXYPlaneRotation(double value) { m_xyPlaneRotation = value; }
  double GetLongitudeOfSouthPole() const { return m_longitudeOfSouthPole; }
  void SetLongitudeOfSouthPole(double value) { m_longitudeOfSouthPole = value; }
  double GetLatitudeOfSouthPole() const { return m_latitudeOfSouthPole; }
  void SetLatitudeOfSouthPole(double value) { m_latitudeOfSouthPole = value; }
  double GetAngleOfRotation() const { return m_angleOfRotation; }
  void SetAngleOfRotation(double value) { m_angleOfRotation = value; }
  double GetPseudoParallel() const { return m_pseudoParallel; }
  void SetPseudoParallel(double value) { m_pseudoParallel = value; }
  double GetXScale() const { return m_xScale; }
  void SetXScale(double value) { m_xScale = value; }
  double GetYScale() const { return m_yScale; }
  void SetYScale(double value) { m_yScale = value; }

 private:
  CString m_sourceText;
  CString m_projCSname;
  CString m_geoCSname;
  CString m_datum;
  CString m_primeMeridianName;
  double m_primeMeridian = kUnset;
  CString m_angularUnitName;
  double m_angularUnit = kUnset;
  CString m_ellipsoidName;
  double m_semiMajorAxis = kUnset;
  double m_inverseFlattening = kUnset;
  CKvDatumShift m_datumShift;
  CKvMapProjData::EProjectionType m_projectionType = CKvMapProjData::eUndefined;
  CString m_projectionTypeName;
  double m_falseEasting = kUnset;
  double m_falseNorthing = kUnset;
  double m_centralMeridian = kUnset;
  double m_standardParallel1 = kUnset;
  double m_standardParallel2 = kUnset;
  double m_scaleFactor = kUnset;
  double m_latitudeOfOrigin = kUnset;
  double m_longitudeOfCenter = kUnset;
  double m_latitudeOfCenter = kUnset;
  double m_azimuth = kUnset;
  double m_xyPlaneRotation = kUnset;
  double m_longitudeOfSouthPole = kUnset;
  double m_latitudeOfSouthPole = kUnset;
  double m_angleOfRotation = kUnset;
  double m_pseudoParallel = kUnset;
  double m_xScale = kUnset;
  double m_yScale = kUnset;
  CString m_projUnitName;
  double m_projUnit = kUnset;
  CString m_firstAxisName{"Easting"};
  CString m_firstAxisDirection{"EAST"};
  CString m_secondAxisName{"Northing"};
  CString m_secondAxisDirection{"NORTH"};
};

#endif
