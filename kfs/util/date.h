/* Calendar dates for calendar time axes and the older file formats.
 *
 * Gregorian calendar only. A day number counts whole days so that
 * 1900-02-28 is day 0 and 1900-03-01 is day 1 (1900-01-01 is -58,
 * 1970-01-01 is 25509, 2000-01-01 is 36466). The day-number conversions are
 * exact inverses at least for 1800-01-01 to 2100-12-31, the range the parsers
 * accept.
 *
 * date4 and date6 are plain value records; functions take them by value and
 * return new values or write through an out-pointer they also return.
 *
 * Texts written by date4_s, date6_s and date_now need a buffer of at least
 * DATE_TEXT_SIZE bytes; the functions never write more than that.
 *
 * Usage:
 *   date6 start = {2004, 1, 1, 0, 0, 0}, later;
 *   date6_AddSeconds(&later, start, 5400.0);   // 2004-01-01 01:30:00
 *   char text[DATE_TEXT_SIZE];
 *   date6_s(text, later);                      // "2004/01/01 01:30:00"
 *
 * Usable from C. */
#ifndef KFS_UTIL_DATE_H
#define KFS_UTIL_DATE_H

#include "kfs/kfs_api.h"

/* Room for any text the printing functions make, zero included. */
#define DATE_TEXT_SIZE 32

KFS_EXTERN_C_BEGIN

/* Day number with a time of day. */
typedef struct date4 {
  int day; /* day number, see above */
  int hour;
  int minute;
  int second;
} date4;

/* Calendar date with a time of day. */
typedef struct date6 {
  int year;
  int month; /* 1..12 */
  int day;   /* 1..31 */
  int hour;
  int minute;
  int second;
} date6;

/* Day number of a calendar date. */
KFS_API void j_day(const int* year, const int* month, const int* day, float* dayNumber);
/* Calendar date of a day number (the fraction of the day number is dropped). */
KFS_API void j_date(const float* dayNumber, int* year, int* month, int* day);

/* Normalised copy: 0 <= second, minute < 60 and 0 <= hour < 24; overflow is
 * carried into the next larger field, negative fields borrow from it. */
KFS_API date4 date4_4(date4 d);
/* The normalised date4 as a calendar date-time, stored in *out; returns out. */
KFS_API date6* date4_6(date6* out, date4 d);
/* Day number and time of day of the normalised date6. */
KFS_API date4 date6_4(date6 d);
/* Normalised date6 in *out (time carried as in date4_4, the calendar date
 * derived again when the day changed); returns out. */
KFS_API date6* date6_6(date6* out, date6 d);
/* d plus a possibly negative or fractional number of seconds, in *out; the
 * fraction of the resulting second is dropped. Returns out. */
KFS_API date6* date6_AddSeconds(date6* out, date6 d, double seconds);

/* Seconds since day 0, 00:00:00. */
KFS_API double date4_sec(date4 d);
/* Inverse of date4_sec; fractions of a second are dropped. */
KFS_API date4 j_sec(double seconds);
/* Seconds of the time of day. */
KFS_API int date4_toff(date4 d);
/* seconds(a) - seconds(b), clamped to the int range. */
KFS_API int dat4cmp(date4 a, date4 b);
/* Minutes outside [0, 60) are carried into hours, hours outside [0, 24) into
 * days. */
KFS_API void dateupd(float* day, float* hour, float* minute);

/* "YYYY/MM/DD hh:mm:ss" of the normalised date-time (date4_s pads the year
 * with blanks, date6_s with zeros); returns text. */
KFS_API char* date4_s(char* text, date4 d);
KFS_API char* date6_s(char* text, date6 d);

/* Parse year, month, day and optionally hour, minute, second. When the text
 * holds "/" or ":" the separators ("/", ":", "-", ";" for dates_4; "/", ":"
 * for dates_6) count as blanks. Years 1800..2100 and real calendar dates
 * only. Return 1 and store the result, or 0 and leave *out unchanged. */
KFS_API int dates_4(date4* out, const char* text);
KFS_API int dates_6(date6* out, const char* text);

/* Today's local date as "Www Mmm dd yyyy"; returns 1, or -1 with an empty
 * text when the clock cannot be read. */
KFS_API int date_now(char* text);

KFS_EXTERN_C_END

#endif
