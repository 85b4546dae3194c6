#include <iostream>

#include "console/console_app.h"

int main(int argc, char** argv) {
    return tsln::RunConsole(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
