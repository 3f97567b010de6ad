// The language files the repository keeps (test fixtures, examples), for the
// tests that run over every one of them.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace kalmo::testing_support {

// Every .php file in the folders, sorted.
inline std::vector<std::string> phpFilesIn(const std::vector<std::string>& folders)
{
    std::vector<std::string> files;
    for (const std::string& folder : folders) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().extension() == ".php")
                files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace kalmo::testing_support
