#include "Printers.h"

#include <winspool.h>

std::string DefaultPrinterName() {
    DWORD size = 0;
    // The first call only asks for the size; it fails with no printer set up.
    GetDefaultPrinterA(nullptr, &size);
    if (size == 0)
        return {};
    std::string name(size, '\0');
    if (!GetDefaultPrinterA(name.data(), &size))
        return {};
    name.resize(name.find('\0') == std::string::npos ? name.size() : name.find('\0'));
    return name;
}

TPrinterContext::TPrinterContext() {
    const std::string name = DefaultPrinterName();
    if (!name.empty())
        Context = CreateICA("WINSPOOL", name.c_str(), nullptr, nullptr);
}

TPrinterContext::~TPrinterContext() {
    if (Context)
        DeleteDC(Context);
}
