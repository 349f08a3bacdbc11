#include "reports/Catalogue.h"
#include "bhp/Other.h"
