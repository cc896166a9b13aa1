#pragma once

namespace mMain {

// Whether font smoothing was on when the program started.
extern bool FontSmoothingWasOn;

bool IsFontSmoothingOn();
// Switches smoothing on for this run and sets its type (2: ClearType).
void EnableFontSmoothing(long& SmoothingType);
void DisableFontSmoothing();

} // namespace mMain
