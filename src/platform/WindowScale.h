#pragma once

// The integer scale of the game screen in a window on a desktop of the usable size: the requested
// scale when the window then fits on the desktop with its frame, else (and for 0, "fit") the largest
// scale that fits, at least 1.
int FitWindowScale(int requested, int width, int height, int usableWidth, int usableHeight);
