// A machine profile as the PC the console drives.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "console/live_pc.h"
#include "profile/machine_profile.h"

namespace tsln {
namespace {

class ProfilePc : public TargetPc {
public:
    explicit ProfilePc(std::unique_ptr<MachineProfile> profile) : profile_(std::move(profile)) {}
    RegistryApi& Registry() override { return profile_->Registry(); }
    DisplayModeApi& DisplayModes() override { return profile_->DisplayModes(); }
    DisplayDeviceApi& DisplayDevices() override { return profile_->DisplayDevices(); }
    FileVersionApi& FileVersion() override { return profile_->FileVersion(); }
    ShellApi& Shell() override { return profile_->Shell(); }
    FileApi& Files() override { return profile_->Files(); }
    std::string ProgramFolder() override { return profile_->ProgramFolder(); }
    // The host's file through Z:, where the profile maps the host's root as Wine does.
    std::string WindowsPath(const std::string& file) override {
        std::error_code error;
        std::string path = "Z:" + std::filesystem::absolute(file, error).string();
        std::replace(path.begin(), path.end(), '/', '\\');
        return path;
    }
    bool Save(std::string* error) override { return profile_->SaveRegistry(error); }

private:
    std::unique_ptr<MachineProfile> profile_;
};

}  // namespace

std::unique_ptr<TargetPc> OpenProfilePc(const std::string& folder, std::string* error) {
    auto profile = MachineProfile::Load(folder, error);
    if (!profile)
        return nullptr;
    return std::make_unique<ProfilePc>(std::move(profile));
}

}  // namespace tsln
