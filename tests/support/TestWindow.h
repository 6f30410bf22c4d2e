#pragma once
// The one top-level window a test program puts its controls on, made once per program (a
// top-level window takes long to go under Wine without a window manager). It is attached to a
// TWinControl, so it hands its children's notifications back to them, and it keeps the font
// it is given, as a dialog does, so that controls made on it can take it.

#include "Controls.h"

TWinControl& SharedTestWindow(const char* title);
