#pragma once
// The driver files of a machine profile's system32 folder, made in memory
// from each NAME.version there (see driver_file.h). A real NAME.dll in the
// folder is left to be read as it is.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tsln {

class DriverFiles {
public:
    struct File {
        std::filesystem::path host;  // where NAME.dll would be: beside NAME.version
        std::vector<std::uint8_t> image;
    };

    // Makes NAME.dll for every NAME.version in the profile's system32 folder
    // (none when the folder is missing). False with "FILE: ..." on a bad
    // .version file.
    bool Load(const std::filesystem::path& profileFolder, std::string* error);

    // The made file at hostPath (its name compared without regard to case,
    // as NTFS would), or nothing.
    const std::vector<std::uint8_t>* Find(const std::string& hostPath) const;
    const std::vector<File>& Files() const { return files_; }

private:
    std::vector<File> files_;
};

}  // namespace tsln
