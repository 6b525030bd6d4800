// A fresh folder of the test's own under the system's temporary folder, removed with its files.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace tavrol::testing {

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = std::filesystem::temp_directory_path() / "tavrol32-test-XXXXXX";
        if (::mkdtemp(pattern.data()))
            path = pattern;
    }
    ~TempFolder()
    {
        if (!path.empty())
            std::filesystem::remove_all(path);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string path;
};

} // namespace tavrol::testing
