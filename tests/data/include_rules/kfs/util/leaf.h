/* A leaf that reaches up into the data-file layer. */
#include <stdio.h>
#include "kfs/dfs/upper.h"
