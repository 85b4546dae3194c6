#include <cstdio>

#include "console/console_app.h"

#ifndef _WIN32
#include <iostream>

#include "monitor/edid_command.h"
#endif

namespace {

// Plain C stdio, which the Windows C runtime has anyway: no streams, no printf.
class FileWriter : public tsln::TextWriter {
public:
    explicit FileWriter(std::FILE* file) : file_(file) {}
    void Write(const std::string& text) override { std::fwrite(text.data(), 1, text.size(), file_); }

private:
    std::FILE* file_;
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
#ifndef _WIN32
    // The EDID report prints through streams, which tessaline.exe leaves out.
    if (!args.empty() && args[0] == "edid") {
        if (args.size() != 2) {
            std::cerr << "usage: tessaline edid FILE\n";
            return tsln::kExitUsage;
        }
        return tsln::PrintEdidReport(args[1], std::cout, std::cerr) ? tsln::kExitOk : tsln::kExitUsage;
    }
#endif
    FileWriter out(stdout);
    FileWriter err(stderr);
    const int status = tsln::RunConsole(args, out, err);
    std::fflush(stdout);
    return status;
}
