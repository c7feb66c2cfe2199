// Projections, model grids and datum conversions over numpy arrays.
//
// Each class owns one handle of the projection library's flat interface and
// converts whole arrays through its array entry points, with the
// interpreter lock released: a handle, once made, may convert from several
// threads at once, and nothing here changes it after construction.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "KvCart/facade/KvCartFlat.h"
#include "bindings.h"
#include "crs_text.h"
#include "status.h"

namespace py = pybind11;

namespace koracore_py {

namespace {

using Coordinates = py::array_t<double, py::array::c_style | py::array::forcecast>;
using PairCall = int (*)(void*, int, const double*, const double*, double*, double*, int*);
using TripleCall = int (*)(void*, int, const double*, const double*, const double*, double*,
                           double*, double*, int*);

std::vector<py::ssize_t> ShapeOf(const Coordinates& a) {
  return std::vector<py::ssize_t>(a.shape(), a.shape() + a.ndim());
}

void RequireSameShape(const Coordinates& a, const Coordinates& b) {
  if (ShapeOf(a) != ShapeOf(b)) throw py::value_error("the coordinate arrays differ in shape");
}

// The library counts points in an int: longer arrays go in pieces.
template <typename Call>
void InPieces(py::ssize_t count, Call call) {
  constexpr py::ssize_t kPiece = INT_MAX;
  for (py::ssize_t done = 0; done < count; done += kPiece) {
    const int n = static_cast<int>(std::min(kPiece, count - done));
    if (call(done, n) != 0) throw LibraryFailure(Library::eKvCart, -1, "convert");
  }
}

py::tuple ConvertPairs(void* handle, PairCall call, const Coordinates& a, const Coordinates& b) {
  RequireSameShape(a, b);
  Coordinates outA(ShapeOf(a)), outB(ShapeOf(a));
  const double* inA = a.data();
  const double* inB = b.data();
  double* toA = outA.mutable_data();
  double* toB = outB.mutable_data();
  {
    py::gil_scoped_release unlocked;
    InPieces(a.size(), [&](py::ssize_t at, int n) {
      return call(handle, n, inA + at, inB + at, toA + at, toB + at, nullptr);
    });
  }
  return py::make_tuple(outA, outB);
}

py::tuple ConvertTriples(void* handle, TripleCall call, const Coordinates& a, const Coordinates& b,
                         const Coordinates& c) {
  RequireSameShape(a, b);
  RequireSameShape(a, c);
  Coordinates outA(ShapeOf(a)), outB(ShapeOf(a)), outC(ShapeOf(a));
  const double* in[3] = {a.data(), b.data(), c.data()};
  double* to[3] = {outA.mutable_data(), outB.mutable_data(), outC.mutable_data()};
  {
    py::gil_scoped_release unlocked;
    InPieces(a.size(), [&](py::ssize_t at, int n) {
      return call(handle, n, in[0] + at, in[1] + at, in[2] + at, to[0] + at, to[1] + at, to[2] + at,
                  nullptr);
    });
  }
  return py::make_tuple(outA, outB, outC);
}

// A value per point from a single-point function, for the few questions
// the library answers one point at a time.
template <typename Call>
Coordinates PerPoint(const Coordinates& a, const Coordinates& b, Call call) {
  RequireSameShape(a, b);
  Coordinates out(ShapeOf(a));
  const double* inA = a.data();
  const double* inB = b.data();
  double* to = out.mutable_data();
  const py::ssize_t count = a.size();
  py::gil_scoped_release unlocked;
  for (py::ssize_t i = 0; i < count; ++i) to[i] = call(inA[i], inB[i]);
  return out;
}

// A map projection: one projection string resolved to its projection.
class Projection {
 public:
  explicit Projection(const std::string& text) {
    int status = 0;
    if (C_KVMP_CREATE(text.c_str(), &m_handle, &status) != 0 || m_handle == nullptr)
      throw py::value_error("no projection for " + Quoted(text));
  }
  Projection(const Projection&) = delete;
  Projection& operator=(const Projection&) = delete;
  ~Projection() {
    int status = 0;
    C_KVMP_DESTROY(&m_handle, &status);
  }

  std::string Name() const { return FlatText(C_KVMP_GETNAME, m_handle); }
  std::string Text() const { return FlatText(C_KVMP_GETPROJECTIONSTRING, m_handle); }
  py::tuple Origin() const {
    double lon = 0.0, lat = 0.0;
    C_KVMP_GETORIGIN(m_handle, &lon, &lat);
    return py::make_tuple(lon, lat);
  }
  py::tuple DefaultArea() const {
    double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;
    C_KVMP_GETDEFAULTAREA(m_handle, &x0, &y0, &x1, &y1);
    return py::make_tuple(x0, y0, x1, y1);
  }
  py::tuple Forward(const Coordinates& lon, const Coordinates& lat) const {
    return ConvertPairs(m_handle, C_KVMP_GEO2PROJ_ARRAY, lon, lat);
  }
  py::tuple Inverse(const Coordinates& x, const Coordinates& y) const {
    return ConvertPairs(m_handle, C_KVMP_PROJ2GEO_ARRAY, x, y);
  }
  Coordinates Convergence(const Coordinates& lon, const Coordinates& lat) const {
    void* handle = m_handle;
    return PerPoint(lon, lat,
                    [handle](double a, double b) { return C_KVMP_GETCONVERGENCE(handle, a, b); });
  }

