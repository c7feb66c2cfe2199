// The parameter listing of a parsed record: titles, labels and units come
// from the definition record of the kind, built from the raw values.
#include <memory>
#include <string>
#include <vector>

#include "KvCart/text/CKvPRJParser.h"

namespace {

using P = CKvPRJParser;
using Getter = double (P::*)() const;

// The record's fields in the parameter order of each kind's definition
// record (the order its constructor and SetParameters take).
constexpr Getter kTransverseMercatorOrder[] = {&P::GetScaleFactor, &P::GetCentralMeridian,
                                               &P::GetLatitudeOfOrigin, &P::GetFalseEasting,
                                               &P::GetFalseNorthing};
constexpr Getter kConicOrder[] = {&P::GetStandardParallel1, &P::GetStandardParallel2,
                                  &P::GetCentralMeridian,   &P::GetLatitudeOfOrigin,
                                  &P::GetFalseEasting,      &P::GetFalseNorthing};
constexpr Getter kOriginOrder[] = {&P::GetCentralMeridian, &P::GetLatitudeOfOrigin,
                                   &P::GetFalseEasting, &P::GetFalseNorthing};
constexpr Getter kHotineOrder[] = {&P::GetScaleFactor,      &P::GetLongitudeOfCenter,
                                   &P::GetLatitudeOfCenter, &P::GetAzimuth,
                                   &P::GetFalseEasting,     &P::GetFalseNorthing};
constexpr Getter kSkewOrder[] = {
    &P::GetScaleFactor,     &P::GetLongitudeOfCenter, &P::GetLatitudeOfCenter, &P::GetAzimuth,
    &P::GetXYPlaneRotation, &P::GetFalseEasting,      &P::GetFalseNorthing};
constexpr Getter kRotatedOrder[] = {&P::GetLongitudeOfSouthPole, &P::GetLatitudeOfSouthPole,
                                    &P::GetAngleOfRotation};
constexpr Getter kParallelOrder[] = {&P::GetStandardParallel1, &P::GetCentralMeridian,
                                     &P::GetFalseEasting, &P::GetFalseNorthing};
constexpr Getter kMercator1SPOrder[] = {&P::GetScaleFactor, &P::GetCentralMeridian,
                                        &P::GetFalseEasting, &P::GetFalseNorthing};
constexpr Getter kKrovakOrder[] = {
    &P::GetScaleFactor,      &P::GetPseudoParallel, &P::GetLongitudeOfCenter,
    &P::GetLatitudeOfCenter, &P::GetAzimuth,        &P::GetXYPlaneRotation,
    &P::GetXScale,           &P::GetYScale,         &P::GetFalseEasting,
    &P::GetFalseNorthing};

template <size_t N>
std::vector<Getter> Order(const Getter (&getters)[N]) {
  return std::vector<Getter>(getters, getters + N);
}

std::vector<Getter> ListingOrder(CKvMapProjData::EProjectionType type) {
  switch (type) {
    case CKvMapProjData::eTransverseMercator:
    case CKvMapProjData::eLambert1SP:
    case CKvMapProjData::eStereographic:
    case CKvMapProjData::ePolarStereographic: return Order(kTransverseMercatorOrder);
    case CKvMapProjData::eLambert2SP:
    case CKvMapProjData::eAlbersEqualArea:
    case CKvMapProjData::eEquidistantConic: return Order(kConicOrder);
    case CKvMapProjData::eNewZealandMapGrid:
    case CKvMapProjData::eLambertAzimuthalEqualArea:
    case CKvMapProjData::eCassiniSoldner: return Order(kOriginOrder);
    case CKvMapProjData::eHotineObliqueMercator:
    case CKvMapProjData::eObliqueMercator: return Order(kHotineOrder);
    case CKvMapProjData::eRectifiedSkewOrthomorphic: return Order(kSkewOrder);
    case CKvMapProjData::eRotatedLongitudeLatitude: return Order(kRotatedOrder);
    case CKvMapProjData::eMercator2SP:
    case CKvMapProjData::eStereographicNorthPole:
    case CKvMapProjData::eStereographicSouthPole: return Order(kParallelOrder);
    case CKvMapProjData::eMercator1SP: return Order(kMercator1SPOrder);
    case CKvMapProjData::eKrovak: return Order(kKrovakOrder);
    default: return {};  // geographical: no parameters
  }
}

// A definition record of the kind holding the raw values (no unit
// conversion), or null for kinds 21 and 22 and for families that are not
// built into the library.
std::unique_ptr<CKvMapProjData> ListingRecord(const P& record) {
  const CKvMapProjData::EProjectionType type = record.GetProjectionType();
  if (type < 1 || type > 20) return nullptr;
  std::vector<double> values;
  for (Getter get : ListingOrder(type)) values.push_back((record.*get)());
  values.push_back(0.0);  // never an empty array, also for the geographical kind
  CString ellipsoid;
  double a = 0.0, inverseFlattening = 0.0;
  record.GetEllipsoid(ellipsoid, a, inverseFlattening);
  return std::unique_ptr<CKvMapProjData>(CKvMapProjData::CreateProjection(
      type, record.GetProjCSname().GetString(), record.GetDatum().GetString(),
      ellipsoid.GetString(), values.data()));
}

}  // namespace

CString CKvPRJParser::GetProjectionTypeTitle() const {
  const std::unique_ptr<CKvMapProjData> listing = ListingRecord(*this);
  return listing ? CString(listing->GetProjectionTypeTitle().c_str()) : CString("Non projection");
}

int CKvPRJParser::GetNoOfParameters() const {
  const std::unique_ptr<CKvMapProjData> listing = ListingRecord(*this);
  return listing ? listing->GetNoOfParameters() : 0;
}

bool CKvPRJParser::GetParameter(int index, CString& name, double& value, CString& unitName,
                                double& unitFactor) const {
  const std::unique_ptr<CKvMapProjData> listing = ListingRecord(*this);
  std::string label;
  double raw = 0.0;
  CKvMapProjData::EParamType kind = CKvMapProjData::eNoUnit;
  if (!listing || !listing->GetParameter(index, label, raw, kind)) return false;
  name = label.c_str();
  value = raw;
  if (kind == CKvMapProjData::eLinear) {
    GetProjUnit(unitName, unitFactor);
  } else if (kind == CKvMapProjData::eAngular) {
    GetAngularUnit(unitName, unitFactor);
  } else {
    unitName = "";
    unitFactor = 1.0;
  }
  return true;
}
