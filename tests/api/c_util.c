/* The text utilities must be callable from C: this file is compiled as C
 * and calls through the shared library. */
#include "kfs/util/textutil.h"

int koracore_c_util_nicefm(char* dst)
{
    char line[KFS_STRFMT_SIZE(2)];
    const float values[2] = {1.5f, 2.0f};
    strfmt(line, values, 2);
    nicefm(dst, 8, 0.5);
    return allspace(line);
}
