#pragma once
// Temporary files for the portable tests of the teacher's file readers.

#include <cstdio>
#include <filesystem>
#include <string>

namespace kqtest {

// A file in the temporary folder holding `bytes`, removed at the end.
class TempFile {
public:
    TempFile(const std::string& name, const std::string& bytes)
        : m_path((std::filesystem::temp_directory_path() / name).string())
    {
        std::FILE* file = std::fopen(m_path.c_str(), "wb");
        if (file != nullptr) {
            std::fwrite(bytes.data(), 1, bytes.size(), file);
            std::fclose(file);
        }
    }
    ~TempFile() { std::remove(m_path.c_str()); }
    const std::string& Path() const { return m_path; }

    std::string Read() const
    {
        std::string bytes;
        if (std::FILE* file = std::fopen(m_path.c_str(), "rb")) {
            for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
                bytes.push_back(static_cast<char>(c));
            std::fclose(file);
        }
        return bytes;
    }

private:
    std::string m_path;
};

} // namespace kqtest
