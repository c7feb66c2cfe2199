// Geographic information of a header: a projection text the cartography
// library understands, kept unread, with the model grid's origin and
// orientation.
#include <cstdlib>
#include <cstring>

#include "base/kora_boundary.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_internal.h"

extern "C" {

int dfsGetGeoInfoType(LPHEAD header) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument), 0;
  return header->geoInfoType;
}
KORA_CATCH_ALL(0)

int dfsSetGeoInfoUTMProj(LPHEAD header, const char* projection, double longitude, double latitude,
                         double orientation) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  char* copy = dfs::copyText(projection);
  if (!copy) return DFS_FAIL(header, nullptr, kfsErrMemory);
  std::free(header->projection);
  header->projection = copy;
  header->geoInfoType = F_UTM_PROJECTION;
  header->originLon = longitude;
  header->originLat = latitude;
  header->orientation = orientation;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsGetGeoInfoUTMProj(LPHEAD header, const char** projection, double* longitude,
                         double* latitude, double* orientation) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  if (header->geoInfoType == F_UNDEFINED_GEOINFO)
    return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  if (header->geoInfoType != F_UTM_PROJECTION) return DFS_FAIL(header, nullptr, kfsErrBlock);
  if (projection) *projection = header->projection ? header->projection : "";
  if (longitude) *longitude = header->originLon;
  if (latitude) *latitude = header->originLat;
  if (orientation) *orientation = header->orientation;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsUpdateGeoInfoUTMProj(LPHEAD header, const char* projection, double longitude,
                            double latitude, double orientation) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  if (header->geoInfoType != F_UTM_PROJECTION || !header->projection)
    return DFS_FAIL(header, nullptr, kfsErrBlock);
  const char* text = projection ? projection : "";
  const size_t stored = std::strlen(header->projection);
  const size_t given = std::strlen(text);
  if (given > stored) return DFS_FAIL(header, nullptr, kfsErrBlock);
  // Same length as before, so the block on disk keeps its size.
  std::memcpy(header->projection, text, given);
  std::memset(header->projection + given, ' ', stored - given);
  header->originLon = longitude;
  header->originLat = latitude;
  header->orientation = orientation;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsSetGeoInfoUndefined(LPHEAD header) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  std::free(header->projection);
  header->projection = nullptr;
  header->geoInfoType = F_UNDEFINED_GEOINFO;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

}  // extern "C"
