// A scratch folder per test, removed afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace replist_test {

class TTempDir {
public:
    TTempDir() {
        std::random_device Rd;
        FPath = std::filesystem::temp_directory_path() /
                ("kestrix_replist_" + std::to_string(Rd()) + std::to_string(Rd()));
        std::filesystem::create_directories(FPath);
    }
    ~TTempDir() {
        std::error_code Ignored;
        std::filesystem::remove_all(FPath, Ignored);
    }
    std::string File(const std::string& Name) const { return (FPath / Name).string(); }
    const std::filesystem::path& Path() const { return FPath; }

private:
    std::filesystem::path FPath;
};

inline void WriteFile(const std::string& Name, const std::string& Text) {
    std::ofstream(Name, std::ios::binary) << Text;
}

inline std::string ReadFile(const std::string& Name) {
    std::ifstream In(Name, std::ios::binary);
    return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

}  // namespace replist_test
