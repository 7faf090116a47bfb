#include "teacher/IniStore.h"

#include "common/TextField.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* kSpace = " \t\r\n\v\f";

std::string Trim(const std::string& text)
{
    // Blanks are single bytes below 0x40, so they are never a trail byte.
    const size_t first = text.find_first_not_of(kSpace);
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

// Start offsets of the characters of a CP936 text.
std::vector<size_t> CharacterStarts(const std::string& text)
{
    std::vector<size_t> starts;
    for (size_t i = 0; i < text.size();) {
        starts.push_back(i);
        const bool pair = kq::IsCp936LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        i += pair ? 2 : 1;
    }
    return starts;
}

// True when the last character of the text is the single byte `c`.
bool EndsWithCharacter(const std::string& text, char c)
{
    const std::vector<size_t> starts = CharacterStarts(text);
    return !starts.empty() && starts.back() == text.size() - 1 && text.back() == c;
}

// The section name of "[name]": every leading "[" and trailing "]" removed.
std::string SectionName(std::string line)
{
    while (EndsWithCharacter(line, ']'))
        line.pop_back();
    const size_t first = line.find_first_not_of('[');
    return first == std::string::npos ? std::string() : line.substr(first);
}

} // namespace

bool CIniStore::EqualNoCase(const std::string& a, const std::string& b)
{
    return kq::EqualIgnoringCase(a, b);
}

bool CIniStore::ReadFile()
{
    std::FILE* file = std::fopen(m_path.c_str(), "rb");
    if (file == nullptr) {
        if (errno != ENOENT)
            m_lastError = kOpenFailed;
        return false;
    }
    std::string currentKey;
    std::string line;
    bool any = false;
    for (int c = std::fgetc(file);; c = std::fgetc(file)) {
        if (c == EOF || c == '\n') {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (c != EOF || any)
                ParseLine(line, currentKey);
            if (c == EOF)
                break;
            line.clear();
            any = false;
            continue;
        }
        any = true;
        if (line.size() < kMaxLineLength)
            line.push_back(static_cast<char>(c)); // past the limit the rest of the line is dropped
    }
    std::fclose(file);
    return true;
}

void CIniStore::ParseLine(const std::string& line, std::string& currentKey)
{
    if (line.empty())
        return;
    if (line.front() == '[' && EndsWithCharacter(line, ']')) {
        currentKey = SectionName(line);
        return;
    }
    const size_t equals = line.find('=');
    if (equals == std::string::npos) {
        SetValue(currentKey, std::string(), Trim(line), true);
        return;
    }
    SetValue(currentKey, Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)), true);
}

bool CIniStore::WriteFile() const
{
    std::FILE* file = std::fopen(m_path.c_str(), "wb");
    if (file == nullptr)
        return false;
    for (size_t k = 0; k < m_keys.size(); ++k) {
        if (m_keys[k].names.empty())
            continue;
        std::fprintf(file, "[%s]\r\n", m_keyNames[k].c_str());
        for (size_t v = 0; v < m_keys[k].names.size(); ++v)
            std::fprintf(file, "%s=%s\r\n", m_keys[k].names[v].c_str(), m_keys[k].values[v].c_str());
        std::fputs("\r\n", file);
    }
    return std::fclose(file) == 0;
}

int CIniStore::FindKey(const std::string& key) const
{
    for (size_t k = 0; k < m_keyNames.size(); ++k)
        if (EqualNoCase(m_keyNames[k], key))
            return static_cast<int>(k);
    return -1;
}

int CIniStore::FindValue(int keyIndex, const std::string& name) const
{
    if (keyIndex < 0 || keyIndex >= GetKeyCount())
        return -1;
    const auto& names = m_keys[keyIndex].names;
    for (size_t v = 0; v < names.size(); ++v)
        if (EqualNoCase(names[v], name))
            return static_cast<int>(v);
    return -1;
}

int CIniStore::GetValueCount(const std::string& key) const
{
    const int k = FindKey(key);
    return k < 0 ? -1 : static_cast<int>(m_keys[k].names.size());
}

std::string CIniStore::GetValue(const std::string& key, const std::string& name)
{
    const int k = FindKey(key);
    if (k < 0) {
        m_lastError = kKeyMissing;
        return std::string();
    }
    const int v = FindValue(k, name);
    if (v < 0) {
        m_lastError = kValueMissing;
        return std::string();
    }
    return m_keys[k].values[v];
}

int CIniStore::GetValueInt(const std::string& key, const std::string& name)
{
    const std::string text = GetValue(key, name);
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

std::string CIniStore::GetValueAt(const std::string& key, int index, std::string& name)
{
    const int k = FindKey(key);
    if (k < 0) {
        m_lastError = kKeyMissing;
        return std::string();
    }
    if (index < 0 || index >= static_cast<int>(m_keys[k].names.size())) {
        m_lastError = kValueMissing;
        return std::string();
    }
    name = m_keys[k].names[index];
    return m_keys[k].values[index];
}

bool CIniStore::SetValue(const std::string& key, const std::string& name, const std::string& value, bool create)
{
    int k = FindKey(key);
    if (k < 0) {
        if (!create)
            return false;
        m_keyNames.push_back(key);
        m_keys.emplace_back();
        k = GetKeyCount() - 1;
    }
    KeyRecord& record = m_keys[k];
    const int v = FindValue(k, name);
    if (v >= 0) {
        record.values[v] = value;
        return true;
    }
    if (!create)
        return false;
    record.names.push_back(name);
    record.values.push_back(value);
    return true;
}

bool CIniStore::SetValueInt(const std::string& key, const std::string& name, int value, bool create)
{
    return SetValue(key, name, std::to_string(value), create);
}

bool CIniStore::DeleteValue(const std::string& key, const std::string& name)
{
    const int k = FindKey(key);
    const int v = FindValue(k, name);
    if (v < 0)
        return false;
    m_keys[k].names.erase(m_keys[k].names.begin() + v);
    m_keys[k].values.erase(m_keys[k].values.begin() + v);
    return true;
}
