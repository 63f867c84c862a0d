#include "persist/SystemData.h"

bool CSystemData::ReadSystemData() { return false; }
