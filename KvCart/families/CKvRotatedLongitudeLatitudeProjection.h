/* CKvRotatedLongitudeLatitudeProjection: the definition record of a
 * rotated-pole longitude/latitude grid (climate and ocean models: COSMO,
 * HIRLAM, the CORDEX domains).
 *
 * Parameters, in GetParameter order: "Longitude of south pole:" (file
 * keyword "Longitude_of_South_Pole"), "Latitude of south pole:"
 * ("Latitude_of_South_Pole"), "Angle of rotation:" ("Angle_of_Rotation");
 * no alternative forms, no false easting or northing. Section
 * "ROTATED_LONGITUDE_LATITUDE_PROJECTION". Degrees; the coordinates of the
 * grid are degrees too, so the well-known text names "Degree" as its unit.
 *
 * CreateProjection builds a CKvRotatedLongitudeLatitude; null when the
 * record names an ellipsoid the database does not hold (or none).
 *
 * Usage:
 *   CKvRotatedLongitudeLatitudeProjection euro("EUR-11", "", "XY", 18, -39.25, 0);
 *   CKvProjection* p = euro.CreateProjection(); */
#ifndef KVCART_FAMILIES_CKVROTATEDLONGITUDELATITUDEPROJECTION_H
#define KVCART_FAMILIES_CKVROTATEDLONGITUDELATITUDEPROJECTION_H

#include <string>

#include "KvCart/families/CKvMapProjDataFrame.h"

class KVCART_API CKvRotatedLongitudeLatitudeProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "ROTATED_LONGITUDE_LATITUDE_PROJECTION";
};

class KVCART_API CKvRotatedLongitudeLatitudeProjection
    : public CKvMapProjDataFrame,
      public CKvRotatedLongitudeLatitudeProjectionIDs {
 public:
  // Empty strings, zero parameters, deletable and editable.
  CKvRotatedLongitudeLatitudeProjection();
  CKvRotatedLongitudeLatitudeProjection(const std::string& name, const std::string& branch,
                                        const std::string& ellipsoidCode, double southPoleLongitude,
                                        double southPoleLatitude, double rotationAngle,
                                        bool canDelete = false, bool canEdit = false);
  CKvRotatedLongitudeLatitudeProjection(const CKvRotatedLongitudeLatitudeProjection&) = default;
  CKvRotatedLongitudeLatitudeProjection& operator=(const CKvRotatedLongitudeLatitudeProjection&) =
      default;
  ~CKvRotatedLongitudeLatitudeProjection() override;

  CKvProjection* CreateProjection() const override;
  std::string GetProjectionTypeTitle() const override { return "Rotated longitude/latitude"; }
  EProjectionType GetProjectionType() const override { return eRotatedLongitudeLatitude; }

  double GetSouthPoleLongitude() const { return Value(0); }
  void SetSouthPoleLongitude(double degrees) { SetValue(0, degrees); }
  double GetSouthPoleLatitude() const { return Value(1); }
  void SetSouthPoleLatitude(double degrees) { SetValue(1, degrees); }
  double GetRotationAngle() const { return Value(2); }
  void SetRotationAngle(double degrees) { SetValue(2, degrees); }

 protected:
  void TransferValues(CKvPRJParser& parser) const override;
  const char* GetWktTypeName() const override { return "Rotated_Longitude_Latitude"; }
  bool HasAngularCoordinates() const override { return true; }
};

#endif
