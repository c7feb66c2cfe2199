// The status texts of kfs and qty until the libraries carry them
// themselves (kfsErrorText, qtyErrorText); the same lines.
#include "kfs/container/kfs.h"
#include "qty/qty.h"

extern "C" const char* kfsErrorText(unsigned int code) {
  switch (code) {
    case 0: return "no error";
    case 1: return "end of file";
    case 1000: return "a required argument is null";
    case 2000: return "memory allocation failed";
    case 2001: return "read failed, or an expected block is missing";
    case 2002: return "write failed";
    case 2003: return "file or stream could not be opened";
    case 2004: return "close failed";
    case 2005: return "flush failed";
    case 2006: return "seek failed";
    case 2007: return "item number out of range";
    case 2008: return "item statistics requested but not kept";
    case 2009: return "wrong or invalid simple type";
    case 2010: return "logical block could not be made, or header invalid for the operation";
    case 2011: return "date text not in the form yyyy-mm-dd";
    case 2012: return "time text not in the form hh:mm:ss";
    case 2013: return "record longer than the buffer, or element count not as expected";
    case 2014: return "not a container file";
    case 2015: return "write attempted on a read-only file";
    case 2016: return "block skip requested where no block starts";
    case 2017: return "the file was written by another interface";
    case 2018: return "time-step operation not supported, or unknown axis or step tag";
    case 2019: return "record or block structure not as expected";
    case 2020: return "unit not valid for the item type";
  }
  return "unknown kfs status code";
}

extern "C" const char* qtyErrorText(int code) {
  switch (code) {
    case 3001: return "no unit with that id, ident, key or alias";
    case 3002: return "no item type with that id or ident";
    case 3004: return "the dimensions do not match (of two units, or of unit and item type)";
    case 3005: return "a required argument is null or empty";
  }
  return "unknown qty status code";
}
