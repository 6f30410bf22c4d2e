#pragma once
// Replacing a file so that a reader sees either the old bytes or the new ones, never a
// half-written file: write a temporary file beside it, flush it to disk, then swap it in.

#include <string>

// True when `path` now holds exactly `bytes`. On false the old file is untouched and no
// temporary file is left behind; `error` (when given) says why.
bool WriteFileAtomically(const std::string& path, const std::string& bytes,
                         std::string* error = nullptr);
