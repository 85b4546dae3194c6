#include <iostream>

#include "console/console_app.h"
#include "monitor/edid_command.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "edid") {
        if (args.size() != 2) {
            std::cerr << "usage: tessaline edid FILE\n";
            return tsln::kExitUsage;
        }
        return tsln::PrintEdidReport(args[1], std::cout, std::cerr) ? tsln::kExitOk : tsln::kExitUsage;
    }
    return tsln::RunConsole(args, std::cout, std::cerr);
}
