#include "profile/driver_files.h"

#include <system_error>

#include "profile/driver_file.h"
#include "profile/host_files.h"
#include "profile/text.h"

namespace tsln {
namespace fs = std::filesystem;

bool DriverFiles::Load(const fs::path& profileFolder, std::string* error) {
    files_.clear();
    std::error_code fsError;
    fs::path profileName = fs::absolute(profileFolder, fsError).lexically_normal();
    if (!profileName.has_filename())
        profileName = profileName.parent_path();
    const fs::path systemFolder = profileFolder / "system32";
    for (fs::directory_iterator it(systemFolder, fsError), end; !fsError && it != end; it.increment(fsError)) {
        const fs::path& path = it->path();
        if (!SameName(path.extension().string(), ".version") || !it->is_regular_file(fsError))
            continue;
        std::string text;
        std::string detail;
        FileVersionFields version{};
        if (!ReadWholeFile(path, &text)) {
            *error = path.string() + ": cannot be read";
            return false;
        }
        if (!ParseVersionText(text, &version, &detail)) {
            *error = path.string() + ": " + detail;
            return false;
        }
        const std::string fileName = path.stem().string() + ".dll";
        files_.push_back(File{path.parent_path() / fileName,
                              MakeDriverFile(fileName,
                                             "Stand-in display driver file of the " + profileName.filename().string() +
                                                 " machine profile (version resource only)",
                                             version)});
    }
    return true;
}

const std::vector<std::uint8_t>* DriverFiles::Find(const std::string& hostPath) const {
    const fs::path path(hostPath);
    for (const File& file : files_) {
        if (file.host.parent_path() == path.parent_path() &&
            SameName(file.host.filename().string(), path.filename().string())) {
            return &file.image;
        }
    }
    return nullptr;
}

}  // namespace tsln
