#pragma once
// The framework's current printer: the user's default printer, reached through an information
// context (enough to ask about its fonts and metrics, nothing is printed).

#include <windows.h>

#include <string>

// The default printer's name; empty when none is set up.
std::string DefaultPrinterName();

// An information context for the default printer, released when the object goes. Handle() is
// null when there is no printer, so callers simply skip what needs one.
class TPrinterContext {
public:
    TPrinterContext();
    ~TPrinterContext();
    TPrinterContext(const TPrinterContext&) = delete;
    TPrinterContext& operator=(const TPrinterContext&) = delete;

    HDC Handle() const { return Context; }

private:
    HDC Context = nullptr;
};
