/* The release and the data search compile as C, and a C caller reaches them
 * through the shared object: the data folder is then found from where
 * librcf-koracore was loaded, as in any host. */
#include <string.h>

#include "base/kora_data.h"
#include "base/kora_version.h"

int c_base_version_matches(void);
int c_base_finds_the_unit_table(char* path, size_t size);

int c_base_version_matches(void) {
  int major = -1;
  int minor = -1;
  int patch = -1;
  const char* text = koraVersion(&major, &minor, &patch);
  return strcmp(text, KORACORE_VERSION_STRING) == 0 && major == KORACORE_VERSION_MAJOR &&
         minor == KORACORE_VERSION_MINOR && patch == KORACORE_VERSION_PATCH &&
         KORACORE_VERSION_NUMBER == major * 10000 + minor * 100 + patch;
}

int c_base_finds_the_unit_table(char* path, size_t size) {
  return koraFindDataFile("QTY.xml", path, size, NULL);
}
