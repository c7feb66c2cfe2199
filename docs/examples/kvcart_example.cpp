// KvCart from C++: the UTM zone of a longitude, then a model grid on it --
// origin and orientation -- and a point taken from longitude/latitude to
// grid coordinates and back, through the flat interface, with the handle
// released however the program leaves its scope.
#include <cstdio>
#include <stdexcept>
#include <string>

#include "KvCart/facade/KvCartFlat.h"

namespace {

class ModelGrid {
 public:
  ModelGrid(const std::string& projection, double lon0, double lat0, double orientation) {
    int status = 0;
    if (C_KVC_CREATE(projection.c_str(), lon0, lat0, orientation, &m_handle, &status) != 0) {
      throw std::runtime_error("no projection " + projection);
    }
  }
  ~ModelGrid() {
    int status = 0;
    C_KVC_DESTROY(&m_handle, &status);
  }
  ModelGrid(const ModelGrid&) = delete;
  ModelGrid& operator=(const ModelGrid&) = delete;

  void ToGrid(double lon, double lat, double& x, double& y) const {
    C_KVC_GEO2XY(m_handle, lon, lat, &x, &y);
  }
  void ToGeo(double x, double y, double& lon, double& lat) const {
    C_KVC_XY2GEO(m_handle, x, y, &lon, &lat);
  }

 private:
  void* m_handle = nullptr;
};

std::string UtmZone(double lon) {
  char zone[16];
  int needed = 0;
  if (S_LONGITUDETOUTMZONE(lon, zone, sizeof zone - 1, &needed) != 0) {
    throw std::runtime_error("no UTM zone");
  }
  return zone;
}

}  // namespace

int main() {
  try {
    if (CARTSETUPLINUX("", "./") != 0) throw std::runtime_error("no projection database");
    const std::string zone = UtmZone(10.2);
    // A grid whose origin lies at 10 E 56 N, its y axis turned 30 degrees east of north.
    const ModelGrid grid(zone, 10.0, 56.0, 30.0);
    double x = 0.0, y = 0.0, lon = 0.0, lat = 0.0;
    grid.ToGrid(10.2, 56.1, x, y);
    grid.ToGeo(x, y, lon, lat);
    std::printf("%s grid: 10.2 E 56.1 N at x %.1f m, y %.1f m\n", zone.c_str(), x, y);
    std::printf("back: %.6f %.6f\n", lon, lat);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kvcart_example_cpp: %s\n", e.what());
    return 1;
  }
}
