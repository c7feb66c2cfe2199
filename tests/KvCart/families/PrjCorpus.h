/* The ESRI .prj corpus (tests/data/KvCart/prj, written by projinfo) against
 * PROJ: a text is parsed by CKvPRJParser, made into a projection, and its
 * forward conversion compared with PROJ reading the same text, on a 5 x 4
 * grid of points inside the EPSG area of use of the system. */
#ifndef KORACORE_TESTS_KVCART_PRJCORPUS_H
#define KORACORE_TESTS_KVCART_PRJCORPUS_H

#include <proj.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "KvCart/core/CKvProjection.h"
#include "KvCart/text/CKvPRJParser.h"

namespace prjcorpus {

struct PjDeleter {
  void operator()(PJ* pj) const { proj_destroy(pj); }
};
using PjPtr = std::unique_ptr<PJ, PjDeleter>;

// The first line of the corpus file of "EPSG:2154" (epsg_2154.prj).
inline std::string ReadPrj(const std::string& authorityCode) {
  std::string file = authorityCode;
  std::transform(file.begin(), file.end(), file.begin(),
                 [](unsigned char c) { return c == ':' ? '_' : std::tolower(c); });
  std::ifstream in(KORACORE_SOURCE_DIR "/tests/data/KvCart/prj/" + file + ".prj");
  std::string line;
  std::getline(in, line);
  return line;
}

// PROJ's reading of the text: geographic longitude/latitude (from its prime
// meridian, in its angular unit) to projected coordinates in its linear unit.
inline PjPtr ProjConversion(const std::string& wkt) {
  PjPtr crs(proj_create(PJ_DEFAULT_CTX, wkt.c_str()));
  if (!crs) return nullptr;
  PjPtr geographic(proj_crs_get_geodetic_crs(PJ_DEFAULT_CTX, crs.get()));
  PjPtr op(proj_create_crs_to_crs_from_pj(PJ_DEFAULT_CTX, geographic.get(), crs.get(), nullptr,
                                          nullptr));
  if (!op) return nullptr;
  return PjPtr(proj_normalize_for_visualization(PJ_DEFAULT_CTX, op.get()));
}

struct Area {
  double west = 0, south = 0, east = 0, north = 0;
};

inline Area AreaOfUse(const std::string& authorityCode) {
  Area a;
  PjPtr crs(proj_create(PJ_DEFAULT_CTX, authorityCode.c_str()));
  if (crs) {
    proj_get_area_of_use(PJ_DEFAULT_CTX, crs.get(), &a.west, &a.south, &a.east, &a.north, nullptr);
  }
  if (a.east < a.west) a.east += 360.0;  // an area across the antimeridian
  return a;
}

// Largest distance in metres between our projection of the parsed text and
// PROJ's, over 5 x 4 points spread over the area of use (cell centres, so a
// world system's points stay off the meridian opposite its centre, where
// +180 and -180 degrees from it are one seam); infinite when a point gives
// NaN; negative when the text gives no projection.
inline double WorstDistance(const std::string& wkt, const std::string& authorityCode) {
  CKvPRJParser record(wkt.c_str());
  record.Parse(false);
  std::unique_ptr<CKvProjection> ours(record.CreateMapProjection());
  PjPtr proj = ProjConversion(wkt);
  if (!ours || !proj) return -1.0;
  CString name;
  double unit = 1.0, primeMeridian = 0.0, radiansPerUnit = 1.0;
  record.GetProjUnit(name, unit);
  record.GetPrimeMeridian(name, primeMeridian);
  record.GetAngularUnit(name, radiansPerUnit);
  const double degreesPerUnit = radiansPerUnit * 57.29577951308232;
  const Area a = AreaOfUse(authorityCode);
  double worst = 0.0;
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < 4; ++j) {
      const double lon = a.west + (a.east - a.west) * (i + 0.5) / 5.0;
      const double lat = a.south + (a.north - a.south) * (j + 0.5) / 4.0;
      double x, y;
      ours->Geo2Proj(lon, lat, &x, &y);
      PJ_COORD out = proj_trans(
          proj.get(), PJ_FWD,
          proj_coord((lon - primeMeridian) / degreesPerUnit, lat / degreesPerUnit, 0, 0));
      // A NaN of ours counts as infinitely far: std::max would drop it.
      const double d = std::hypot(x - out.xy.x * unit, y - out.xy.y * unit);
      worst = std::isnan(d) ? HUGE_VAL : std::max(worst, d);
    }
  }
  return worst;
}

// The share of a corpus per family that parses and projects within 1 mm of
// PROJ, for the record: Report prints one line per family and records it as
// the test property "within_1mm.<family>" = "<n> of <texts>".
class FamilyShare {
 public:
  // worstDistance as WorstDistance gives it (negative: no projection).
  void Add(CKvMapProjData::EProjectionType type, double worstDistance) {
    Counts& c = m_counts[type];
    c.within += worstDistance >= 0.0 && worstDistance <= 1e-3;
    c.texts += 1;
  }

  void Report() const {
    for (const auto& [type, c] : m_counts) {
      const std::string share = std::to_string(c.within) + " of " + std::to_string(c.texts);
      std::printf("%-36s %s texts within 1 mm of PROJ\n", FamilyName(type), share.c_str());
      ::testing::Test::RecordProperty(std::string("within_1mm.") + FamilyName(type), share);
    }
  }

  static const char* FamilyName(int type) {
    static const std::map<int, const char*> kNames = {
        {CKvMapProjData::eTransverseMercator, "transverse Mercator"},
        {CKvMapProjData::eLambert2SP, "Lambert conformal conic 2SP"},
        {CKvMapProjData::eLambert1SP, "Lambert conformal conic 1SP"},
        {CKvMapProjData::eStereographic, "stereographic (oblique and polar)"},
        {CKvMapProjData::eNewZealandMapGrid, "New Zealand Map Grid"},
        {CKvMapProjData::eHotineObliqueMercator, "Hotine oblique Mercator"},
        {CKvMapProjData::eObliqueMercator, "oblique Mercator (centre origin)"},
        {CKvMapProjData::eRectifiedSkewOrthomorphic, "rectified skew orthomorphic"},
        {CKvMapProjData::eRotatedLongitudeLatitude, "rotated longitude/latitude"},
        {CKvMapProjData::eMercator2SP, "Mercator 2SP (ESRI Mercator, web)"},
        {CKvMapProjData::eMercator1SP, "Mercator 1SP"},
        {CKvMapProjData::eStereographicNorthPole, "stereographic north pole"},
        {CKvMapProjData::eStereographicSouthPole, "stereographic south pole"},
        {CKvMapProjData::eGeographical, "geographical"},
        {CKvMapProjData::eKrovak, "Krovak"},
        {CKvMapProjData::eAlbersEqualArea, "Albers equal area"},
        {CKvMapProjData::eLambertAzimuthalEqualArea, "Lambert azimuthal equal area"},
        {CKvMapProjData::eCassiniSoldner, "Cassini-Soldner"},
        {CKvMapProjData::eEquidistantConic, "equidistant conic"},
        {CKvMapProjData::ePolarStereographic, "polar stereographic"}};
    auto it = kNames.find(type);
    return it == kNames.end() ? "other" : it->second;
  }

 private:
  struct Counts {
    int within = 0;
    int texts = 0;
  };
  std::map<int, Counts> m_counts;
};

}  // namespace prjcorpus

#endif
