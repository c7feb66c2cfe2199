/* The data-file and date headers must compile as C. */
#include "kfs/util/date.h"

int c_dfs_header_compiles(void) {
  date6 d = {2000, 1, 1, 0, 0, 0};
  date6 out;
  char text[DATE_TEXT_SIZE];
  date6_AddSeconds(&out, d, 1.0);
  date6_s(text, out);
  return text[0] == '2';
}
