// The projection library's process-wide database of definitions and
// ellipsoids, and the questions it answers about projection texts.
//
// The database is filled once per process and is not to be changed while
// other threads use it, so everything here keeps the interpreter lock: two
// Python threads never fill or read it at the same moment through us.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "KvCart/core/CKvCartSetup.h"
#include "KvCart/core/CKvMapProjData.h"
#include "KvCart/facade/CKvMapProjection.h"
#include "KvCart/facade/KvCartFlat.h"
#include "KvCart/text/CKvPRJParser.h"
#include "base/CString.h"
#include "bindings.h"
#include "crs_text.h"

#ifndef KORACORE_INSTALL_DATA_DIR
#define KORACORE_INSTALL_DATA_DIR "/usr/local/share/koracore"
#endif
#ifndef KORACORE_SOURCE_DATA_DIR
#define KORACORE_SOURCE_DATA_DIR ""
#endif
#ifndef KORACORE_PACKAGE_TO_DATA
#define KORACORE_PACKAGE_TO_DATA "../../../../share/koracore"
#endif

namespace py = pybind11;

namespace koracore_py {

namespace {

// An empty folder lets the library look for the shipped definitions as it
// looks for the unit table: KORACORE_DATA, KORA_HOME, then the folder of
// the installation (or build tree) the library was loaded from.
std::string DefaultFolder() { return std::string(); }

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// Fills the database unless something in the process did already (a second
// fill would list every definition twice). True when this call filled it.
bool Setup(const std::string& standardDir, const std::string& customDir) {
  if (CKvCartSetup::Instance().IsFilled()) return false;
  return CARTSETUPLINUX(WithSlash(standardDir).c_str(), WithSlash(customDir).c_str()) == 0;
}

const char* ParameterKind(CKvMapProjData::EParamType type) {
  switch (type) {
    case CKvMapProjData::eLinear: return "m";
    case CKvMapProjData::eAngular: return "deg";
    case CKvMapProjData::eNoUnit: break;
  }
  return "";
}

py::dict Describe(const CKvMapProjData& record) {
  py::list parameters;
  for (int i = 0; i < record.GetNoOfParameters(); ++i) {
    std::string label;
    double value = 0.0;
    CKvMapProjData::EParamType type = CKvMapProjData::eNoUnit;
    if (record.GetParameter(i, label, value, type))
      parameters.append(py::make_tuple(label, value, ParameterKind(type)));
  }
  py::dict entry;
  entry["name"] = record.GetName();
  entry["branch"] = record.GetBranchName();
  entry["ellipsoid"] = record.GetEllipsoidID();
  entry["kind"] = record.GetProjectionTypeTitle();
  entry["parameters"] = parameters;
  entry["custom"] = record.CanEdit();
  return entry;
}

py::list Definitions() {
  py::list entries;
  const CKvMapProjectionList& list = CKvCartSetup::Instance().GetMapProjectionList();
  for (auto it = list.GetIteratorBegin(); it != list.GetIteratorEnd(); ++it)
    entries.append(Describe(**it));
  return entries;
}

std::vector<std::string> SplitList(const char* list) {
  std::vector<std::string> names;
  std::string name;
  for (const char* c = list ? list : ""; *c != '\0'; ++c) {
    if (*c != ';') {
      name += *c;
      continue;
    }
    names.push_back(name);
    name.clear();
  }
  return names;
}

std::vector<std::string> Ellipsoids() {
  long count = 0;
  return SplitList(CKvMapProjection::EnumEllipsoids(0, &count));
}

// PROJ.4 terms of a projection text, with an optional datum shift to
// WGS 84 (3 or 7 values); "" where the text has no PROJ form.
std::string Proj4(const std::string& text, const std::vector<double>& shift) {
  if (!shift.empty() && shift.size() != 3 && shift.size() != 7)
    throw py::value_error("a datum shift has 3 or 7 values");
  const double* values = shift.empty() ? nullptr : shift.data();
  const int count = static_cast<int>(shift.size());
  return BufferText([&](char* buffer, int size, int* needed) {
    return C_KVC_CONVERT2PROJ4(text.c_str(), values, count, buffer, size, needed);
  });
}

std::string ReadableWkt(const std::string& text) {
  CString readable;
  CKvPRJParser::FormatAsReadableWKT(CString(text.c_str()), readable);
  return readable.GetString();
}

std::string ShortName(const std::string& text) {
  return BufferText([&](char* buffer, int size, int* needed) {
    return S_PROJECTIONSHORTNAME(text.c_str(), buffer, size, needed);
  });
}

std::string UtmZone(double lon) {
  return BufferText([&](char* buffer, int size, int* needed) {
    return S_LONGITUDETOUTMZONE(lon, buffer, size, needed);
  });
}

std::string WebMercator() {
  return BufferText([](char* buffer, int size, int* needed) {
    return S_GETGOOGLEMAPPROJECTIONSTRING(buffer, size, needed);
  });
}

// The library's yes/no answers: 1, 0, or -1 when it cannot tell.
py::object Answer(int answer) {
  if (answer < 0) return py::none();
  return py::bool_(answer == 1);
}

void BindQuestions(py::module_& m) {
  m.def("short_name", &ShortName, py::arg("text"));
  m.def("is_valid", [](const std::string& t) { return Answer(S_ISVALID(t.c_str())); });
  m.def("is_local", [](const std::string& t) { return Answer(S_ISLOCAL(t.c_str())); });
  m.def("is_geographical",
        [](const std::string& t) { return Answer(S_ISGEOGRAPHICAL(t.c_str())); });
  m.def("is_georeferenced",
        [](const std::string& t) { return Answer(S_ISGEOREFERENCED(t.c_str())); });
  m.def("has_datum", [](const std::string& t) { return Answer(S_HASDATUM(t.c_str())); });
  m.def("are_identical", [](const std::string& a, const std::string& b) {
    return Answer(S_AREIDENTICAL(a.c_str(), b.c_str()));
  });
  m.def("coordinate_system_type",
        [](const std::string& t) { return S_GETCOORDSYSTYPE(t.c_str()); });
  m.def("utm_zone", &UtmZone, py::arg("lon"));
}

}  // namespace

void BindDefinitions(py::module_& m) {
  m.def("default_definitions_folder", &DefaultFolder);
  // The installed data folder relative to the installed package folder.
  m.attr("package_to_data") = KORACORE_PACKAGE_TO_DATA;
  m.def("setup_projections", &Setup, py::arg("standard_dir"), py::arg("custom_dir"));
  m.def("projections_set_up", []() { return CKvCartSetup::Instance().IsFilled(); });
  m.def("definitions", &Definitions);
  m.def("ellipsoids", &Ellipsoids);
  m.def("proj4", &Proj4, py::arg("text"), py::arg("shift") = std::vector<double>());
  m.def("readable_wkt", &ReadableWkt, py::arg("text"));
  m.def("web_mercator_text", &WebMercator);
  m.def("wgs84_text", []() {
    return std::string(
        CKvMapProjection::IDtoProjectionString(CKvMapProjection::eWgs84Geographical));
  });
  BindQuestions(m);
}

}  // namespace koracore_py
