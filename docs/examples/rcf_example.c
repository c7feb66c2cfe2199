/* librcf-koracore from C: its C part is the release and the data search
 * (the parameter-file interface itself is C++, see rcf_example.cpp). */
#include <stdio.h>

#include "base/kora_data.h"
#include "base/kora_version.h"

int main(void) {
  char path[4096];
  int major = 0;

  koraVersion(&major, NULL, NULL);
  if (major != KORACORE_VERSION_MAJOR) {
    fprintf(stderr, "rcf_example: built for koracore %s, running with %s\n",
            KORACORE_VERSION_STRING, koraVersion(NULL, NULL, NULL));
    return 1;
  }
  printf("koracore %s\n", koraVersion(NULL, NULL, NULL));
  if (koraFindDataFile("QTY.xml", path, sizeof path, NULL) != 1) {
    char tried[4096];
    koraDataSearchList("QTY.xml", tried, sizeof tried);
    fprintf(stderr, "rcf_example: no unit table; looked for:\n%s", tried);
    return 1;
  }
  printf("unit table found\n");
  return 0;
}
