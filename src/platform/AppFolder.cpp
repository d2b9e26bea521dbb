#include "platform/AppFolder.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>
#include <vector>

namespace kestro {

namespace fs = std::filesystem;

std::string executableFolder() {
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return ".";
        if (static_cast<std::size_t>(n) < buffer.size()) {
            fs::path exe(std::string(buffer.data(), static_cast<std::size_t>(n)));
            std::string folder = exe.parent_path().string();
            return folder.empty() ? "." : folder;
        }
        if (buffer.size() >= (1u << 20))
            return ".";
        buffer.resize(buffer.size() * 2);
    }
}

std::string applicationFolderFor(const std::string& executableFolder) {
    std::error_code ignored;
    const fs::path here(executableFolder);
    if (fs::is_regular_file(here / "DataStore.db", ignored))
        return executableFolder;
    const fs::path installed = (here / ".." / "share" / "kestro").lexically_normal();
    if (fs::is_regular_file(installed / "DataStore.db", ignored)) {
        std::string folder = installed.string();
        if (folder.size() > 1 && folder.back() == '/')
            folder.pop_back();
        return folder;
    }
    return executableFolder;
}

std::string applicationFolder() {
    return applicationFolderFor(executableFolder());
}

} // namespace kestro
