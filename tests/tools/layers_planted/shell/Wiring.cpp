#include "registers/TfMain.h"
#include "bhp/TfBhp.h"
