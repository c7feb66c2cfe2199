/* Records of the data-file interface: the header (DfsHeader, LPHEAD) and the
 * item (absItemS, LPITEM), with the numbering of file types, time axes,
 * spatial axes and statistics types.
 *
 * The records are plain C structs so that C, Fortran and ctypes callers can
 * hold them; their fields are owned by the dfs functions, which keep them
 * consistent. Read them through the getters (dfs_header.h, dfs_item.h,
 * dfs_time.h); change them only through the setters.
 *
 * Usable from C. */
#ifndef KFS_DFS_DFS_TYPES_H
#define KFS_DFS_DFS_TYPES_H

#include "kfs/kfs_api.h"

KFS_EXTERN_C_BEGIN

/* File types: how time steps and space relate. */
typedef enum FileType {
  F_UNDEFINED_FILE_TYPE = 0,
  F_EQTIME_FIXEDSPACE_ALLITEMS = 1,
  F_EQTIME_TVARSPACE_ALLITEMS = 2,
  F_NEQTIME_FIXEDSPACE_ALLITEMS = 4,
  F_NEQTIME_FIXEDSPACE_VARITEMS = 8,
  F_NEQTIME_TVARSPACE_VARITEMS = 16
} FileType;

/* Time axes. */
typedef enum TimeAxisType {
  F_UNDEFINED_TAXIS = 0,
  F_TM_EQ_AXIS = 1,  /* relative time, equidistant */
  F_TM_NEQ_AXIS = 2, /* relative time, non-equidistant */
  F_CAL_EQ_AXIS = 3, /* calendar time, equidistant */
  F_CAL_NEQ_AXIS = 4 /* calendar time, non-equidistant */
} TimeAxisType;

/* Spatial axes of an item. */
typedef enum SpaceAxisType {
  F_UNDEFINED_SAXIS = 0,
  F_EQ_AXIS_D0 = 1,
  F_EQ_AXIS_D1 = 2,
  F_NEQ_AXIS_D1 = 3,
  F_TV_AXIS_D1 = 4,
  F_EQ_AXIS_D2 = 5,
  F_NEQ_AXIS_D2 = 6,
  F_TV_AXIS_D2 = 7,
  F_EQ_AXIS_D3 = 8,
  F_NEQ_AXIS_D3 = 9,
  F_TV_AXIS_D3 = 10,
  F_EQ_AXIS_D4 = 11,
  F_CURVE_LINEAR_AXIS_D2 = 12,
  F_CURVE_LINEAR_AXIS_D3 = 13
} SpaceAxisType;

/* How much the writer keeps of the item statistics. */
typedef enum StatType {
  F_NO_STAT = 1,   /* item-wide maximum, minimum, missing count only */
  F_REG_STAT = 2,  /* also nine accumulators per element */
  F_LARGE_STAT = 3 /* as 2 */
} StatType;

/* Geographic information. */
typedef enum GeoInfoType {
  F_UNDEFINED_GEOINFO = 0,
  F_UTM_PROJECTION = 1 /* projection text, origin and orientation */
} GeoInfoType;

/* Default delete values (values that mark a missing element). */
#define DFS_DELETE_FLOAT (-1e-35f)
#define DFS_DELETE_DOUBLE (-1e-255)
#define DFS_DELETE_BYTE 0
#define DFS_DELETE_INT 2147483647
#define DFS_DELETE_UNSIGNED 2147483647u

/* Current application version of the data-file format. */
#define DFS_VERSION_CURRENT 206

struct DfsHeader;

/* A static item number associated with a dynamic item. */
typedef struct dfsAssocStatic {
  int number;
  struct dfsAssocStatic* next;
} dfsAssocStatic;

/* One item: a quantity with item type, unit, simple data type and spatial
 * axis. Dynamic items live in the header's array, static items stand alone
 * (isStatic 1). */
