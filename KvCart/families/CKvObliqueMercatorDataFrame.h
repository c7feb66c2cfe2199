/* CKvObliqueMercatorDataFrame: what the three oblique Mercator definition
 * records share (Hotine with its natural origin, oblique Mercator counted
 * from the centre, rectified skew orthomorphic).
 *
 * Parameters, in GetParameter order: "Scale:" k_c on the centre line (file
 * keyword "Scale", or "Scale_Reduction"), "Longitude of center:"
 * ("Center_Longitude", or "Center_Longitude_dms"), "Latitude of center:"
 * ("Center_Latitude", or "Center_Latitude_dms"), "Azimuth:" of the centre
 * line at the centre ("Azimuth", decimal only); the rectified skew
 * orthomorphic record then has "XY plane rotation:" ("XY_Plane_Rotation",
 * decimal only); last "False easting:" and "False northing:" ("Feast",
 * "Fnorth", or their "_ft_us" forms). Degrees and metres.
 *
 * A family record adds only its section name, title, type, the name of its
 * well-known-text PROJECTION and CreateProjection. */
#ifndef KVCART_FAMILIES_CKVOBLIQUEMERCATORDATAFRAME_H
#define KVCART_FAMILIES_CKVOBLIQUEMERCATORDATAFRAME_H

#include <string>

#include "KvCart/families/CKvMapProjDataFrame.h"

class KVCART_API CKvObliqueMercatorDataFrame : public CKvMapProjDataFrame {
 public:
  double GetScale() const { return Value(0); }
  void SetScale(double k) { SetValue(0, k); }
  double GetCenterLongitude() const { return Value(1); }
  void SetCenterLongitude(double degrees) { SetValue(1, degrees); }
  double GetCenterLatitude() const { return Value(2); }
  void SetCenterLatitude(double degrees) { SetValue(2, degrees); }
  double GetAzimuth() const { return Value(3); }
  void SetAzimuth(double degrees) { SetValue(3, degrees); }
  double GetFalseEasting() const { return Value(GetNoOfParameters() - 2); }
  void SetFalseEasting(double metres) { SetValue(GetNoOfParameters() - 2, metres); }
  double GetFalseNorthing() const { return Value(GetNoOfParameters() - 1); }
  void SetFalseNorthing(double metres) { SetValue(GetNoOfParameters() - 1, metres); }

  // The angle from the rectified to the skew grid in degrees: the azimuth,
  // unless the family keeps a rotation of its own.
  virtual double GetRectificationAngle() const { return GetAzimuth(); }

 protected:
  // withRotation: the table of the rectified skew orthomorphic record.
  CKvObliqueMercatorDataFrame(bool withRotation, const char* section);
  CKvObliqueMercatorDataFrame(const CKvObliqueMercatorDataFrame&) = default;
  CKvObliqueMercatorDataFrame& operator=(const CKvObliqueMercatorDataFrame&) = default;

  void TransferValues(CKvPRJParser& parser) const override;
};

#endif
