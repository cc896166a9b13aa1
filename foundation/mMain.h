#pragma once

// The shared module of procedures, one header per concern.
#include "mMain_Brush.h"
