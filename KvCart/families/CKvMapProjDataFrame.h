/* CKvMapProjDataFrame: what every projection definition record shares.
 *
 * A family's record (CKvTransverseMercatorProjection, CKvLambert1SPProjection,
 * ...) derives from this frame and describes its parameters in a static
 * table: label, file keyword, the alternative keyword form (degrees-minutes-
 * seconds, US survey feet, scale reduction) and the kind of value. The frame
 * then does the rest from the table: name, branch and ellipsoid code, the two
 * flags, reading a section of a definition file, writing it back,
 * GetParameter/SetParameters, and the frame of the well-known text that
 * TransferParameters hands over. The family adds its section name, title,
 * type, the well-known-text names of its parameters and CreateProjection.
 *
 * Reading a section: text keywords "Projection_Name", "Branch_Name",
 * "Ellipsoid"; then each parameter, where the alternative form wins when
 * present: "<key>_dms" (d, m, s; the sign of d applies to m and s), "Feast_ft_us"
 * (x 0.30480060960121924), "Scale_Reduction" R (k0 = (R - 1) / R). Absent keys
 * leave their values. Writing: only records that can be edited, plain keys only.
 *
 * A record that cannot be edited (the generated UTM zones, the standard
 * files) refuses SetName, SetEllipsoidID and the per-parameter setters;
 * SetBranchName and SetParameters always apply.
 *
 * Units: angles in decimal degrees, lengths in metres, scales pure numbers. */
#ifndef KVCART_FAMILIES_CKVMAPPROJDATAFRAME_H
#define KVCART_FAMILIES_CKVMAPPROJDATAFRAME_H

#include <string>

#include "KvCart/KvCart_api.h"
#include "KvCart/core/CKvMapProjData.h"

class CKvEllipsoid;

class KVCART_API CKvMapProjDataFrame : public CKvMapProjData {
 public:
  // How a parameter may also be written in a definition file.
  enum EKeyForm {
    ePlainKey = 0,      // the decimal key only
    eDmsKey = 1,        // altKey holds degrees, minutes, seconds
    eReductionKey = 2,  // altKey holds the scale reduction R
    eFootKey = 3        // altKey holds US survey feet
  };
  // One parameter of a family, in GetParameter order.
  struct ParamKey {
    const char* label;   // "Scale:"
    const char* key;     // the decimal keyword, the one written back
    const char* altKey;  // the alternative keyword, null for ePlainKey
    EKeyForm form;
    EParamType type;
  };
  static constexpr int kMaxParameters = 10;
  static constexpr double kUsFootInMetres = 0.30480060960121924;

  // Rows that many families' tables share, with the labels they list.
  static constexpr ParamKey kScaleKey = {"Scale:", ID_SCALE, ID_SCALE_REDUCTION, eReductionKey,
                                         eNoUnit};
  static constexpr ParamKey kCentreKey = {"Central meridian:", ID_CENTRE, ID_CENTRE_DMS, eDmsKey,
                                          eAngular};
  static constexpr ParamKey kParallel1Key = {"First parallel:", ID_PARALLEL_1, ID_PARALLEL_1_DMS,
                                             eDmsKey, eAngular};
  static constexpr ParamKey kParallel2Key = {"Second parallel:", ID_PARALLEL_2, ID_PARALLEL_2_DMS,
                                             eDmsKey, eAngular};
  static constexpr ParamKey kOriginLatitudeKey = {"Latitude origin:", ID_ORIGIN_LATITUDE,
                                                  ID_ORIGIN_LATITUDE_DMS, eDmsKey, eAngular};
  static constexpr ParamKey kFalseEastingKey = {"False easting:", ID_FALSE_EASTING,
                                                ID_FALSE_EASTING_FOOT_US, eFootKey, eLinear};
  static constexpr ParamKey kFalseNorthingKey = {"False northing:", ID_FALSE_NORTHING,
                                                 ID_FALSE_NORTHING_FOOT_US, eFootKey, eLinear};

  std::string GetName() const override { return m_name; }
  void SetName(const std::string& name) override;
  std::string GetBranchName() const override { return m_branch; }
  void SetBranchName(const std::string& branch) override { m_branch = branch; }
  std::string GetEllipsoidID() const override { return m_ellipsoidId; }
  void SetEllipsoidID(const std::string& code) override;
  void ReadFromHandle(void* section, bool custom) override;
  void WriteToHandle(void* document) override;
  bool IsSectionID(const std::string& sectionName) const override;
  bool CanDelete() const override { return m_canDelete; }
  bool CanEdit() const override { return m_canEdit; }
  void TransferParameters(CKvPRJParser& parser) const override;
  int GetNoOfParameters() const override { return m_count; }
  bool GetParameter(int index, std::string& label, double& value, EParamType& type) const override;
  void SetParameters(const double* values) override;

  // The well-known-text record of this definition. From a projection object
  // (fromProjection) a missing ellipsoid is written with the default
  // ellipsoid values, from the record itself as " " with unset numbers;
  // either way the type is then eNonProjected "Non_Projected".
  void TransferDefinition(CKvPRJParser& parser, bool fromProjection) const;
  // The ellipsoid named by the code in the process-wide database, or null.
  const CKvEllipsoid* FindEllipsoid() const;
  // Sets the two flags (the factories and the database's generated entries).
  void SetFlags(bool canDelete, bool canEdit);

 protected:
  // keys/count: the family's static parameter table; section: its section
  // name in definition files (oldSection: a second accepted name, or null).
  CKvMapProjDataFrame(const ParamKey* keys, int count, const char* section,
                      const char* oldSection = nullptr);
  CKvMapProjDataFrame(const CKvMapProjDataFrame&) = default;
  CKvMapProjDataFrame& operator=(const CKvMapProjDataFrame&) = default;

  // Name, branch, code and flags at once (constructors of the families).
  void Init(const std::string& name, const std::string& branch, const std::string& code,
            bool canDelete, bool canEdit);
  double Value(int index) const { return m_values[index]; }
  // A per-parameter setter: refused when the record cannot be edited.
  void SetValue(int index, double value);

  // The family's parameters into the well-known-text record.
  virtual void TransferValues(CKvPRJParser& parser) const = 0;
  // The PROJECTION name written for the family ("Transverse_Mercator").
  virtual const char* GetWktTypeName() const = 0;
  // True for families whose coordinates are angles (linear unit "Degree").
  virtual bool HasAngularCoordinates() const { return false; }

 private:
  double ReadParameter(void* section, const ParamKey& key, double current) const;

  const ParamKey* m_keys;
  int m_count;
  const char* m_section;
  const char* m_oldSection;
  std::string m_name;
  std::string m_branch;
  std::string m_ellipsoidId;
  double m_values[kMaxParameters] = {};
  bool m_canDelete = true;
  bool m_canEdit = true;
};

#endif
