/* CKvMapProjDataIDs: the keywords of the projection definition files.
 *
 * Every definition record (one class per projection family) reads and
 * writes its section of "map_projection.rcf" and the custom file with these
 * keywords. A keyword ending in "_dms" holds an angle as whole degrees, whole
 * minutes and decimal seconds; "_ft_us" a length in US survey feet;
 * "Scale_Reduction" the reciprocal form R of a scale k0 = (R - 1) / R. The
 * plain forms are the ones written back.
 *
 * The texts are compile-time constants, usable during static
 * initialisation of other libraries. */
#ifndef KVCART_CORE_CKVMAPPROJDATAIDS_H
#define KVCART_CORE_CKVMAPPROJDATAIDS_H

#include "KvCart/KvCart_api.h"

class KVCART_API CKvMapProjDataIDs {
 public:
  static constexpr const char ID_PROJECTION_NAME[] = "Projection_Name";
  static constexpr const char ID_BRANCH_NAME[] = "Branch_Name";
  static constexpr const char ID_ELLIPSOID_ID[] = "Ellipsoid";
  static constexpr const char ID_PARALLEL_1_DMS[] = "Parallel_1_dms";
  static constexpr const char ID_PARALLEL_1[] = "Parallel_1";
  static constexpr const char ID_PARALLEL_2_DMS[] = "Parallel_2_dms";
  static constexpr const char ID_PARALLEL_2[] = "Parallel_2";
  static constexpr const char ID_PSEUDO_PARALLEL_DMS[] = "Pseudo_Parallel_dms";
  static constexpr const char ID_PSEUDO_PARALLEL[] = "Pseudo_Parallel";
  static constexpr const char ID_CENTRAL_MERIDIAN_DMS[] = "Central_Meridian_dms";
  static constexpr const char ID_CENTRAL_MERIDIAN[] = "Central_Meridian";
  static constexpr const char ID_CENTRE_DMS[] = "Centre_dms";
  static constexpr const char ID_CENTRE[] = "Centre";
  static constexpr const char ID_CENTER_LONGITUDE_DMS[] = "Center_Longitude_dms";
  static constexpr const char ID_CENTER_LONGITUDE[] = "Center_Longitude";
  static constexpr const char ID_CENTER_LATITUDE_DMS[] = "Center_Latitude_dms";
  static constexpr const char ID_CENTER_LATITUDE[] = "Center_Latitude";
  static constexpr const char ID_ORIGIN_LATITUDE_DMS[] = "Origin_Latitude_dms";
  static constexpr const char ID_ORIGIN_LATITUDE[] = "Origin_Latitude";
  static constexpr const char ID_ORIGIN_LONGITUDE_DMS[] = "Origin_Longitude_dms";
  static constexpr const char ID_ORIGIN_LONGITUDE[] = "Origin_Longitude";
  static constexpr const char ID_SCALE[] = "Scale";
  static constexpr const char ID_SCALE_REDUCTION[] = "Scale_Reduction";
  static constexpr const char ID_SCALE_AT_PSEUDO_PARALLEL[] = "Scale_At_Pseudo_Parallel";
  static constexpr const char ID_AZIMUTH[] = "Azimuth";
  static constexpr const char ID_XY_PLANE_ROTATION[] = "XY_Plane_Rotation";
  static constexpr const char ID_X_SCALE[] = "X_Scale";
  static constexpr const char ID_Y_SCALE[] = "Y_Scale";
  static constexpr const char ID_LONGITUDE_OF_SOUTH_POLE[] = "Longitude_of_South_Pole";
  static constexpr const char ID_LATITUDE_OF_SOUTH_POLE[] = "Latitude_of_South_Pole";
  static constexpr const char ID_ANGLE_OF_ROTATION[] = "Angle_of_Rotation";
  static constexpr const char ID_FALSE_EASTING[] = "Feast";
  static constexpr const char ID_FALSE_EASTING_FOOT_US[] = "Feast_ft_us";
  static constexpr const char ID_FALSE_NORTHING[] = "Fnorth";
  static constexpr const char ID_FALSE_NORTHING_FOOT_US[] = "Fnorth_ft_us";

  // The target of a definition file that holds one section per definition.
  static constexpr const char ID_TARGET[] = "MAP_PROJECTION_DEFINITION";
};

#endif
