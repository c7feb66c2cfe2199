/* Flat interface of libqty-koracore: units, item types and filters.
 *
 * The library keeps one process-wide registry of units (each with a
 * dimension, a factor and an offset to the base unit of that dimension),
 * item types (physical quantities with their allowed units) and filters
 * (bits that group item types). A host loads it once from the XML unit
 * table (qtySetupLoad or qtyLoadItemTypeTables) and then asks it to name,
 * validate and convert.
 *
 * Conventions of every function below:
 *  - ids ("Tag") are the numbers stored in data files; a "Key" is the display
 *    name, an "Ident" the stable identifier text, a "Seq" a 1-based position;
 *  - unless stated otherwise the result is 1 on success and 0 on failure; an
 *    unknown id, ident or key is a failure and prints nothing;
 *  - texts handed out through `const char**` point into the registry and
 *    stay valid while the entry keeps that text (a later load or language
 *    file may replace it); the caller never frees them. Out pointers may be
 *    null when the caller does not want that value;
 *  - arrays are converted in place; elements equal to the delete value, and
 *    NaN elements, are left untouched;
 *  - no exception leaves the library: running out of memory is a failure (0,
 *    or a null or empty result) like any other.
 *
 * The registry is process-wide and unguarded: load before any other use and
 * call from one thread at a time.
 *
 * Usable from C and C++. */
#ifndef QTY_QTY_H
#define QTY_QTY_H

#include "qty/qty_api.h"

/* Size of the path buffers of the Windows-style path helpers below. */
#define QTY_MAX_PATH 260

QTY_EXTERN_C_BEGIN

/* ---- Why a call failed --------------------------------------------------- */

/* The functions below answer 1 (qtySucceeded) or 0 (qtyFailed). Inside, the
 * library carries the reason of a failure with the codes from 3001 on; they
 * name the failures in its tests and messages, and qtyErrorText says each in
 * English. */
enum qtyErrors {
  qtyFailed = 0,                /* the result of a call that failed */
  qtySucceeded = 1,             /* the result of a call that succeeded */
  qtyErrUnknownUnit = 3001,     /* no unit with that id, ident, key or alias (id 0 where a
                                   convertible unit is needed) */
  qtyErrUnknownItemType = 3002, /* no item type with that id or ident */
  qtyErrUnknownFilter = 3003,   /* no filter with that id or ident */
  qtyErrDimension = 3004,       /* units of different dimensions, or a unit that may not
                                   carry the item type */
  qtyErrArgument = 3005,        /* a required text or pointer is null or empty */
  qtyErrPosition = 3006,        /* a position outside 1..count, or past the last entry */
  qtyErrTaken = 3007,           /* the ident is taken, or the unit already allowed */
  qtyErrExpression = 3008,      /* a unit expression that is not valid or gives no unit */
  qtyErrNotFound = 3009,        /* no registered entry matches (no unit of that key or
                                   dimension, nothing to list) */
  qtyErrNoFreeId = 3010,        /* no id or filter bit left for a new entry */
  qtyErrTable = 3011,           /* the unit table is missing or not well-formed XML */
  qtyErrFile = 3012,            /* an output file could not be created or written */
  qtyErrMemory = 3013           /* memory ran out */
};

/* One line of English for a code above ("no unit with that id, ident, key or
 * alias" for 3001); any other code gives "unknown qty status code". Never
 * null; the text is static. */
QTY_API const char* qtyErrorText(int code);

/* ---- Loading and set-up ------------------------------------------------ */

/* Loads the XML unit table at `path` into the registry; null or "" loads the
 * default table (see docs/units.md: $KORA_HOME/bin/QTY.xml, else the
 * installed table, else the table of the source tree). Loading again adds
 * only what is missing and refreshes keys and abbreviations. Returns 1 when
 * loaded; 0 (with a message on standard error, through the diagnostics
 * sink of base/kora_diagnostics.h) when the file is missing or not
 * well-formed XML, the registry then being unchanged. Rows it passes over
 * are reported on standard output the same way. The numeric locale is "C"
 * while it runs and restored on return. */
