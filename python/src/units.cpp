// The units registry for Python: looking units and item types up, and
// converting values and whole numpy arrays with the library's own array
// conversion, so that results are the very bits a C caller gets.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "bindings.h"
#include "kfs/dfs/dfs_header.h"
#include "qty/qty.h"
#include "status.h"

namespace py = pybind11;

namespace koracore_py {

namespace {

std::string Text(const char* text) { return text ? text : ""; }

int RequireUnit(int unit) {
  const char* key = nullptr;
  if (qtyGetUnitKey(unit, &key) != 1)
    throw LibraryFailure(Library::eQty, qtyErrUnknownUnit, "unit");
  return unit;
}

// Units whose abbreviation is the text; the table keeps them unique.
int UnitByAbbreviation(const std::string& text) {
  int unit = 0;
  const char* key = nullptr;
  while (qtyGetNextUnit(unit, &unit, &key) == 1) {
    const char* abbreviation = nullptr;
    if (qtyGetUnitAbbreviation(unit, &abbreviation) == 1 && abbreviation && text == abbreviation)
      return unit;
  }
  return 0;
}

// The unit a person names: ident, name or alias, or abbreviation; 0 for none.
int FindUnit(const std::string& text) {
  int unit = 0;
  if (text.empty()) return 0;
  if (qtyGetUnitTagFromIdent(text.c_str(), &unit) == 1 && unit) return unit;
  if (qtyGetUnitTag(text.c_str(), &unit) == 1 && unit) return unit;
  return UnitByAbbreviation(text);
}

py::dict UnitInfo(int unit) {
  RequireUnit(unit);
  const char *ident = nullptr, *key = nullptr, *abbreviation = nullptr;
  qtyGetUnitIdent(unit, &ident);
  qtyGetUnitKey(unit, &key);
  qtyGetUnitAbbreviation(unit, &abbreviation);
  double factor = 1.0, offset = 0.0, powers[7] = {}, factors[7] = {};
  qtyUnitGetParameters(unit, &factor, &offset, powers, factors);
  py::dict info;
  info["id"] = unit;
  info["ident"] = Text(ident);
  info["name"] = Text(key);
  info["abbreviation"] = Text(abbreviation);
  info["factor"] = factor;
  info["offset"] = offset;
  info["powers"] = std::vector<double>(powers, powers + 7);
  return info;
}

std::vector<int> UnitIds() {
  std::vector<int> ids;
  int unit = 0;
  const char* key = nullptr;
  while (qtyGetNextUnit(unit, &unit, &key) == 1) ids.push_back(unit);
  return ids;
}

int RequireItemType(int itemType) {
  const char* key = nullptr;
  if (qtyGetItemTypeKey(itemType, &key) != 1)
    throw LibraryFailure(Library::eQty, qtyErrUnknownItemType, "item type");
  return itemType;
}

// Item types by ident or by name (the key); 0 for none.
int FindItemType(const std::string& text) {
  int itemType = 0;
  if (text.empty()) return 0;
  if (qtyGetItemTypeKeyFromIdent(text.c_str(), &itemType) == 1 && itemType) return itemType;
  const int count = qtyGetItemTypeCount();
  for (int seq = 1; seq <= count; ++seq) {
    const char* key = nullptr;
    if (qtyGetItemTypeSeq(seq, &itemType, &key) == 1 && key && text == key) return itemType;
  }
  return 0;
}

py::dict ItemTypeInfo(int itemType) {
  RequireItemType(itemType);
  const char *ident = nullptr, *key = nullptr;
  qtyGetItemTypeIdent(itemType, &ident);
  qtyGetItemTypeKey(itemType, &key);
  std::vector<int> units;
  const int count = qtyGetItemUnitCount(itemType);
  for (int seq = 1; seq <= count; ++seq) {
    int unit = 0;
    if (qtyGetItemUnitSeq(itemType, seq, &unit, nullptr) == 1) units.push_back(unit);
  }
  int userUnit = -1;
  qtyGetItemUserUnit(itemType, &userUnit);
  py::dict info;
  info["id"] = itemType;
  info["ident"] = Text(ident);
  info["name"] = Text(key);
  info["units"] = units;
  info["user_unit"] = userUnit;
  return info;
}

std::vector<int> ItemTypeIds() {
  std::vector<int> ids;
  const int count = qtyGetItemTypeCount();
  for (int seq = 1; seq <= count; ++seq) {
    int itemType = 0;
    if (qtyGetItemTypeSeq(seq, &itemType, nullptr) == 1) ids.push_back(itemType);
  }
  return ids;
}

void CheckConvertible(int from, int to) {
  RequireUnit(from);
  RequireUnit(to);
  if (qtyUnitsEqv(from, to) != 1) throw LibraryFailure(Library::eQty, qtyErrDimension, "convert");
}

// The library counts elements in an int: longer arrays go in pieces.
template <typename T, typename Convert>
void ConvertInPieces(T* data, py::ssize_t count, Convert convert) {
  constexpr py::ssize_t kPiece = INT_MAX;
  for (py::ssize_t done = 0; done < count; done += kPiece) {
    const py::ssize_t piece = std::min(kPiece, count - done);
    convert(data + done, static_cast<int>(piece));
  }
}

// In place over a writable, contiguous float32 or float64 array.
void ConvertArray(py::array values, int from, int to, double deleteValue) {
  CheckConvertible(from, to);
  if (!(values.flags() & py::array::c_style) || !values.writeable())
    throw py::value_error("the array must be writable and C-contiguous");
  const py::ssize_t count = values.size();
  if (py::isinstance<py::array_t<float>>(values)) {
    auto* data = static_cast<float*>(values.mutable_data());
    const float deleteFloat = static_cast<float>(deleteValue);
    py::gil_scoped_release unlocked;
    ConvertInPieces(data, count, [&](float* piece, int n) {
      qtyConvertItemArrayF(from, to, piece, n, deleteFloat);
    });
  } else if (py::isinstance<py::array_t<double>>(values)) {
    auto* data = static_cast<double*>(values.mutable_data());
    py::gil_scoped_release unlocked;
    ConvertInPieces(data, count, [&](double* piece, int n) {
      qtyConvertItemArrayD(from, to, piece, n, deleteValue);
    });
  } else {
    throw py::type_error("the array must hold float32 or float64 values");
  }
}

double ConvertValue(double value, int from, int to) {
  CheckConvertible(from, to);
  double result = value;
  qtyConvertUnit(from, to, &result, value);
  return result;
}

}  // namespace

void BindUnits(py::module_& m) {
  m.def(
      "load_units", [](const std::string& path) { return qtySetupLoad(path.c_str()) == 1; },
      py::arg("path") = "", "Loads a unit table (the default one for \"\").");
  m.def("unit_table_path", []() { return Text(qtySetupGetPath(nullptr)); });
  m.def("find_unit", &FindUnit, py::arg("text"));
  m.def("unit_info", &UnitInfo, py::arg("unit"));
  m.def("unit_ids", &UnitIds);
  m.def("units_equivalent", [](int a, int b) { return qtyUnitsEqv(a, b) == 1; });
  m.def("find_item_type", &FindItemType, py::arg("text"));
  m.def("item_type_info", &ItemTypeInfo, py::arg("item_type"));
  m.def("item_type_ids", &ItemTypeIds);
  m.def("unit_allowed", [](int itemType, int unit) { return qtyItemUnitEqv(itemType, unit) == 1; });
  m.def("convert_array", &ConvertArray, py::arg("values"), py::arg("from_unit"), py::arg("to_unit"),
        py::arg("delete_value"));
  m.def(
      "simple_type_name", [](int type) { return Text(dfsSimpleTypeStr(type)); }, py::arg("type"),
      "The library's name of a simple type (1 float .. 7 unsigned*2).");
  m.def("convert_value", &ConvertValue, py::arg("value"), py::arg("from_unit"), py::arg("to_unit"));
}

}  // namespace koracore_py
