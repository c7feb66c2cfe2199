// The numpy dtype of each simple type of the data files (1 float ..
// 7 unsigned*2) and back.
#ifndef KORACORE_PYTHON_SIMPLE_TYPES_H
#define KORACORE_PYTHON_SIMPLE_TYPES_H

#include <pybind11/numpy.h>

#include <cstdint>
#include <stdexcept>
#include <string>

namespace koracore_py {

inline pybind11::dtype DtypeOf(int simpleType) {
  switch (simpleType) {
    case 1: return pybind11::dtype::of<float>();
    case 2: return pybind11::dtype::of<double>();
    case 3: return pybind11::dtype::of<std::uint8_t>();
    case 4: return pybind11::dtype::of<std::int32_t>();
    case 5: return pybind11::dtype::of<std::uint32_t>();
    case 6: return pybind11::dtype::of<std::int16_t>();
    case 7: return pybind11::dtype::of<std::uint16_t>();
  }
  throw pybind11::value_error("unknown simple type " + std::to_string(simpleType));
}

}  // namespace koracore_py

#endif