typedef struct absItemS {
  char* name;
  int itemType;   /* item type key of the units library */
  char* unitText; /* unit known only by name (older files), else null */
  int unitKey;    /* unit key; -1 when only unitText is known */
  int dataType;   /* simple type of the values (1..7) */
  double itemMax; /* item-wide statistics */
  double itemMin;
  double itemMissing;
  int axisType;          /* SpaceAxisType, 0 when not set */
  int axisUnit;          /* unit key of the axis coordinates */
  int axisSize[4];       /* element counts along x, y, z, t */
  float axisOrigin[4];   /* equidistant axes: x0, y0, z0, t0 */
  float axisStep[4];     /* equidistant axes: dx, dy, dz, dt */
  float* axisPoints;     /* NeqD1: x, y, z of each point (3 x size) */
  double* axisCoords[3]; /* NeqD2/3: size+1 per direction; CurveLinear: corners */
  /* Copies handed out by the non-equidistant axis getters, converted into
   * the reading unit; the stored coordinates above never change by reading. */
  float* axisPointsOut;
  double* axisCoordsOut[3];
  int axisConvMode; /* 0..3, see dfsSetItemAxisUnitConversion */
  int axisConvUnit;
  int valueType; /* free for the application */
  struct DfsHeader* header;
  int isStatic;
  int dataConvMode; /* 0..3, see dfsSetItemUnitConversion */
  int dataConvUnit;
  float refX, refY, refZ;
  float orientAlpha, orientPhi, orientTheta;
  double* stats;    /* per-element accumulators, 9 per used element */
  int nStats;       /* number of doubles in stats */
  void* staticData; /* values of a static item */
  int nStaticData;  /* element count of staticData */
  dfsAssocStatic* assocStatic;
} absItemS, *LPITEM;

/* A named block of values that an application stores in the header. */
typedef struct dfsCustomBlock {
  char* name;
  int type;   /* simple type 1..7 */
  int count;  /* element count */
  void* data; /* owned */
  struct dfsCustomBlock* next;
} dfsCustomBlock;

/* Encode keys of a compressed file: grid index of each stored value. */
typedef struct dfsEncodeKeys {
  int* xkey;
  int* ykey;
  int* zkey;
  int nRecordSize;
} dfsEncodeKeys;

/* The time axis of a file. */
typedef struct dfsTimeAxis {
  int type;           /* TimeAxisType */
  int unit;           /* unit key; -1 when only unitText is known */
  char* unitText;     /* unit name of older files, else null */
  char startDate[11]; /* calendar axes: "yyyy-mm-dd" */
  char startTime[9];  /* calendar axes: "hh:mm:ss" */
  double start;       /* start time (relative) or start offset (calendar) */
  double step;        /* equidistant axes: time step */
  double span;        /* non-equidistant axes: last time minus start */
  double endTime;     /* non-equidistant axes: latest time written */
  int nSteps;         /* number of time steps */
  int startIndex;     /* index of the first time step */
  char shownDate[11]; /* start date with the offset folded in (getters) */
  char shownTime[9];
} dfsTimeAxis;

/* The header of a data file. */
typedef struct DfsHeader {
  int fileType;
  char* fileTitle;
  char* appTitle;
  int appVersion;
  int dataType;
  int encoded;   /* encode keys set */
  int statsType; /* StatType */
  float deleteFloat;
  double deleteDouble;
  unsigned char deleteByte;
  int deleteInt;
  unsigned int deleteUnsigned;
  int geoInfoType; /* GeoInfoType */
  char* projection;
  double originLon;
  double originLat;
  double orientation;
  dfsTimeAxis time;
  int nItems;
  absItemS* items;
  int stepCounter;    /* whole time steps passed by sequential access */
  int itemCounter;    /* next item within the step, 0 at a step boundary */
  double currentTime; /* time of the current step */
  int compressionEnabled;
  dfsCustomBlock* customBlocks;
  dfsEncodeKeys dfsEncode;
  int modifyTimes;
} DfsHeader, *LPHEAD;

KFS_EXTERN_C_END

#endif
