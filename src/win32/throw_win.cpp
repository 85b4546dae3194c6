// libstdc++ raises the exceptions of its own checks (std::out_of_range from
// substr, std::length_error, std::bad_alloc) through these functions. They
// sit in one object file with every exception class of the library and the
// copy-on-write strings those carry: about 50 KB of a program that must stay
// within 300 KB. Neither tsln.exe nor tessaline.exe catches any of these, so
// such an exception ends the program anyway (terminate_win.cpp); these end it
// at the same point without linking the classes.
#include <bits/functexcept.h>

#include <cstdlib>

namespace std {
void __throw_bad_alloc() {
    std::abort();
}
void __throw_bad_array_new_length() {
    std::abort();
}
void __throw_length_error(const char*) {
    std::abort();
}
void __throw_logic_error(const char*) {
    std::abort();
}
void __throw_invalid_argument(const char*) {
    std::abort();
}
void __throw_out_of_range(const char*) {
    std::abort();
}
void __throw_out_of_range_fmt(const char*, ...) {
    std::abort();
}
}  // namespace std
