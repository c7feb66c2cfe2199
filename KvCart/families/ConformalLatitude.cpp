#include "KvCart/families/ConformalLatitude.h"

#include "KvCart/core/AngleMath.h"

namespace kvcart {

ConformalToGeodetic::ConformalToGeodetic(double e, double f) : m_e(e) {
  const double n = f / (2.0 - f);
  m_useSeries = std::fabs(n) <= kSeriesMaxThirdFlattening;
  GaussianToGeodeticCoefficients(n, m_toGeodetic);
}

double GeodeticTau(double tauPrime, double e) {
  if (!std::isfinite(tauPrime)) return tauPrime;  // the poles, and NaN
  const double e2m = 1.0 - e * e;
  double tau = tauPrime / e2m;  // within e^2 of the root
  for (int i = 0; i < kMaxIterations; ++i) {
    double tauPrimeI = ConformalTau(tau, e);
    double step = (tauPrime - tauPrimeI) * (1.0 + e2m * tau * tau) /
                  (e2m * std::hypot(1.0, tau) * std::hypot(1.0, tauPrimeI));
    tau += step;
    // d(phi) = d(tau) / (1 + tau^2); a NaN step ends the loop too.
    if (!(std::fabs(step) >= kRelTolerance * (1.0 + tau * tau))) break;
  }
  return tau;
}

}  // namespace kvcart
