#include "renderer/Page.h"
#include "shell/Startup.h"
