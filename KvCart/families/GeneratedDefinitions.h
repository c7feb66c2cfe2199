/* The definitions the database generates instead of reading them: the 60
 * UTM zones, the local "NON-UTM" and the geographical "LONG/LAT"; and the
 * UTM zone of a longitude.
 *
 * UTM zone z (1..60) is a transverse Mercator on WGS 84 (code "WE") with
 * central meridian 6z - 183, origin latitude 0, scale 0.9996, false easting
 * 500000 m, false northing 0, branch "UTM Projections", named "UTM-<z>";
 * northern hemisphere only. The generated records are neither deletable
 * nor editable. The caller owns every record returned.
 *
 * Usage:
 *   int zone = kvcart::UtmZoneOfLongitude(9.0);                 // 32
 *   CKvMapProjData* utm = kvcart::CreateUtmDefinition(zone);    // "UTM-32" */
#ifndef KVCART_FAMILIES_GENERATEDDEFINITIONS_H
#define KVCART_FAMILIES_GENERATEDDEFINITIONS_H

#include <string>

class CKvMapProjData;

namespace kvcart {

constexpr const char kUtmBranch[] = "UTM Projections";
constexpr const char kNonUtmBranch[] = "Non UTM Projections";

// The zone whose 6-degree band holds the longitude, floor(lon / 6) + 31,
// always within 1..60: a longitude outside [-180, 180] is first wrapped into
// [-180, 180) (190 is zone 2), and the closing meridian 180 itself belongs to
// zone 60, the band it closes. Non-finite longitudes give 0 (no zone).
int UtmZoneOfLongitude(double lon);
// "UTM-<zone>".
std::string UtmZoneName(int zone);
// Central meridian of a zone, 6 zone - 183 degrees.
double UtmCentralMeridian(int zone);

// The record of UTM zone `zone` (null outside 1..60).
CKvMapProjData* CreateUtmDefinition(int zone);
// "NON-UTM": transverse Mercator without ellipsoid and with zero parameters,
// branch "Non UTM Projections"; its projection passes coordinates through.
CKvMapProjData* CreateLocalGridDefinition();
// "LONG/LAT": geographical, branch "Non UTM Projections", no ellipsoid code.
CKvMapProjData* CreateLongLatDefinition();

}  // namespace kvcart

#endif
