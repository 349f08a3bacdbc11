#include "renderer/Page.h"