QTY_API int qtySetupLoad(const char* path);
/* The same as qtySetupLoad. */
QTY_API int qtySetupLoadLinux(const char* path);
/* qtySetupLoad(path); when that succeeds, replaces display names from the
 * language files "qtytype.lan", "qtyunit.lan" and "qtyfilter.lan" found
 * beside the default table. */
QTY_API void qtyLoadItemTypeTables(const char* path);
/* The path of the last table loaded successfully, also stored in *path when
 * path is not null; "" before the first load. */
QTY_API const char* qtySetupGetPath(const char** path);
/* Nothing is ever removed from the registry: these do nothing. */
QTY_API void qtySetupUnload(void);
QTY_API void qtyUnloadItemTypeTables(void);
/* Does nothing and returns 1. */
QTY_API int qtySetupWrite(void);
/* Sets user units from a parameter file: section "Item_Unit", keywords
 * "Data" with an item-type id and a unit id. Pairs that cannot be applied are
 * ignored; "" or null loads nothing. */
QTY_API void LoadUnitBaseGroupFile(const char* path);

/* Windows-style path helpers kept for programs ported from there. They only
 * know the default table folder ("$KORA_HOME/bin/"). `_fullpath` writes it
 * into dst (at most `size` bytes with the terminating zero; QTY_MAX_PATH when
 * size < 1); `_splitpath` writes it into dir; `_makepath` writes dir, name
 * and ext joined into dst. dir and dst of the last two must hold QTY_MAX_PATH
 * bytes; longer results are cut there. Each returns 0, or -1 when the text
 * had to be cut or a needed buffer is null. */
QTY_API int _fullpath(char* dst, const char* path, int size);
QTY_API int _splitpath(char* path, char* drive, char* dir, char* name, char* ext);
QTY_API int _makepath(char* dst, char* drive, char* dir, char* name, char* ext);

/* Writes "qtyDefine.c__", "qtyDefine.p__", "qtyDefine.f__", "qtyDefine.cs"
 * and "qtyAllowedUnits.HTML" into the current directory. A file that cannot
 * be created is reported on standard error (through the diagnostics sink)
 * and skipped; returns 1 when all five were written, else 0. */
QTY_API int qtyWriteItemTypeIncludes(void);

/* ---- Item types -------------------------------------------------------- */

/* Number of item types. */
QTY_API int qtyGetItemTypeCount(void);
QTY_API int qtyGetItemTypeSeq(int seq, int* id, const char** key);
QTY_API int qtyGetItemTypeKey(int id, const char** key);
QTY_API int qtyGetItemTypeIdent(int id, const char** ident);
/* The id of the item type with that ident. */
QTY_API int qtyGetItemTypeKeyFromIdent(const char* ident, int* id);
QTY_API int qtyGetItemTypeParams(int id, int* decimals, double* defaultValue);
/* All item-type idents, each followed by ";", in one text allocated with
 * malloc that the caller frees with free; 0 and *list untouched when there
 * are none. */
QTY_API int qtyItemTypeGetAll(char** list);
/* New item type of the dimension of unit `unitIdent`, which becomes its
 * first allowed unit; id max(110000, largest item-type id + 1). Fails when
 * the unit is unknown or the ident taken. `unused` is ignored. */
QTY_API int qtyItemTypeNew(const char* ident, const char* key, int unused, const char* unitIdent);

/* ---- Units of an item type and user units ------------------------------ */

/* Number of allowed units (every unit for item type 999); 0 for an unknown
 * item type. */
QTY_API int qtyGetItemUnitCount(int item);
QTY_API int qtyGetItemUnitSeq(int item, int seq, int* unit, const char** key);
/* The first allowed unit whose key matches `key`, singular or plural ("meter"
 * finds "meters" and the reverse); *unit is 0 when there is none. */
