/* xfs.h - cross-section files: the cross-sections of a river network in a
 * block container (kfs.h) with the identification "XFS_", version 106.
 *
 * Each cross-section is written as logical blocks:
 *   257 identification: byte[] topo id, double[1] chainage, byte[] branch
 *       name, byte[] free id (texts without terminating zero; an empty text
 *       is stored as the single byte 0, since the container writes no
 *       record of count 0)
 *   258 header: unsigned*2[25], double[23]
 *   259 raw data (NoRaw points): double x, z, RelRes, RawD; unsigned*2
 *       RawU1, RawU2
 *   260 selected levels (NoSel): double SelLevel
 *   261 processed data (NoPrc levels): double Level, Area, Radius, Width,
 *       AddFloodA, Resist
 *   262 coordinates (NoCoords points): double xc, east, north
 * Data blocks are written only for a count above 0.
 *
 * A loaded file is a table (xfsTable) of cross-sections sorted by topo id
 * and branch name (both without regard to case), then chainage.
 *
 * Status results are the container's codes (kfs.h): 0 success, 1000 for a
 * null argument or a structure pointer that belongs to no cross-section,
 * 2010 for a cross-section that cannot be built from its blocks, 2019 for
 * a damaged file (a byte that begins no record or block), and the
 * container's read, write and open codes as they come.
 *
 * Callable from C. */
#ifndef KFS_XFS_XFS_H
#define KFS_XFS_XFS_H

#include "kfs/container/kfs.h"
#include "kfs/kfs_api.h"

/* The version of the layout written by this library. */
#define XFS_VERSION_CURRENT 106
#define XFS_HEADER_WORDS 25
#define XFS_HEADER_DOUBLES 23

/* Flag of xfsXsecTableLoad: load identifications and headers only. */
#define XFS_LOAD_HEADERS_ONLY 1

KFS_EXTERN_C_BEGIN

#pragma pack(push, 2)

/* The data tables of a cross-section. A count of 0 goes with null arrays,
 * a count above 0 with arrays of that many elements. */
typedef struct xfsDataPart {
  unsigned int NoRaw;
  double* x;
  double* z;
  double* RelRes;
  double* RawD;          /* carried through unchanged */
  unsigned short* RawU1; /* carried through unchanged */
  unsigned short* RawU2; /* carried through unchanged */
  unsigned int NoSel;
  double* SelLevel;
  unsigned int NoPrc;
  double* Level;
  double* Area;
  double* Radius;
  double* Width;
  double* AddFloodA;
  double* Resist;
  unsigned int NoCoords;
  double* xc;
  double* east;
  double* north;
} xfsDataPart;

/* One cross-section as callers see it, packed by 2 bytes so that C, C++ and
 * Fortran callers share one layout. Most fields are therefore unaligned:
 * read and assign them directly, but never take a pointer or C++ reference
 * to a field (copy it first). Texts and arrays are owned by the
 * cross-section: read and change their contents, but resize tables only
 * through xfsXsecSetNo* and never replace the pointers. Header defaults:
 * every 16-bit value 0 except HeadU[23] = 2; HeadD[0..9] = 0,
 * HeadD[10..14] = 1, HeadD[15] = 0.001, HeadD[16..22] = 1. */
typedef struct xfsStruc {
  double chainage;
  char* TopoId;
  char* BranchName;
  char* FreeId; /* a single blank unless given */
  unsigned short HeadU[XFS_HEADER_WORDS];
  double HeadD[XFS_HEADER_DOUBLES];
  xfsDataPart daDp;
  void* Owner; /* the cross-section object; do not change */
} xfsStruc;

#pragma pack(pop)

typedef xfsStruc* xfsStrucP;
/* A loaded file. */
typedef struct CKVxList* xfsTable;
/* Where xfsXsecFindNext continues a search. */
typedef struct xfsSearchRefS* xfsSearchRef;

/* ---- Files ----------------------------------------------------------------- */

/* The identification "XFS_" as a 32-bit number; stores 106 in *version (may
 * be null). Serves as the container's identifier callback. */
