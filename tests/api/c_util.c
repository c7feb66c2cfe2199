/* The text and path utilities and the older catalogue family must be
 * callable from C: this file is compiled as C and links the shared library. */
#include "kfs/legacy/catalogue.h"
#include "kfs/legacy/dtx_file.h"
#include "kfs/legacy/tx_file.h"
#include "kfs/util/path_util.h"
#include "kfs/util/text_util.h"

int koracore_c_util_nicefm(char* dst) {
  char line[KFS_STRFMT_SIZE(2)];
  const float values[2] = {1.5f, 2.0f};
  strfmt(line, values, 2);
  nicefm(dst, 8, 0.5);
  return allspace(line) + KvShortCut_IsShortcut("x");
}

float koracore_c_util_catalogue(const char* prefix, const char* name) {
  catRecord* cat = newcat(0);
  float status;
  if (cat == NULL) return -1.0f;
  status = CATrea(prefix, name, cat);
  if (status == 0.0f && TXopr(cat) == 0.0f) {
    status = (float)TXmode(cat);
    TXclose(cat);
  }
  cat_tell(stdout, cat);
  frecat(cat);
  return status;
}

int koracore_c_util_dtx(const char* path) {
  LPHEAD header = NULL;
  catRecord* file = NULL;
  int status;
  if (dtxIsDtxFile(path)) return -1;
  status = dtxReadHeader(path, &header, &file);
  if (status == 0) {
    int count = 0;
    status = dtxGetNoUsedItemElements(header, file, &count, __LINE__);
    dtxFileClose(header, &file);
    dtxFreeHeader(&header);
  }
  return status;
}
