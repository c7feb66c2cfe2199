/* Data files of the older catalogue family.
 *
 * The data file <prefix><name>.dt<N> of a data set (catalogue.h) is a plain
 * sequence of records of 4-byte floats, no framing. A record holds one item
 * of one time step: the product over the spatial axes of their number of
 * sets (1 without axes) values. After cat->leadingRecords leading records
 * follow the time steps, and within a step the items in order. Positions are
 * data-record numbers counted from 0 at the first record of step 1; steps
 * and items are counted from 1.
 *
 * An open data file occupies one of 256 slots of a process-wide table
 * (cat->slot); the table is unguarded, so one thread at a time.
 *
 * Results are floats: 0 (or a record, item or step number) for success,
 * -1 when nothing is open, a file cannot be opened, or a read or write
 * falls short, -2 when the record describes no usable layout (axes, items
 * or sets out of range).
 *
 * Usable from C. */
#ifndef KFS_LEGACY_TX_FILE_H
#define KFS_LEGACY_TX_FILE_H

#include "kfs/kfs_api.h"
#include "kfs/legacy/catalogue.h"

#define TX_MAX_SLOTS 256

KFS_EXTERN_C_BEGIN

/* Open the data file for reading, writing (created or emptied; leading
 * records written as zeros; item statistics reset) or update, in a free
 * slot, positioned at record 0. -1 also when no slot is free or cat already
 * has one open. */
KFS_API float TXopr(catRecord* cat);
KFS_API float TXopw(catRecord* cat);
KFS_API float TXopu(catRecord* cat);

/* Values in one record. */
KFS_API int TXrecordLength(const catRecord* cat);

/* Reads the next record into values (TXrecordLength floats); returns the
 * item number (1-based) of the record read. */
KFS_API float TXre(catRecord* cat, float* values);
/* Reads all items of the next time step (from the next step boundary) into
 * values, item after item; returns the step number (1-based). */
KFS_API float TXrea(catRecord* cat, float* values);
/* Write values as the next record and add them to the item statistics
 * (update_stat); return the item number (1-based) of the record written.
 * TXwrt is the same function under its second name. */
KFS_API float TXwr(catRecord* cat, const float* values);
KFS_API float TXwrt(catRecord* cat, const float* values);

/* Positions at the record of a time step and item; returns the record
 * number. -1, and the position unchanged, for a record beyond what a file
 * can hold. */
KFS_API float TXseek(catRecord* cat, int step, int item);
/* Moves n records forward (or back for n < 0, not before record 0);
 * returns the record number, or -1 as TXseek. */
KFS_API float TXsp(catRecord* cat, int n);
/* Back to record 0; return 0. TXrewind is the same function. */
KFS_API float TXrew(catRecord* cat);
KFS_API float TXrewind(catRecord* cat);

/* Close the data file and free the slot. TXclose is the same function. */
KFS_API float TXclr(catRecord* cat);
KFS_API float TXclose(catRecord* cat);
/* Close a data file open for writing, or for update, after computing the
 * item statistics from its records (make_stat). */
KFS_API float TXclw(catRecord* cat);
KFS_API float TXclu(catRecord* cat);
/* Computes the item statistics (make_stat), writes the catalogue (CATwri)
 * and flushes the data file, which stays open. */
KFS_API float TXcw(catRecord* cat);
/* Open mode of cat's slot: 0 read, 1 write, 2 update; -1 when not open. */
KFS_API int TXmode(const catRecord* cat);

/* Recomputes the statistics of every item from all records of the data
 * file on disk (flushing cat's open file first). */
KFS_API float make_stat(catRecord* cat);
/* Adds one record of item (1-based) to its statistics: minimum, maximum,
 * mean, standard deviation and number of delete values, updated in
 * cat->item at once. item 0 resets the statistics of every item. */
KFS_API float update_stat(catRecord* cat, int item, const float* values);

KFS_EXTERN_C_END

#endif
