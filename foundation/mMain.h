#pragma once

// The shared module of procedures, one header per concern.
#include "mMain_Brush.h"
#include "mMain_Files.h"
#include "mMain_FontSmoothing.h"
#include "mMain_Frame.h"
#include "mMain_KeyboardHook.h"
#include "mMain_Text.h"
#include "mMain_Web.h"
