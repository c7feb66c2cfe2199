// What the time-step reader, writer, skipper and finder share: the file
// types' layout of a step, the time-step tag, the running position, and the
// collapse and expansion of compressed values. Not part of the library's
// API.
#ifndef KFS_DFS_DFS_STEP_H
#define KFS_DFS_DFS_STEP_H

#include <vector>

#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_types.h"
#include "kfs/dfs/dfs_units.h"

namespace dfs {

constexpr int kTagStep = 50001;

// Equidistant file types (1, 2) store empty tags; the others the time.
bool equidistantTimeFile(int fileType);
// Varying-space file types (2, 16) store coordinates before every item.
bool varyingSpaceFile(int fileType);
bool nonEquidistantAxis(int timeAxisType);

// The item the next sequential read or write is for, and what it takes.
struct StepItem {
  absItemS* item;
  int type;      // simple type of its values
  int elements;  // values the caller passes
  int used;      // values stored of them (fewer under compression)
};
// The checks of dfsPrepareIO (reported with the caller's line), without the
// calls through the library's interface: the reader and writer of single
// values make them for every item.
int prepareItemIO(LPHEAD h, kfsHandle f, StepItem* next, int line);

// Reads the tag at a step boundary; *raw is the time stored in it (0 for
// equidistant files). A missing tag is 2010, a damaged one the container's
// code.
int readStepTag(LPHEAD h, kfsHandle f, double* raw, const char* source, int line);
int writeStepTag(LPHEAD h, kfsHandle f, double time);
// The time a reader is given for a tag: the step number for equidistant
// files, else the stored time, relative to the axis start while the
// modify-times parameter is set.
double callerTime(LPHEAD h, double raw);
// At a step boundary: reads the tag and keeps the step's time.
int beginStepRead(LPHEAD h, kfsHandle f);

// Moves to the dynamic data when the file is still before it.
int enterDynamic(LPHEAD h, kfsHandle f);
// One item passed: the item counter advances, and past the last item the
// step counter (and, when writing, the number of steps).
void advanceItem(LPHEAD h, bool writing);
// At a step boundary with the most steps the header's int can count: no
// further step can be entered, written, read or skipped.
bool stepCountFull(LPHEAD h);

// Skips `count` items of the "all items" file types as that many calls of
// dfsSkipItem do (same checks, same position), with one move per step.
int skipItems(LPHEAD h, kfsHandle f, int count);

// Clears an end of file left by a read that met the end of the data.
void clearEndOfFile(kfsHandle f);

// The data conversion of an item (its mode, for its item type and unit),
// applied to n values of a float or double item; other types, mode 0 and
// null values pass unchanged. False when the units cannot be converted.
Conversion dataConversion(const absItemS* item);
bool convertData(const absItemS* item, Direction d, void* values, int n, float deleteFloat,
                 double deleteDouble);
// Whether values of the item are converted at all.
bool convertsData(const absItemS* item);

// Statistics as the writer keeps them: not for the 16-bit types, which have
// no delete value. Checking first (2010 for an unknown statistics type, 2008
// for accumulators that do not fit the stored elements) lets the writer
// refuse a step before anything is written; adding cannot fail then.
bool keepsStatistics(int dataType);
int checkStatistics(LPHEAD h, const absItemS* item);
void addStatistics(LPHEAD h, absItemS* item, const void* values, int n);

// Compression by encode keys: the grid index of every stored value of an
// item. False when a key lies outside the item's grid.
bool storedIndices(LPHEAD h, const absItemS* item, int used, std::vector<long long>* indices);
// Picks the stored values out of a whole grid, and puts them back into a
// grid of `elements` values that first holds the delete value of the type.
void collapseValues(int type, const void* grid, const std::vector<long long>& indices, void* out);
void expandValues(LPHEAD h, int type, const void* stored, const std::vector<long long>& indices,
                  long long elements, void* grid);

}  // namespace dfs

#endif
