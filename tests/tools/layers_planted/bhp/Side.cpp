#include "bhp/Other.h"
#include "reports/Catalogue.h"
