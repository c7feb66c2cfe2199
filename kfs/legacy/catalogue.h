/* The older catalogue and data files.
 *
 * A data set of this family is two files next to each other:
 *   <prefix><name>.ct<N>  the catalogue: title, time axis, up to 4 spatial
 *                         axes, up to 17 items with their statistics;
 *   <prefix><name>.dt<N>  the data: records of 4-byte floats, one record per
 *                         item and time step (see tx_file.h).
 * N is the number of spatial axes (0 to 4).
 *
 * The catalogue is two records framed like a sequential unformatted Fortran
 * file (a 32-bit length before and after each record): 600 bytes of numbers
 * (150 words) and 436 bytes of text. It is read in either byte order; a data
 * set read from the opposite order remembers it (catRecord.swapped) and
 * every 4-byte value later read from or written to its files is reversed.
 * The word layout is described in docs/older-formats.md.
 *
 * Return values follow the family's convention: floats, 0 for success, -1
 * when a file cannot be opened, read or written, -2 when a catalogue is not
 * in the expected form.
 *
 * Usable from C. */
#ifndef KFS_LEGACY_CATALOGUE_H
#define KFS_LEGACY_CATALOGUE_H

#include <stdio.h>

#include "kfs/kfs_api.h"

#define CAT_MAX_AXES 4
#define CAT_MAX_ITEMS 17
/* Text fields: the number of characters the catalogue stores, plus the
 * terminator of the in-memory copy. */
#define CAT_TITLE_SIZE (56 + 1)
#define CAT_UNIT_SIZE (8 + 1)
#define CAT_DESCRIPTION_SIZE (20 + 1)
/* Directory prefix and name each hold up to 259 characters. */
#define CAT_PATH_SIZE 260
/* Marks a numeric field that was never set (newcat). */
#define CAT_UNSET (-1e-30f)

KFS_EXTERN_C_BEGIN

/* One axis. For the time axis nSets1 is the number of time steps - 1,
 * start the time of the first step in the axis unit and physStart the
 * start time of day in seconds; for a spatial axis start is the index of
 * the first set and physStart its coordinate. */
typedef struct catAxis {
  float nSets1; /* number of sets - 1 */
  float start;
  float interval;
  float physStart;
  char unit[CAT_UNIT_SIZE];
} catAxis;

/* One item and the statistics of its values (delete values and NaNs
 * excluded, and counted as missing). */
typedef struct catItem {
  float minimum;
  float maximum;
  float mean;
  float stdev;   /* population standard deviation */
  float missing; /* number of delete values and NaNs */
  char description[CAT_DESCRIPTION_SIZE];
} catItem;

/* Running sums of update_stat; kept in memory only. */
typedef struct catStatSums {
  double count; /* values that are not delete values */
  double missing;
  double mean;
  double m2; /* sum of squared deviations from the running mean */
  double minimum;
  double maximum;
} catStatSums;

/* A data set: what the catalogue stores plus where its files are and how
 * they are open. Numeric fields are floats as in the catalogue; counts hold
 * whole numbers. Make it with newcat, release it with frecat. */
typedef struct catRecord {
  char title[CAT_TITLE_SIZE];
  float nAxes;          /* spatial axes, 0 to 4 */
  float nItems;         /* 0 to CAT_MAX_ITEMS */
  float deleteValue;    /* marks a missing value in the data */
  float startDate;      /* day number (date.h); 0 or less: relative time */
  float leadingRecords; /* records before the first time step */
  catAxis time;
  catAxis axis[CAT_MAX_AXES];
  catItem item[CAT_MAX_ITEMS];
  char prefix[CAT_PATH_SIZE]; /* directory prefix, "Family" in listings */
  char name[CAT_PATH_SIZE];
  int slot;    /* open-file table slot, -1 when not open */
  int swapped; /* files are in the opposite byte order */
  catStatSums sums[CAT_MAX_ITEMS];
} catRecord;

/* A record for N spatial axes (N outside 0..4 is stored as CAT_UNSET) with
 * every numeric field CAT_UNSET, every text empty, no slot and native byte
 * order; null when memory runs out. */
KFS_API catRecord* newcat(int N);
/* Releases a record from newcat (closing its data file when still open). */
KFS_API void frecat(catRecord* cat);

/* Reads <prefix><name>.ct<N> into cat, N being cat->nAxes. The data file
 * <prefix><name>.dt<N> must exist. The byte order is detected. Stores
 * prefix and name in cat. -1 when a file is missing or cannot be read,
 * -2 when the catalogue is in neither byte order, is cut short, has broken
 * framing, describes another number of axes, or holds counts out of range;
 * cat is unchanged unless the result is 0. */
KFS_API float CATrea(const char* prefix, const char* name, catRecord* cat);
/* Writes the catalogue of cat as <prefix><name>.ct<N>, in the byte order
 * cat->swapped states, and stores prefix and name in cat (a null prefix or
 * name keeps the one in cat). -1 when it cannot be written, -2 when the
 * record's counts are out of range. */
KFS_API float CATwri(const char* prefix, const char* name, catRecord* cat);
/* Prints the summary listing of a data set. 0, or -1 for a null argument
 * or a failed write. */
KFS_API float cat_tell(FILE* stream, const catRecord* cat);
/* Turns the catalogue <prefix><name>.ct<N> over to the other byte order, in
 * place. 0 on success, -1 when it cannot be opened, -2 when it is cut short
 * or is not a catalogue in either order (then nothing is written) or the
 * write falls short. */
KFS_API float ctxswap(const char* prefix, const char* name, int N);

/* result = prefix + name + "." + extension; without an extension (null or
 * empty) no "." is added; a null prefix counts as empty. result needs
 * strlen(prefix) + strlen(name) + strlen(extension) + 2 bytes. Returns
 * result. */
KFS_API char* OXAntr(const char* prefix, const char* name, const char* extension, char* result);
/* Opens the file OXAntr names: mode 0 read, 1 write, 2 update; binary or
 * text by the flag. 0 and *stream set on success, 1 otherwise (*stream
 * null). */
KFS_API int OXAopn(FILE** stream, const char* prefix, const char* name, const char* extension,
                   int mode, int binary);
/* Reverses the bytes of n 32-bit words in place. */
KFS_API void decswp(void* values, int n);

KFS_EXTERN_C_END

#endif
