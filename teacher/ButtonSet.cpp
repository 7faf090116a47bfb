#include "teacher/ButtonSet.h"

#ifdef _WIN32
#include "common/ProgramFolder.h"
#endif

#include <cstdio>

namespace kq {

void ParseButtonSet(const std::string& text, uint32_t (&flags)[kPanelButtonCount])
{
    for (auto& flag : flags)
        flag = 0;

    std::string list;
    for (char c : text)
        if (c != '\r' && c != '\n')
            list.push_back(c);
    const size_t end = list.find_first_not_of("0123456789,");
    if (end != std::string::npos)
        list.resize(end);
    if (list.empty() || list.back() != ',')
        list.push_back(',');

    size_t start = 0;
    for (size_t comma = list.find(','); comma != std::string::npos; comma = list.find(',', start)) {
        const std::string piece = list.substr(start, comma - start);
        start = comma + 1;
        if (piece.empty())
            continue;
        // Only digits remain; counting stops once the number is past the table.
        size_t index = 0;
        for (char digit : piece) {
            index = index * 10 + static_cast<size_t>(digit - '0');
            if (index >= kPanelButtonCount)
                break;
        }
        if (index < kPanelButtonCount)
            flags[index] = 1;
    }
}

std::string FormatButtonSet(const uint32_t (&flags)[kPanelButtonCount])
{
    std::string text;
    for (size_t i = 0; i < kPanelButtonCount; ++i)
        if (flags[i] != 0)
            text += std::to_string(i) + ",";
    if (!text.empty())
        text.pop_back();
    return text;
}

std::string SettingFolderOf(const std::string& programFolder)
{
    return programFolder.empty() ? std::string("C:\\") : programFolder + "setting";
}

bool ReadWholeFile(const std::string& path, std::string& text)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    text.clear();
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, got);
    std::fclose(file);
    return true;
}

bool WriteWholeFile(const std::string& path, const std::string& text)
{
    if (path.empty())
        return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

#ifdef _WIN32
std::string SettingFolder()
{
    return SettingFolderOf(GetProgramFolder());
}
#endif

} // namespace kq
