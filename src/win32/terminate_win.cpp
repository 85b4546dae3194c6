// libstdc++'s default terminate handler prints the uncaught exception's
// demangled type to stderr, and so links the whole C++ demangler (about
// 40 KB) into a GUI program that has no stderr. The program never lets an
// exception escape; should one ever do so, ending at once is all that is
// left to do either way.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx
