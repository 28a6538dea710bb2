#pragma once
// The save helper lives in the platform layer, since the registry store and
// the INI layer below the services use it too.
#include "platform/save_file.h"
