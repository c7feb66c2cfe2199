/* CKvStereographicPole: polar stereographic about one pole, defined by the
 * latitude of true scale (EPSG Guidance Note 7-2, method 9829, variant B:
 * the NSIDC sea-ice grids, the Antarctic polar stereographic). The common
 * base of CKvStereographicNorthPole and CKvStereographicSouthPole, which
 * only choose the pole.
 *
 * Parameters: latitude of true scale phiF and central meridian (degrees),
 * false easting and northing (metres), the ellipsoid. The scale along phiF
 * is 1 (t_F and m_F of the method at phiF, t_F in the south pole's own form
 * there); a phiF at the pole itself (+-90) means scale 1 at the pole. The
 * origin is the pole, so GetOrigin gives (central meridian, +-90) and the
 * default area is the pole +-200 km.
 *
 * Grid north is the central meridian's direction away from the pole on the
 * north pole class (N = FN - rho cos(dLambda)) and towards it on the south
 * pole class (N = FN + rho cos(dLambda)); longitudes come back as atan2(E -
 * FE, FN - N) and atan2(E - FE, N - FN) respectively.
 *
 * Valid range: the whole earth but the opposite pole, which lies at
 * infinity (infinite or NaN). A parallel of true scale at the opposite pole
 * defines no projection (NaN everywhere).
 * Longitudes any; outputs normalised into [-180, 180). Accuracy: forward
 * exact to rounding; the inverse is the conformal-latitude series of the
 * method, within 1e-9 degrees.
 *
 * Immutable after construction; conversions may run from several threads. */
#ifndef KVCART_FAMILIES_CKVSTEREOGRAPHICPOLE_H
#define KVCART_FAMILIES_CKVSTEREOGRAPHICPOLE_H

#include <string>

#include "KvCart/families/CKvProjectionFrame.h"
#include "KvCart/families/PolarStereographicKernel.h"

class KVCART_API CKvStereographicPole : public CKvProjectionFrame {
 public:
  CKvStereographicPole(const CKvStereographicPole&) = default;
  CKvStereographicPole& operator=(const CKvStereographicPole&) = default;
  ~CKvStereographicPole() override;

  void Geo2Proj(double lon, double lat, double* x, double* y) const override;
  void Proj2Geo(double x, double y, double* lon, double* lat) const override;
  // The pole +-200 km.
  void GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const override;

  double GetTrueScaleLatitude() const { return m_trueScaleLatDeg; }

 protected:
  // sign: +1 about the north pole, -1 about the south pole.
  CKvStereographicPole(const CKvMapProjData& record, double sign, double trueScaleLat,
                       double centre, double falseEasting, double falseNorthing);
  CKvStereographicPole(const std::string& name, double sign, double trueScaleLat, double centre,
                       double falseEasting, double falseNorthing, const CKvEllipsoid& ellipsoid);

 private:
  void Initialise(double sign, double trueScaleLat, double centre, double falseEasting,
                  double falseNorthing);

  double m_trueScaleLatDeg = 0.0;
  kvcart::PolarStereographicKernel m_polar;
};

#endif
