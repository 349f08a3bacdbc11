#pragma once
#include "widgets/DataGrid.h"
#include "base/ErrorLog.h"