 private:
  void* m_handle = nullptr;
};

// A projection with a local model grid: origin and orientation.
class Cartography {
 public:
  Cartography(const std::string& text, double lon0, double lat0, double orientation) {
    int status = 0;
    if (C_KVC_CREATE(text.c_str(), lon0, lat0, orientation, &m_handle, &status) != 0 ||
        m_handle == nullptr)
      throw py::value_error("no projection for " + Quoted(text));
  }
  Cartography(const Cartography&) = delete;
  Cartography& operator=(const Cartography&) = delete;
  ~Cartography() {
    int status = 0;
    C_KVC_DESTROY(&m_handle, &status);
  }

  std::string Name() const { return FlatText(C_KVC_GETPROJECTIONNAME, m_handle); }
  std::string Text() const { return FlatText(C_KVC_GETPROJECTIONSTRING, m_handle); }
  double ProjectionNorth() const { return C_KVC_GETPROJNORTH(m_handle); }
  Coordinates TrueNorth(const Coordinates& x, const Coordinates& y) const {
    void* handle = m_handle;
    return PerPoint(x, y,
                    [handle](double a, double b) { return C_KVC_GETTRUENORTH(handle, a, b); });
  }
  py::tuple Convert(PairCall call, const Coordinates& a, const Coordinates& b) const {
    return ConvertPairs(m_handle, call, a, b);
  }

 private:
  void* m_handle = nullptr;
};

// Two coordinate systems, possibly on different datums. The conversion
// type is fixed at construction, so conversions only read the handle.
class DatumConverter {
 public:
  DatumConverter(const std::string& source, const std::string& target, int type) {
    if (type < 0 || type > 3) throw py::value_error("the conversion type is 0, 1, 2 or 3");
    int status = 0;
    if (C_KVDC_CREATE(source.c_str(), target.c_str(), &m_handle, &status) != 0 ||
        m_handle == nullptr)
      throw py::value_error("no projection for " + Quoted(source) + " or " + Quoted(target));
    C_KVDC_SETCONVERSIONTYPE(m_handle, type);
  }
  DatumConverter(const DatumConverter&) = delete;
  DatumConverter& operator=(const DatumConverter&) = delete;
  ~DatumConverter() {
    int status = 0;
    C_KVDC_DESTROY(&m_handle, &status);
  }

  bool Bypassed() const { return C_KVDC_GETBYPASSXYZ(m_handle) == 1; }
  py::tuple Convert(bool inverse, const Coordinates& x, const Coordinates& y) const {
    return ConvertPairs(m_handle, inverse ? C_KVDC_INVCONVERTXY_ARRAY : C_KVDC_CONVERTXY_ARRAY, x,
                        y);
  }
  py::tuple ConvertWithHeight(bool inverse, const Coordinates& x, const Coordinates& y,
                              const Coordinates& h) const {
    return ConvertTriples(m_handle, inverse ? C_KVDC_INVCONVERTXYH_ARRAY : C_KVDC_CONVERTXYH_ARRAY,
                          x, y, h);
  }

 private:
  void* m_handle = nullptr;
};

void BindProjection(py::module_& m) {
  py::class_<Projection>(m, "Projection")
      .def(py::init<const std::string&>(), py::arg("text"))
      .def_property_readonly("name", &Projection::Name)
      .def_property_readonly("text", &Projection::Text)
      .def_property_readonly("origin", &Projection::Origin)
      .def_property_readonly("default_area", &Projection::DefaultArea)
      .def("forward", &Projection::Forward, py::arg("lon"), py::arg("lat"))
      .def("inverse", &Projection::Inverse, py::arg("x"), py::arg("y"))
      .def("convergence", &Projection::Convergence, py::arg("lon"), py::arg("lat"));
}

void BindCartography(py::module_& m) {
  // The six conversions between geographical, projected and grid points.
  const std::pair<const char*, PairCall> conversions[] = {
      {"geo_to_proj", C_KVC_GEO2PROJ_ARRAY}, {"proj_to_geo", C_KVC_PROJ2GEO_ARRAY},
      {"geo_to_xy", C_KVC_GEO2XY_ARRAY},     {"xy_to_geo", C_KVC_XY2GEO_ARRAY},
      {"xy_to_proj", C_KVC_XY2PROJ_ARRAY},   {"proj_to_xy", C_KVC_PROJ2XY_ARRAY}};
  py::class_<Cartography> cls(m, "Cartography");
  cls.def(py::init<const std::string&, double, double, double>(), py::arg("text"), py::arg("lon0"),
          py::arg("lat0"), py::arg("orientation"))
      .def_property_readonly("name", &Cartography::Name)
      .def_property_readonly("text", &Cartography::Text)
      .def_property_readonly("projection_north", &Cartography::ProjectionNorth)
      .def("true_north", &Cartography::TrueNorth, py::arg("x"), py::arg("y"));
  for (const auto& conversion : conversions) {
    PairCall call = conversion.second;
    cls.def(
        conversion.first,
        [call](const Cartography& self, const Coordinates& a, const Coordinates& b) {
          return self.Convert(call, a, b);
        },
        py::arg("a"), py::arg("b"));
  }
}

void BindDatumConverter(py::module_& m) {
  py::class_<DatumConverter>(m, "DatumConverter")
      .def(py::init<const std::string&, const std::string&, int>(), py::arg("source"),
           py::arg("target"), py::arg("type"))
      .def_property_readonly("bypassed", &DatumConverter::Bypassed)
      .def("convert", &DatumConverter::Convert, py::arg("inverse"), py::arg("x"), py::arg("y"))
      .def("convert_with_height", &DatumConverter::ConvertWithHeight, py::arg("inverse"),
           py::arg("x"), py::arg("y"), py::arg("h"));
}

}  // namespace

void BindProjections(py::module_& m) {
  BindProjection(m);
  BindCartography(m);
  BindDatumConverter(m);
}

}  // namespace koracore_py