KFS_API unsigned int xfsAPIid(unsigned int* version);
/* Creates a cross-section file; returns the container's status. */
KFS_API unsigned int xfsFileOpenCreate(const char* path, kfsHandle* handle);
/* Opens a cross-section file for reading (2017 for another kind of
 * container) and records its version for xfsXsecTableVersion. */
KFS_API unsigned int xfsFileOpenRead(const char* path, kfsHandle* handle);
/* Closes and nulls *handle. */
KFS_API unsigned int xfsFileClose(kfsHandle* handle);
/* The handle's latched status, left as it is / cleared. */
KFS_API unsigned int xfsPeekError(kfsHandle handle);
KFS_API unsigned int xfsGetError(kfsHandle handle);

/* ---- Cross-sections ------------------------------------------------------- */

/* A new cross-section with the default header and no data; null when the
 * topo id or branch name is null or memory runs out. CreateEx takes a free
 * id; a null or empty one becomes a single blank. */
KFS_API xfsStrucP xfsXsecCreate(const char* topoId, const char* branchName, double chainage);
KFS_API xfsStrucP xfsXsecCreateEx(const char* topoId, const char* branchName, const char* freeId,
                                  double chainage);
/* Deletes a cross-section made by xfsXsecCreate* and nulls *xsec; 1000 when
 * it belongs to no such cross-section (nothing is freed). Cross-sections of
 * a loaded table are freed with the table. */
KFS_API unsigned int xfsXsecFree(xfsStrucP* xsec);
/* Frees the table's arrays and, for a count above 0, allocates them
 * zero-filled. Returns 1 when the cross-section is valid afterwards, 0 when
 * memory ran out or xsec belongs to no cross-section. */
KFS_API int xfsXsecSetNoRaw(xfsStrucP xsec, unsigned short count);
KFS_API int xfsXsecSetNoSel(xfsStrucP xsec, unsigned short count);
KFS_API int xfsXsecSetNoPrc(xfsStrucP xsec, unsigned short count);
KFS_API int xfsXsecSetNoCoords(xfsStrucP xsec, unsigned short count);
/* Appends the blocks of the cross-section; returns the handle's status,
 * 1000 for a null handle or a structure pointer of no cross-section, 2010
 * (nothing written) when a count was raised beyond what its arrays hold or
 * goes without them. A count lowered by hand writes that many elements. */
KFS_API unsigned int xfsXsecWrite(xfsStrucP xsec, kfsHandle handle);

/* ---- Tables ------------------------------------------------------------------ */

/* Loads a whole file into a new table (*table, null on failure). flags
 * bit 0 (XFS_LOAD_HEADERS_ONLY) skips the data blocks. */
KFS_API unsigned int xfsXsecTableLoad(const char* path, xfsTable* table, int flags);
/* Closes the file, deletes every cross-section and nulls *table; 1000 for
 * a table that was not loaded by xfsXsecTableLoad. */
KFS_API unsigned int xfsXsecTableFree(xfsTable* table);
/* Version of the file opened last by xfsFileOpenRead (or a table load). */
KFS_API int xfsXsecTableVersion(void);
/* The cross-section with this identification, or null. With both texts
 * empty and chainage 0 the first cross-section of the table. *ref (may be
 * null) receives a search reference positioned behind the result; a *ref
 * that already holds a reference is reused. References live as long as the
 * library; they stop answering when their table is freed. */
KFS_API xfsStrucP xfsXsecFind(xfsTable table, const char* topoId, const char* branchName,
                              xfsSearchRef* ref, double chainage);
/* The cross-section after the one the reference last gave, or null at the
 * end, for another table, or for an unknown reference. */
KFS_API xfsStrucP xfsXsecFindNext(xfsTable table, xfsSearchRef ref);
/* Neighbours in table order; null at either end or when xsec is not in the
 * table. */
KFS_API xfsStrucP xfsXsecNext(xfsTable table, xfsStrucP xsec);
KFS_API xfsStrucP xfsXsecPrev(xfsTable table, xfsStrucP xsec);

KFS_EXTERN_C_END

#endif
