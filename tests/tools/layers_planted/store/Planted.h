#pragma once
#include "base/ErrorLog.h"
#include "widgets/DataGrid.h"
