/* CKvDatumConverter: coordinates from one coordinate system to another,
 * across geodetic datums.
 *
 * Each coordinate system carries a datum shift to WGS 84 (its TOWGS84
 * values). A conversion goes: source projected -> source geographical ->
 * earth-centred X, Y, Z on the source ellipsoid -> shifted to WGS 84 with
 * the source parameters -> shifted from WGS 84 with the target parameters
 * -> geographical on the target ellipsoid -> target projected. The
 * earth-centred step is skipped ("bypass") when both systems share the
 * ellipsoid and the shift, or when either has no ellipsoid.
 *
 * Seven-parameter shifts use the position-vector convention (EPSG Guidance
 * Note 7-2, method 1033) with the small-angle rotation matrix, as PROJ's
 * Helmert transformation does without +exact; the way back from WGS 84 uses
 * the transposed matrix. Agreement with PROJ: better than 1 mm.
 *
 * Units: the shifts of the coordinate systems come in as well-known text
 * gives them (metres, arc-seconds, parts per million) and are turned into
 * working units (metres, radians, a fraction) once, at construction.
 * SetDatumShift takes working units directly.
 *
 * The conversion type says what goes in and out (ETypeOfConversion).
 * Either system being the local grid ("NON-UTM"), or either projection
 * missing, makes every conversion leave its input unchanged.
 *
 * Thread safety: configure first (SetConversionType, SetDatumShift,
 * BypassXYZ, InvertOrder); conversions only read and may run from several
 * threads at once.
 *
 * Usage:
 *   CKvDatumConverter dc(ed50UtmText, "UTM-32");   // source, target
 *   double x = 500000, y = 6100000; dc.Convert(x, y);
 */
#ifndef KVCART_FACADE_CKVDATUMCONVERTER_H
#define KVCART_FACADE_CKVDATUMCONVERTER_H

#include "KvCart/KvCart_api.h"
#include "KvCart/core/CKvCartDef.h"

class CKvDatumShift;
class CKvMapProjection;

class KVCART_API CKvDatumConverter : public CKvCartDef {
 public:
  enum ETypeOfConversion : int {
    eProjToProj = 0,  // source projected -> target projected
    eProjToGeo = 1,   // source projected -> target longitude/latitude
    eGeoToProj = 2,   // source longitude/latitude -> target projected
    eGeoToGeo = 3     // source longitude/latitude -> target longitude/latitude
  };

  // Builds and owns a facade for each text. Throws for the bare "UTM".
  CKvDatumConverter(const char* source, const char* target);
  // Uses the caller's facades, which must outlive the converter.
  CKvDatumConverter(CKvMapProjection* source, CKvMapProjection* target);
  CKvDatumConverter(const CKvDatumConverter& other);
  CKvDatumConverter& operator=(const CKvDatumConverter& other);
  virtual ~CKvDatumConverter();

  void SetConversionType(ETypeOfConversion type) { m_conversionType = type; }
  ETypeOfConversion GetConversionType() const { return m_conversionType; }
  bool GetBypassXYZ() const { return m_bypass; }
  void BypassXYZ() { m_bypass = true; }
  // Back to the bypass worked out at construction; returns it.
  bool ResetBypassXYZ() { return m_bypass = m_bypassDefault; }
  // Replaces one side's shift: type 2 seven values, 1 three, 0 none, in
  // working units (metres, radians, fraction), stored as given.
  void SetDatumShift(ETypeOfDatumShift type, const double* params, bool source);
  // Swaps source and target (and projected/geographical in types 1 and 2).
  void InvertOrder();
  CKvMapProjection* GetMapProjection(bool source) const { return source ? m_source : m_target; }
  // False when nothing is converted: a local system or a missing projection.
  bool CanConvert() const;
  bool IsLocal() const { return m_local; }
  ETypeOfDatumShift GetDatumShiftType(bool source) const;
  // The seven working-unit values of one side.
  const double* GetDatumShiftParameters(bool source) const;

  // In place, source to target; h (metres above the ellipsoid) goes along.
  void Convert(double& x, double& y) const;
  void Convert(double& x, double& y, double& h) const;
  // In place, target to source.
  void InvConvert(double& x, double& y) const;
  void InvConvert(double& x, double& y, double& h) const;
  // The earth-centred step alone: source datum to target datum, and back.
  void DatumShift(double& x, double& y, double& z) const;
  void InvDatumShift(double& x, double& y, double& z) const;

 private:
  struct Side {
    ETypeOfDatumShift type = eNoShift;
    double params[7] = {0, 0, 0, 0, 0, 0, 0};
  };

  static Side InWorkingUnits(const CKvDatumShift& shift);
  static int UsedValues(ETypeOfDatumShift type);
  static bool SameShift(const Side& a, const Side& b);
  void Init();
  void CopyFrom(const CKvDatumConverter& other);
  void ReleaseFacades();
  // Geographical coordinates of one side to the other through X, Y, Z.
  void DatumStep(const CKvMapProjection& from, const CKvMapProjection& to, const Side& first,
                 const Side& second, double& lon, double& lat, double& h) const;
  static void ToWgs84(const Side& side, double& x, double& y, double& z);
  static void FromWgs84(const Side& side, double& x, double& y, double& z);

  CKvMapProjection* m_source = nullptr;
  CKvMapProjection* m_target = nullptr;
  ETypeOfConversion m_conversionType = eProjToProj;
  bool m_sameEllipsoid = true;
  bool m_bypass = true;
  bool m_bypassDefault = true;
  bool m_local = false;
  bool m_ownsFacades = false;
  Side m_sourceShift;
  Side m_targetShift;
};

#endif
