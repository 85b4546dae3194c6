#include "monitor/edid_command.h"

#include <cstdio>

#include "monitor/edid.h"
#include "monitor/edid_file.h"
#include "monitor/edid_report.h"

namespace tsln {
namespace {

// stdio rather than a stream: it tells a read error (a folder given as the
// file) apart from an empty file, which is just a file without an EDID.
bool ReadWholeFile(const std::string& path, std::string& contents) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    char buffer[4096];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
        contents.append(buffer, count);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return !failed;
}

}  // namespace

bool PrintEdidReport(const std::string& path, std::ostream& out, std::ostream& err) {
    std::string contents;
    if (!ReadWholeFile(path, contents)) {
        err << "tessaline: cannot read \"" << path << "\"\n";
        return false;
    }
    out << FormatEdidReport(ReadEdid(EdidFileBytes(contents)));
    return true;
}

}  // namespace tsln
