// qty from C++: convert a whole time step in place, leaving the missing
// values (the delete value) untouched.
#include <cstdio>
#include <vector>

#include "qty/qty.h"

int main() {
  if (qtySetupLoad(nullptr) != 1) {
    std::fprintf(stderr, "qty_example_cpp: the unit table could not be loaded\n");
    return 1;
  }
  int celsius = 0, fahrenheit = 0;
  if (!qtyGetUnitTag("degree Celsius", &celsius) ||
      !qtyGetUnitTag("degree Fahrenheit", &fahrenheit)) {
    std::fprintf(stderr, "qty_example_cpp: no Celsius or Fahrenheit in the table\n");
    return 1;
  }
  const float missing = -1e-35f;
  std::vector<float> temperature = {9.5f, missing, 11.0f, 100.0f};
  if (!qtyConvertItemArrayF(celsius, fahrenheit, temperature.data(),
                            static_cast<int>(temperature.size()), missing)) {
    return 1;
  }
  const char* symbol = nullptr;
  qtyGetUnitAbbreviation(fahrenheit, &symbol);
  for (float value : temperature) {
    if (value == missing) {
      std::printf("  (missing)\n");
    } else {
      std::printf("  %.1f %s\n", value, symbol);
    }
  }
  return 0;
}
