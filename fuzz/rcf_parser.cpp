// The parameter-file parser: load from memory, walk every element, read every
// parameter as each kind, and write the document back and load what was
// written (a loaded document must survive its own round trip).
#include <cstdint>
#include <string>

#include "rcf/rcf.h"

namespace {

void ReadParams(void* keyword) {
  int count = rcfGetNoParams(keyword);
  for (int i = 1; i <= count; ++i) {
    void* param = rcfParamByNum(keyword, i);
    rcfGetParamType(param);
    rcfGetInt(param);
    rcfGetDouble(param);
    rcfGetText(param);
  }
}

void ReadKeywords(void* element) {
  int count = rcfGetNoKeywords(element);
  for (int i = 1; i <= count; ++i) {
    void* keyword = rcfKeywordByNum(element, i);
    rcfGetNoInstances(keyword);
    ReadParams(keyword);
    // By name, as callers look keywords up.
    std::string name = rcfGetName(keyword);
    double value = 0;
    rcfGetParam(element, name.c_str(), &value);
  }
}

void Walk(void* doc) {
  int targets = rcfGetNoTargets(doc);
  for (int t = 1; t <= targets; ++t) {
    void* target = rcfTargetByNum(doc, t);
    rcfTargetByNameNum(doc, rcfGetName(target), 1);
    ReadKeywords(target);
    int sections = rcfGetNoSections(target);
    for (int s = 1; s <= sections; ++s) ReadKeywords(rcfSectionByNum(target, s));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > static_cast<size_t>(INT32_MAX)) return 0;
  void* doc = rcfLoadText(reinterpret_cast<const char*>(data), static_cast<int>(size), "fuzz");
  rcfGetErrorGlb();
  if (!doc) return 0;
  Walk(doc);
  CString text = rcfWriteText(doc);
  rcfClose(&doc);
  void* again = rcfLoadText(text.GetString(), static_cast<int>(text.GetLength()), "fuzz-written");
  // What the writer wrote from a loaded document must load again.
  if (!again) __builtin_trap();
  rcfClose(&again);
  rcfGetErrorGlb();
  return 0;
}
