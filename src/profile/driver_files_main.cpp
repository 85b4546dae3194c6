// tsln-driver-files PROFILE FOLDER: writes the driver files that PROFILE's
// system32/NAME.version files stand for into FOLDER, as NAME.dll. A Wine
// prefix seeded from a profile needs them as real files, since there the
// program reads them through the real version.dll.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "profile/driver_files.h"

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    if (argc != 3) {
        std::fprintf(stderr, "usage: tsln-driver-files PROFILE FOLDER\n");
        return 2;
    }
    const fs::path profile(argv[1]);
    tsln::DriverFiles files;
    std::string error;
    if (!files.Load(profile, &error)) {
        std::fprintf(stderr, "tsln-driver-files: %s\n", error.c_str());
        return 1;
    }
    for (const tsln::DriverFiles::File& file : files.Files()) {
        const fs::path target = fs::path(argv[2]) / file.host.filename();
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.image.data()), static_cast<std::streamsize>(file.image.size()));
        out.close();
        if (out.fail()) {
            std::fprintf(stderr, "tsln-driver-files: cannot write %s\n", target.string().c_str());
            return 1;
        }
    }
    return 0;
}