QTY_API int qtyGetItemUnitTag(int item, const char* key, int* unit);
/* The first registered unit with the item type's dimension and a non-zero id. */
QTY_API int qtyGetItemFirstEqvUnit(int item, int* unit, const char** key);
/* 1 when both exist and the unit may carry the item type: item type 999, or
 * a unit with a non-zero id and the item type's dimension. */
QTY_API int qtyItemUnitEqv(int item, int unit);
/* Sets the user unit (it need not be an allowed unit, but must have the
 * item type's dimension unless the item type is 999). */
QTY_API int qtySetItemUserUnit(int item, int unit);
/* The user unit: the chosen one, else the first allowed unit, else -1. */
QTY_API int qtyGetItemUserUnit(int item, int* unit);
/* Allows the unit at the back; 0 when either is unknown, the unit is
 * already allowed or its dimension differs. */
QTY_API int qtyAddItemUnit(int item, int unit);
/* ORs mask into the item type's filter mask. */
QTY_API int qtyAddItemFilter(int item, int mask);

/* ---- Units ------------------------------------------------------------- */

QTY_API int qtyGetUnitKey(int unit, const char** key);
QTY_API int qtyGetUnitIdent(int unit, const char** ident);
QTY_API int qtyGetUnitAbbreviation(int unit, const char** abbreviation);
/* The first unit whose key matches (singular or plural) or that has `key` as
 * an alias; *unit 0 and result 0 when there is none. */
QTY_API int qtyGetUnitTag(const char* key, int* unit);
QTY_API int qtyGetUnitTagFromIdent(const char* ident, int* unit);
/* The first unit whose abbreviation is exactly `abbreviation`; case matters
 * ("mm" is the millimeter, "MM" nothing). The shipped table's abbreviations
 * are unique (docs/units.md). *unit 0 and result 0 when there is none. */
QTY_API int qtyGetUnitTagFromAbbreviation(const char* abbreviation, int* unit);
/* The unit a person writes: an abbreviation ("m", "°C"), a name or alias
 * ("meter", "metres"), an ident, an ASCII spelling of a symbol ("degC" for
 * "°C", "um" for "µm"), or an expression of these with "*", "/", "·", "^"
 * and parentheses ("m/s", "m^3/s", "kg/m^3", "W/(m^2·K)", "s^-1"). In an
 * expression "^" binds tighter than the others, which apply left to right,
 * and the answer is the registered unit of the same dimension and factor,
 * without offset. *unit 0 and result 0 when the text names no registered
 * unit. See docs/units.md. */
QTY_API int qtyGetUnitTagFromSymbol(const char* symbol, int* unit);
/* 1 when both exist with non-zero ids and equal dimensions. */
QTY_API int qtyUnitsEqv(int unit1, int unit2);
/* The first registered unit with the same dimension and a non-zero id. */
QTY_API int qtyGetBaseUnit(int unit, int* base, const char** key);
/* The unit after `previous` in registry order (the first one for 0). */
QTY_API int qtyGetNextUnit(int previous, int* unit, const char** key);
/* The next unit after `previous` (from the start for 0) that has the
 * dimension of `unit` and a non-zero id. */
QTY_API int qtyGetNextEqvUnit(int unit, int previous, int* next, const char** key);
/* Factor, offset, the seven dimension exponents and the seven base-dimension
 * factors, in the order length, mass, time, temperature, electric current,
 * amount of substance, luminous intensity. */
QTY_API int qtyUnitGetParameters(int unit, double* factor, double* offset, double powers[7],
                                 double factors[7]);
/* All unit idents, each followed by ";", as qtyItemTypeGetAll. */
QTY_API int qtyUnitGetAll(char** list);
/* New unit from a unit expression ("Length*1000", "Temperature+273.15");
 * id max(100000, largest unit id + 1). Fails when the expression does not
 * give a unit or the ident is taken. */
QTY_API int qtyUnitNew(const char* ident, const char* key, const char* abbreviation,
                       const char* expression);
