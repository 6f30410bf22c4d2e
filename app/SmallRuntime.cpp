// Keeps Kaleidra.scr small. libstdc++'s default terminate handler prints the type of an
// uncaught exception, which links in the whole C++ name demangler (about 80 KB). Our entry
// point catches what it shows; anything that still escapes just ends the program.

#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
