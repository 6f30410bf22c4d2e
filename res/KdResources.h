#pragma once
// Identifiers of the program's resources, shared by Kaleidra.rc and the C++ code.

#define IDI_MAINICON 1
// The picture drawn in the Display Settings preview: 160 x 120, 24 bits, uncompressed.
#define IDB_PREVIEW 100
