#include "KvCart/core/CKvMapProjectionInfo.h"

CKvMapProjectionInfo::~CKvMapProjectionInfo() = default;