/* Unit arithmetic with table look-up: *base is the base unit of the result's
 * dimension, *factor converts from it, *result a table unit equal to the
 * result (0 when none). Returns 1 when the dimension has a base unit. */
QTY_API int qtyUnitMultiply(int unit1, int unit2, int* result, int* base, double* factor);
QTY_API int qtyUnitDivide(int unit1, int unit2, int* result, int* base, double* factor);
QTY_API int qtyUnitPower(int unit, int* result, int* base, double* factor, double power);
/* For a unit and a unit `over` of one base dimension: the table units of the
 * integral (unit x over) and of unit / integral, with the scale factor. */
QTY_API int qtyUnitGetIntegrationFactor(int unit, int over, int* product, int* inverse,
                                        double* factor);
/* The same for the derivative (unit / over) and unit / derivative. */
QTY_API int qtyUnitGetDerivationFactor(int unit, int over, int* quotient, int* same,
                                       double* factor);

/* ---- Filters ----------------------------------------------------------- */

QTY_API int qtyGetFilterCount(void);
QTY_API int qtyGetFilterSeq(int seq, int* id, const char** key);
QTY_API int qtyGetFilterKey(int id, const char** key);
QTY_API int qtyGetFilterIdent(int id, const char** ident);
QTY_API int qtyGetFilterKeyFromIdent(const char* ident, int* id);
/* All filter idents, each followed by ";", as qtyItemTypeGetAll. */
QTY_API int qtyFilterGetAll(char** list);
/* New filter on the next free bit. */
QTY_API int qtyFilterNew(const char* ident, const char* key);
/* Item types whose mask shares a bit with `filter`; for filter >= 0 only
 * those that may be stored in data files. */
QTY_API int qtyGetFilteredItemTypeCount(int filter);
QTY_API int qtyGetFilteredItemTypeSeq(int filter, int seq, int* id, const char** key);
/* 1 when the item type's mask shares a bit with mask. */
QTY_API int qtyItemFilterEqv(int item, int mask);
/* Sets the product filter and returns it. */
QTY_API int qtySetProductFilter(int mask);
/* The product filter, 0x7fffffff until set. */
QTY_API int qtyGetProductFilter(void);
/* The flyby filter bit 0x80000000 (negative as an int). */
QTY_API int qtyGetFlybyFilter(void);

/* ---- Conversion -------------------------------------------------------- */

/* *result = (value x factor_from + offset_from - offset_to) / factor_to when
 * both units exist with non-zero ids and equal dimensions; otherwise
 * *result = value and the result is 0. */
QTY_API int qtyConvertUnit(int from, int to, double* result, double value);
/* value x factor + offset. */
QTY_API int qtyConvertUnitToBase(int unit, double* result, double value);
/* (value - offset) / factor. */
QTY_API int qtyConvertUnitFromBase(int unit, double* result, double value);
/* In-place array conversions by the formula of qtyConvertUnit (float data are
 * computed in double). count < 1 succeeds and changes nothing; on failure
 * the array is untouched. A NaN delete value matches no element: every
 * element but the NaN ones is converted. */
QTY_API int qtyConvertItemArrayD(int from, int to, double* data, int count, double deleteValue);
QTY_API int qtyConvertItemArrayF(int from, int to, float* data, int count, float deleteValue);
/* From `unit` to the item type's user unit, and back. */
QTY_API int qtyConvertToUserUnit(int item, int unit, double* result, double value);
QTY_API int qtyConvertFromUserUnit(int item, int unit, double* result, double value);
QTY_API int qtyConvertItemArrayToUserUnitD(int item, int unit, double* data, int count,
                                           double deleteValue);
QTY_API int qtyConvertItemArrayToUserUnitF(int item, int unit, float* data, int count,
                                           float deleteValue);
QTY_API int qtyConvertItemArrayFromUserUnitD(int item, int unit, double* data, int count,
                                             double deleteValue);
QTY_API int qtyConvertItemArrayFromUserUnitF(int item, int unit, float* data, int count,
                                             float deleteValue);

QTY_EXTERN_C_END

#endif
