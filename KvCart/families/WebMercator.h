/* Recognising the Mercator of the web maps (EPSG:3857, "Pseudo-Mercator")
 * in a parsed well-known text. It is the spherical Mercator on the sphere of
 * radius a applied to geodetic coordinates, so the Mercator classes compute
 * it with a sphere in place of the ellipsoid the text names. Two forms occur:
 *  - ESRI: PROJECTION["Mercator_Auxiliary_Sphere"] with
 *    Auxiliary_Sphere_Type 0 (the sphere of radius a). Types 1-3 (radius b,
 *    the authalic sphere, authalic latitudes) are other projections.
 *  - GDAL: PROJECTION["Mercator_1SP"] whose EXTENSION["PROJ4", "..."] gives
 *    +proj=merc on a sphere (+a equal to +b, or +R), as GDAL writes EPSG:3857.
 *
 * Usage:
 *   double radius;
 *   if (kvcart::WebMercatorOf(parser, &radius) == kvcart::eWebMercator) ... */
#ifndef KVCART_FAMILIES_WEBMERCATOR_H
#define KVCART_FAMILIES_WEBMERCATOR_H

class CKvPRJParser;

namespace kvcart {

enum EWebMercatorForm {
  eNotWebMercator,       // an ordinary Mercator text
  eWebMercator,          // the sphere of *radius
  eOtherAuxiliarySphere  // an auxiliary sphere this library does not compute
};

// Which form a parsed Mercator text is; for eWebMercator the radius of the
// sphere in metres (the semi-major axis, or the extension's +a).
EWebMercatorForm WebMercatorOf(const CKvPRJParser& parser, double* radius);

}  // namespace kvcart

#endif
