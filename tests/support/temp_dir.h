#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace wyn::test {

// A fresh directory under the system's temporary directory, removed with its
// contents when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string str() const { return m_path.string(); }

    // dir / relative, with '/' in relative.
    std::string operator/(std::string_view relative) const;

    // Creates a file (and its directories) with the given bytes; returns its path.
    std::string write(std::string_view relative, std::string_view bytes = {}) const;
    // Creates a directory (and its parents); returns its path.
    std::string mkdir(std::string_view relative) const;
    // The bytes of a file below the directory.
    std::string read(std::string_view relative) const;

private:
    std::filesystem::path m_path;
};

// A game directory: quake2 executable, baseq2 and vantor, like a real install.
// Pak files are recognised by name only, so they are empty.
class GameDir : public TempDir {
public:
    explicit GameDir(bool withAddOn = true);
};

}  // namespace wyn::test
