#include "platform.h"

Platform gPlatform;
