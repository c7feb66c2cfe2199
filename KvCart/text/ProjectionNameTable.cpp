#include "KvCart/text/ProjectionNameTable.h"

#include <cstring>

#include "KvCart/text/WktScan.h"

namespace kvcart {

namespace {

using Type = CKvMapProjData::EProjectionType;

struct NamedType {
  const char* lowerName;
  Type type;
};

// Kept in lower case: the lookup lower-cases the name it is given.
constexpr NamedType kProjectionNames[] = {
    {"transverse_mercator", CKvMapProjData::eTransverseMercator},
    {"transverse_mercator_complex", CKvMapProjData::eTransverseMercator},
    {"transverse_mercator_south_orientated", CKvMapProjData::eTransverseMercator},
    {"gauss_kruger", CKvMapProjData::eTransverseMercator},
    {"lambert_conformal_conic", CKvMapProjData::eLambert2SP},
    {"lambert_conformal_conic_2sp", CKvMapProjData::eLambert2SP},
    {"lambert_conformal_conic_1sp", CKvMapProjData::eLambert1SP},
    {"stereographic", CKvMapProjData::eStereographic},
    {"double_stereographic", CKvMapProjData::eStereographic},
    {"oblique_stereographic", CKvMapProjData::eStereographic},
    {"new_zealand_map_grid", CKvMapProjData::eNewZealandMapGrid},
    {"hotine_oblique_mercator_azimuth_natural_origin", CKvMapProjData::eHotineObliqueMercator},
    {"hotine_oblique_mercator", CKvMapProjData::eHotineObliqueMercator},
    {"hotine_oblique_mercator_azimuth_center", CKvMapProjData::eObliqueMercator},
    {"rectified_skew_orthomorphic_natural_origin", CKvMapProjData::eRectifiedSkewOrthomorphic},
    // ESRI's oblique Mercator from the centre with a grid angle of its own.
    {"rectified_skew_orthomorphic_center", CKvMapProjData::eObliqueMercator},
    {"rotated_longitude_latitude", CKvMapProjData::eRotatedLongitudeLatitude},
    {"mercator", CKvMapProjData::eMercator2SP},
    {"mercator_2sp", CKvMapProjData::eMercator2SP},
    // ESRI's web Mercator (EPSG:3857): the Mercator class computes it on the
    // sphere of radius a when it sees this name.
    {"mercator_auxiliary_sphere", CKvMapProjData::eMercator2SP},
    {"mercator_1sp", CKvMapProjData::eMercator1SP},
    {"stereographic_north_pole", CKvMapProjData::eStereographicNorthPole},
    {"stereographic_south_pole", CKvMapProjData::eStereographicSouthPole},
    {"geographical", CKvMapProjData::eGeographical},
    {"krovak", CKvMapProjData::eKrovak},
    {"albers", CKvMapProjData::eAlbersEqualArea},
    {"albers_conic_equal_area", CKvMapProjData::eAlbersEqualArea},
    {"lambert_azimuthal_equal_area", CKvMapProjData::eLambertAzimuthalEqualArea},
    {"cassini", CKvMapProjData::eCassiniSoldner},
    {"cassini_soldner", CKvMapProjData::eCassiniSoldner},
    {"equidistant_conic", CKvMapProjData::eEquidistantConic},
    {"polar_stereographic", CKvMapProjData::ePolarStereographic},
    {"non_projected", CKvMapProjData::eNonProjected},
};

}  // namespace

CKvMapProjData::EProjectionType ProjectionTypeOfName(const CString& name) {
  const CString lowered = wkt::AsciiLower(name);
  for (const NamedType& entry : kProjectionNames) {
    // Compared with the length, so a name with an embedded zero byte never
    // matches the part before it.
    if (std::strlen(entry.lowerName) == static_cast<size_t>(lowered.GetLength()) &&
        lowered == entry.lowerName) {
      return entry.type;
    }
  }
  return CKvMapProjData::eUndefined;
}

}  // namespace kvcart
