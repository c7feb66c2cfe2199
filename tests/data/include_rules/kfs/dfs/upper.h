/* Allowed: the data-file layer builds on the utilities. */
#include "kfs/util/leaf.h"
