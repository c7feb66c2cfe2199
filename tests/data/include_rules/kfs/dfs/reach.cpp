// Allowed: the container's accessors; not allowed: its handle layout.
#include "kfs/container/kfs_access.h"
#include "kfs/container/kfs_handle.h"
