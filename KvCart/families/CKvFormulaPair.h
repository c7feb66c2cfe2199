/* CKvFormulaPair: the outer class of a family that computes the sphere and
 * the ellipsoid by different formulas (Albers, equidistant conic,
 * Cassini-Soldner, Lambert azimuthal equal area).
 *
 * It holds one formula object and a kind tag: 1 for the ellipsoid object,
 * 2 for the sphere object, chosen once when the family's constructor calls
 * ChooseFormula -- the sphere exactly when the flattening in use is 0. It
 * forwards Geo2Proj, Proj2Geo, GetOrigin, GetDefaultArea and
 * GetAnonymousEllipsoid to that object (without one they write nothing and
 * answer false); convergence is the frame's numeric form over the forwarded
 * Geo2Proj. A copy copies the formula object by its kind tag.
 *
 * Units and thread safety as CKvProjectionFrame.
 *
 * Usage (in a family):
 *   class CKvAlbersEqualArea
 *       : public CKvFormulaPair<CKvAlbersEqualAreaEllipsoid, CKvAlbersEqualAreaSphere> {...};
 *   // constructor: SetOrigin(...); SetFalseOrigin(...); ChooseFormula(p1, p2); */
#ifndef KVCART_FAMILIES_CKVFORMULAPAIR_H
#define KVCART_FAMILIES_CKVFORMULAPAIR_H

#include <memory>
#include <string>

#include "KvCart/families/CKvProjFormula.h"
#include "KvCart/families/CKvProjectionFrame.h"

template <class EllipsoidFormula, class SphereFormula>
class KVCART_API CKvFormulaPair : public CKvProjectionFrame {
 public:
  enum EFormulaKind { eNoFormula = 0, eEllipsoidFormula = 1, eSphereFormula = 2 };

  ~CKvFormulaPair() override = default;

  void Geo2Proj(double lon, double lat, double* x, double* y) const override {
    if (m_formula) m_formula->Geo2Proj(lon, lat, x, y);
  }
  void Proj2Geo(double x, double y, double* lon, double* lat) const override {
    if (m_formula) m_formula->Proj2Geo(x, y, lon, lat);
  }
  void GetOrigin(double* lon, double* lat) const override {
    if (m_formula) m_formula->GetOrigin(lon, lat);
  }
  void GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const override {
    if (m_formula) m_formula->GetDefaultArea(x0, y0, x1, y1);
  }
  bool GetAnonymousEllipsoid(CKvEllipsoid& ellipsoid) const override {
    return m_formula && m_formula->GetAnonymousEllipsoid(ellipsoid);
  }

  // Which formula object converts: eEllipsoidFormula or eSphereFormula.
  EFormulaKind GetFormulaKind() const { return m_kind; }

 protected:
  using CKvProjectionFrame::CKvProjectionFrame;
  CKvFormulaPair(const CKvFormulaPair& other)
      : CKvProjectionFrame(other), m_kind(other.m_kind), m_formula(CopyFormula(other)) {}
  CKvFormulaPair& operator=(const CKvFormulaPair&) = delete;

  // Builds the formula object from the frame's ellipsoid, origin and false
  // origin (set them first), the default-area half-size and, for the conic
  // families, the standard parallels in degrees.
  void ChooseFormula(double halfSize, double parallel1 = 0.0, double parallel2 = 0.0) {
    SetDefaultHalfSize(halfSize);
    CKvProjFormula::Setup setup;
    setup.a = m_a;
    setup.invFlattening = m_f > 0.0 ? m_invFlattening : 0.0;
    setup.e = m_e;
    setup.lon0 = m_lon0Deg;
    setup.lat0 = m_lat0Deg;
    setup.falseEasting = m_falseEasting;
    setup.falseNorthing = m_falseNorthing;
    setup.parallel1 = parallel1;
    setup.parallel2 = parallel2;
    setup.halfSize = halfSize;
    if (m_f == 0.0) {
      m_formula.reset(new SphereFormula(setup));
      m_kind = eSphereFormula;
    } else {
      m_formula.reset(new EllipsoidFormula(setup));
      m_kind = eEllipsoidFormula;
    }
  }

 private:
  static CKvProjFormula* CopyFormula(const CKvFormulaPair& other) {
    switch (other.m_kind) {
      case eEllipsoidFormula:
        return new EllipsoidFormula(static_cast<const EllipsoidFormula&>(*other.m_formula));
      case eSphereFormula:
        return new SphereFormula(static_cast<const SphereFormula&>(*other.m_formula));
      case eNoFormula: break;
    }
    return nullptr;
  }

  EFormulaKind m_kind = eNoFormula;
  std::unique_ptr<CKvProjFormula> m_formula;
};

#endif
