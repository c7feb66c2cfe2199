/* CKvStereographicDataFrame: what the stereographic and the polar
 * stereographic definition records share: their parameters and how they go
 * into well-known text.
 *
 * Parameters, in GetParameter order: "Scale:" k0 (file keyword "Scale", or
 * "Scale_Reduction"), "Central meridian:" ("Centre", or "Centre_dms"),
 * "Latitude origin:" ("Origin_Latitude", or "Origin_Latitude_dms"), "False
 * easting:" ("Feast", or "Feast_ft_us"), "False northing:" ("Fnorth", or
 * "Fnorth_ft_us"). Degrees and metres.
 *
 * A family record adds only its section name, title, type, the name of its
 * well-known-text PROJECTION and CreateProjection. */
#ifndef KVCART_FAMILIES_CKVSTEREOGRAPHICDATAFRAME_H
#define KVCART_FAMILIES_CKVSTEREOGRAPHICDATAFRAME_H

#include "KvCart/families/CKvMapProjDataFrame.h"

class KVCART_API CKvStereographicDataFrame : public CKvMapProjDataFrame {
 public:
  double GetScale() const { return Value(0); }
  void SetScale(double k0) { SetValue(0, k0); }
  double GetCentre() const { return Value(1); }
  void SetCentre(double degrees) { SetValue(1, degrees); }
  double GetOriginLatitude() const { return Value(2); }
  void SetOriginLatitude(double degrees) { SetValue(2, degrees); }
  double GetFalseEasting() const { return Value(3); }
  void SetFalseEasting(double metres) { SetValue(3, metres); }
  double GetFalseNorthing() const { return Value(4); }
  void SetFalseNorthing(double metres) { SetValue(4, metres); }

 protected:
  explicit CKvStereographicDataFrame(const char* section);
  CKvStereographicDataFrame(const CKvStereographicDataFrame&) = default;
  CKvStereographicDataFrame& operator=(const CKvStereographicDataFrame&) = default;

  void TransferValues(CKvPRJParser& parser) const override;
};

#endif
