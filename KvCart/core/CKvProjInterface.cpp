#include "KvCart/core/CKvProjInterface.h"

CKvProjInterface::~CKvProjInterface() = default;
