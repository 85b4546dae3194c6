// Steps that read and change the registry beside the program, and the
// program's Run entry started the way Windows starts it at logon.
#include <cstdio>
#include <cstring>
#include <vector>

#include "driver.h"

// An access list that lets everyone read the key and nobody write to it, as
// for a user without administrator rights.
void DenyWrites(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, READ_CONTROL | WRITE_DAC, &key) != ERROR_SUCCESS) {
        Fail("cannot open HKLM\\" + path);
    }
    SID_IDENTIFIER_AUTHORITY world = {SECURITY_WORLD_SID_AUTHORITY};
    PSID everyone = nullptr;
    alignas(DWORD) char aclBuffer[256];
    ACL* acl = reinterpret_cast<ACL*>(aclBuffer);
    SECURITY_DESCRIPTOR descriptor;
    const bool done = AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone) &&
                      InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION) &&
                      AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone) &&
                      InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
                      SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE) &&
                      RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
    if (everyone != nullptr)
        FreeSid(everyone);
    RegCloseKey(key);
    if (!done)
        Fail("cannot make HKLM\\" + path + " read-only");
}

void PrintValues(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    for (DWORD index = 0;; ++index) {
        char name[256] = "";
        DWORD nameSize = sizeof name;
        DWORD type = 0;
        std::vector<BYTE> data(65536);
        DWORD dataSize = static_cast<DWORD>(data.size());
        const LONG result = RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data.data(), &dataSize);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result != ERROR_SUCCESS)
            Fail("cannot read the values of HKLM\\" + path);
        data.resize(dataSize);
        if (type == REG_SZ) {
            std::string text(data.begin(), data.end());
            if (!text.empty() && text.back() == '\0')
                text.pop_back();
            std::printf("%s=REG_SZ:%s\n", name, text.c_str());
        } else if (type == REG_DWORD && dataSize == 4) {
            DWORD number = 0;
            std::memcpy(&number, data.data(), 4);
            std::printf("%s=REG_DWORD:0x%lx\n", name, static_cast<unsigned long>(number));
        } else {
            std::printf("%s=TYPE%lu:", name, static_cast<unsigned long>(type));
            for (BYTE byte : data)
                std::printf("%02x", byte);
            std::printf("\n");
        }
    }
    RegCloseKey(key);
}

// What Windows does with a Run entry at logon: the value is the whole command
// line, program path and arguments.
void RunEntry() {
    char command[1024] = "";
    DWORD size = sizeof command - 1;
    DWORD type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_READ, &key) !=
            ERROR_SUCCESS ||
        RegQueryValueExA(key, "TSLN", nullptr, &type, reinterpret_cast<BYTE*>(command), &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        if (key != nullptr)
            RegCloseKey(key);
        Fail("no Run entry TSLN");
    }
    RegCloseKey(key);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        Fail(std::string("the Run entry does not start: ") + command);
    }
    CloseHandle(process.hThread);
    const DWORD waited = WaitForSingleObject(process.hProcess, Timeout());
    if (waited != WAIT_OBJECT_0) {
        HWND box = FindMessageBox();
        const std::string seen = box != nullptr ? "message box \"" + Text(GetDlgItem(box, 0xFFFF)) + "\"" : "no box";
        TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hProcess);
        Fail("the program of the Run entry did not end (" + seen + ")");
    }
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    if (status != 0)
        Fail("the program of the Run entry ended with status " + std::to_string(status));
    std::printf("run-entry=ended\n");
}
