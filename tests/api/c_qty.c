/* The public header of libqty-koracore compiles as C. */
#include "qty/qty.h"

int c_qty_max_path(void);

int c_qty_max_path(void)
{
    return QTY_MAX_PATH;
}
