// Parameter files from C++: write a small file, read it back.
//
//   rcf_example_cpp [FILE]     (default: example.rcf in the current folder)
#include <cstdio>
#include <string>

#include "rcf/rcf.h"

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : "example.rcf";

  void* doc = rcfCreate();
  rcfAddTarget(doc, "ELLIPSOID_DEFINITION");
  rcfAddSection(doc, "REF_ELLIPSOID");
  rcfPutParam(doc, "Ellipsoid_Name", "WGS 1984");
  rcfPutParam(doc, "Semi_Major_Axis", 6378137.0);
  rcfPutParam(doc, "Inverse_Flatness", 298.257223563);
  rcfEndSection(doc);
  const int written = rcfWrite(doc, path);
  rcfClose(&doc);
  if (written != RCF_OK) {
    std::fprintf(stderr, "rcf_example_cpp: %s: %s\n", path.c_str(), rcfErrorText(written));
    return 1;
  }

  doc = rcfLoadFile(path, RCF_LOAD_DEFAULT);
  if (!doc) {
    std::fprintf(stderr, "rcf_example_cpp: %s\n", rcfGetErrorDetailGlb());
    return 1;
  }
  void* target = rcfTargetByNameNum(doc, "ELLIPSOID_DEFINITION", 1);
  void* section = rcfSectionByNameNum(target, "REF_ELLIPSOID", 1);
  std::string name;
  double a = 0.0, inverseFlattening = 0.0;
  const bool complete = rcfGetParam(section, "Ellipsoid_Name", &name, 1, 1) &&
                        rcfGetParam(section, "Semi_Major_Axis", &a, 1, 1) &&
                        rcfGetParam(section, "Inverse_Flatness", &inverseFlattening, 1, 1);
  rcfClose(&doc);
  if (!complete) {
    std::fprintf(stderr, "rcf_example_cpp: %s: a parameter is missing\n", path.c_str());
    return 1;
  }
  std::printf("%s: a = %.1f m, 1/f = %.9f\n", name.c_str(), a, inverseFlattening);
  return 0;
}
