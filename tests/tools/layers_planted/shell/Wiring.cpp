#include "bhp/TfBhp.h"
#include "registers/TfMain.h"
