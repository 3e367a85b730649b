#include "temp_dir.h"

#include <atomic>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include <unistd.h>

namespace wyn::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    const auto base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        auto candidate =
            base / ("wyn-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::error_code ec;
        if (fs::create_directory(candidate, ec)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary directory");
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

std::string TempDir::operator/(std::string_view relative) const {
    return (m_path / fs::path(relative)).string();
}

std::string TempDir::write(std::string_view relative, std::string_view bytes) const {
    const fs::path file = m_path / fs::path(relative);
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.string();
}

std::string TempDir::mkdir(std::string_view relative) const {
    const fs::path dir = m_path / fs::path(relative);
    fs::create_directories(dir);
    return dir.string();
}

std::string TempDir::read(std::string_view relative) const {
    std::ifstream in(m_path / fs::path(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

GameDir::GameDir(bool withAddOn) {
    write("quake2");
    mkdir("baseq2");
    if (withAddOn) {
        mkdir("vantor");
    }
}

}  // namespace wyn::test
