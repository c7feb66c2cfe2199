/* Text and number helpers for fixed-width text files and listings.
 *
 * Plain functions on zero-terminated 8-bit strings. "Blank" means the space
 * character only (tabs are ordinary characters here). Functions that write
 * into a caller's buffer state how many bytes that buffer must hold; none of
 * them writes more. Nothing allocates except strdup_NOT_USED.
 *
 * Numbers are always written and read in the "C" locale (decimal point "."),
 * whatever LC_NUMERIC the process has chosen.
 *
 * Callable from C; every function has C linkage. */
#ifndef KFS_UTIL_TEXT_UTIL_H
#define KFS_UTIL_TEXT_UTIL_H

#include "kfs/kfs_api.h"

/* Length of one line of the line arrays handled by array_cmprss: 80
 * characters and the terminator. */
#define KFS_TEXT_LINE_SIZE 81

/* Bytes strfmt may write for n values (either sign), terminator included. */
#define KFS_STRFMT_SIZE(n) (13 * ((n) < 0 ? -(n) : (n)) + 1)

KFS_EXTERN_C_BEGIN

/* ---- blanks ---------------------------------------------------------- */

/* 1 when s is empty or holds only blanks, else 0. */
KFS_API int allspace(const char* s);
/* Index of the first / last non-blank character, -1 when there is none. */
KFS_API int fst_nspc(const char* s);
KFS_API int lst_nspc(const char* s);
/* Copies src without its leading and trailing blanks; dst needs
 * strlen(src)+1 bytes and may be src itself. Returns dst. */
KFS_API char* rem_spc(char* dst, const char* src);
/* Removes leading and trailing blanks in place. Returns s. */
KFS_API char* strip(char* s);

/* ---- justification --------------------------------------------------- */

/* Left-justifies: the text of src without leading blanks, then blanks up to
 * strlen(src). A blank or empty src is copied unchanged. dst needs
 * strlen(src)+1 bytes and may be src. Returns dst. */
KFS_API char* l_just(char* dst, const char* src);
/* Right-justifies: trailing blanks of src become leading blanks, same
 * length. dst needs strlen(src)+1 bytes and may be src. Returns dst. */
KFS_API char* r_just(char* dst, const char* src);

/* ---- editing ---------------------------------------------------------- */

/* Removes n characters at position pos (fewer when the text ends first);
 * nothing happens for pos outside the text or n <= 0. Returns the new
 * length. */
KFS_API int chrdel(char* s, int pos, int n);
/* Inserts c at position pos keeping the length, so the last character is
 * dropped; nothing happens when pos is negative or at or past the end.
 * Returns the length. */
KFS_API int chrins(char c, char* s, int pos);
/* Copies src without the characters that occur in set; dst needs
 * strlen(src)+1 bytes and may be src. Returns dst. */
KFS_API char* strwash(char* dst, const char* src, const char* set);
/* Copies src up to (not including) its first "$" or its end; dst needs
 * strlen(src)+1 bytes. Returns dst. */
KFS_API char* vlccpy(char* dst, const char* src);
/* Lower case, upper case, reversed, in place. Return s. */
KFS_API char* _strlwr(char* s);
KFS_API char* _strupr(char* s);
KFS_API char* _strrev(char* s);
/* A copy made with malloc (release with free), null for a null s or when
 * memory runs out. */
KFS_API char* strdup_NOT_USED(const char* s);
/* Moves the non-empty lines of an array of n lines of KFS_TEXT_LINE_SIZE
 * bytes up over the empty ones, keeping their order; the lines freed at the
 * end become empty. */
KFS_API void array_cmprss(char (*lines)[KFS_TEXT_LINE_SIZE], int n);

/* ---- character classes ------------------------------------------------ */

/* "+", "-", a digit or white space. */
KFS_API int isint(int c);
/* As isint, and also "e", "E" and ".". */
KFS_API int isfloat(int c);
/* "+" or "-". */
KFS_API int issign(int c);

/* ---- lists of numbers and flags --------------------------------------- */

/* Writes a list joined by ", ": for n > 0 the n floats of values, each as
 * "%-12.5g" without its blanks; for n < 0 the first -n ints of values as
 * "%d"; for n = 0 the empty text. dst needs KFS_STRFMT_SIZE(n) bytes.
 * Returns dst. */
KFS_API char* strfmt(char* dst, const void* values, int n);
/* Reads a comma-separated list from text into values: n > 0 floats,
 * n < 0 ints (-n of them). At most |n| fields are read. A field that is
 * empty or is not a number (blanks around it are allowed) leaves its value
 * unchanged. Returns the number of fields met. */
KFS_API int strflt(void* values, const char* text, int n);
/* Writes n flags as "y" (non-zero) or "n" and a terminator; dst needs n+1
 * bytes. Returns dst. */
KFS_API char* strfmb(char* dst, const int* flags, int n);
/* Reads n flags from the characters of text: 1 for "y", 0 for anything
 * else, also for positions past the end of text. Returns 1. */
KFS_API int strbol(int* flags, const char* text, int n);

/* ---- single numbers in a field ---------------------------------------- */

/* value printed as "%<width>d" (a negative width left-justifies). dst needs
 * max(|width|, 11) + 1 bytes. Returns dst. */
KFS_API char* m_stri(char* dst, int value, int width);
/* value printed as "%<width>.<decimals>f", or as "%<width>.<decimals>g"
 * when the fixed form would not fit: value not 0 and
 * width < decimals + 1 (2 for negative values) + |log10(|value|)|, so small
 * magnitudes also switch to %g rather than lose their digits. dst needs
 * max(|width|, decimals + 8) + 1 bytes (a negative decimals counts as 0).
 * Returns dst. */
KFS_API char* m_strr(char* dst, int width, int decimals, float value);
/* value printed as "%<width>.<decimals>e". dst needs
 * max(|width|, decimals + 8) + 1 bytes (a negative decimals counts as 0).
 * Returns dst. */
KFS_API char* m_strr_e(char* dst, int width, int decimals, float value);
/* Read a decimal integer or a float from text (blanks around the number
 * allowed, nothing else). status is -1 when a number was read into value,
 * 0 when the text holds no number (value unchanged). */
KFS_API void m_vali(const char* text, int* value, int* status);
KFS_API void m_valr(const char* text, float* value, int* status);

/* Compact right-aligned number in exactly width characters: fixed notation
 * with trailing zeros removed where it shows the value well, otherwise
 * "1.23e+08" style. A value whose digits cannot be shown in the width is
 * written as width asterisks. dst needs max(width, 0) + 1 bytes.
 * Returns dst. */
KFS_API char* nicefm(char* dst, int width, double value);

KFS_EXTERN_C_END

#endif
