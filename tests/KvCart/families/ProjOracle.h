/* PROJ as a test oracle for the projection families.
 *
 * Wraps a PROJ string ("+proj=etmerc +lon_0=9 ...") so a test can project
 * and unproject degrees and ask for the scale factor and convergence at a
 * point. PROJ is linked into the tests only, never into the library. */
#ifndef KORACORE_TESTS_KVCART_PROJORACLE_H
#define KORACORE_TESTS_KVCART_PROJORACLE_H

#include <proj.h>

#include <memory>
#include <stdexcept>
#include <string>

class ProjOracle {
 public:
  explicit ProjOracle(const std::string& definition)
      : m_ctx(proj_context_create(), proj_context_destroy),
        m_pj(proj_create(m_ctx.get(), definition.c_str()), proj_destroy) {
    if (!m_pj) throw std::runtime_error("PROJ refused " + definition);
  }

  // Degrees to projected metres.
  void Forward(double lon, double lat, double* x, double* y) const {
    PJ_COORD c = proj_coord(proj_torad(lon), proj_torad(lat), 0, 0);
    PJ_COORD r = proj_trans(m_pj.get(), PJ_FWD, c);
    *x = r.xy.x;
    *y = r.xy.y;
  }
  // Projected metres to degrees.
  void Inverse(double x, double y, double* lon, double* lat) const {
    PJ_COORD r = proj_trans(m_pj.get(), PJ_INV, proj_coord(x, y, 0, 0));
    *lon = proj_todeg(r.lp.lam);
    *lat = proj_todeg(r.lp.phi);
  }
  PJ_FACTORS Factors(double lon, double lat) const {
    return proj_factors(m_pj.get(), proj_coord(proj_torad(lon), proj_torad(lat), 0, 0));
  }
  PJ* get() const { return m_pj.get(); }

 private:
  std::unique_ptr<PJ_CONTEXT, decltype(&proj_context_destroy)> m_ctx;
  std::unique_ptr<PJ, decltype(&proj_destroy)> m_pj;
};

#endif
