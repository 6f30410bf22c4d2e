#pragma once
// Files for the core tests: the checked-in fixtures and a private temporary folder.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

inline std::string FixturePath(const std::string& name) {
    return std::string(KD_FIXTURES) + "/" + name;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TTempDir {
public:
    TTempDir() {
        std::random_device seed;
        Path = std::filesystem::temp_directory_path() /
               ("kaleidra-test-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(Path);
    }
    ~TTempDir() {
        std::error_code ignored;
        std::filesystem::permissions(Path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(Path, ignored);
    }
    std::string File(const std::string& name) const { return (Path / name).string(); }
    std::filesystem::path Path;
};
