/* Where the shipped data are found: the unit table "QTY.xml", the projection
 * and ellipsoid parameter files, and whatever else an installation keeps in
 * its data folder.
 *
 * A file is looked for in the first of these that applies:
 *   1. "$KORACORE_DATA/" when KORACORE_DATA is set and not empty: a data
 *      folder of the user's choosing;
 *   2. "$KORA_HOME/bin/", then "$KORA_HOME/share/koracore/", when KORA_HOME
 *      is set and not empty: the documented home of the unit table, and the
 *      data folder of an installation whose prefix KORA_HOME names;
 *   3. the data folder of the installation the libraries belong to, found
 *      from where the library itself was loaded (<libdir>/../share/koracore
 *      on a usual layout): an installed prefix works wherever it is moved,
 *      and a build tree finds the copy of data/ it keeps in the same place.
 * A variable that is set is never second-guessed: when it names a folder
 * without the file, the search fails rather than quietly reading another
 * table, and the paths it tried say why.
 *
 * Example:
 *   char path[4096];
 *   if (koraFindDataFile("map_projection.rcf", path, sizeof path, NULL) != 1) {
 *     char tried[4096];
 *     koraDataSearchList("map_projection.rcf", tried, sizeof tried);
 *     fprintf(stderr, "map_projection.rcf not found; looked for:\n%s", tried);
 *   }
 *
 * The environment is read on every call. Usable from C and C++. */
#ifndef KORACORE_BASE_KORA_DATA_H
#define KORACORE_BASE_KORA_DATA_H

#include <stddef.h>

#include "rcf/rcf_api.h"

RCF_EXTERN_C_BEGIN

/* Looks for the data file `name` (a file name, or a path relative to the
 * data folder) as described above. Returns 1 when it exists: `path` receives
 * its full path. Returns 0 when it does not: `path` receives the first path
 * tried, the one a message should name. Returns -1 for a null or empty name,
 * or a name starting with "/" (path then receives ""). `path` holds `size`
 * bytes and is cut to fit (size 0: nothing written, path may be null);
 * *length (may be null) receives the length of the whole path, so that a
 * caller can tell a cut one (*length >= size) and try again. */
RCF_API int koraFindDataFile(const char* name, char* path, size_t size, size_t* length);

/* Every path koraFindDataFile tries for `name`, in order, one per line, each
 * followed by what put it there: "/opt/x/bin/QTY.xml (KORA_HOME)\n". Writes
 * at most size - 1 characters and a terminating zero (nothing for size 0)
 * and returns the length of the whole text, as snprintf does. */
RCF_API size_t koraDataSearchList(const char* name, char* text, size_t size);

RCF_EXTERN_C_END

#endif
