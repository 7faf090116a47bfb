#pragma once
// CIniStore: a whole ini file held in memory as keys (the bracketed section
// names), each with its name = value pairs, in order of creation. Look-ups
// ignore the case of ASCII letters and compare every double-byte (CP936)
// character exactly. The store is written back either pair by pair through
// the system's profile writer (WriteProfile, Windows only), which leaves the
// rest of the file alone, or by rewriting the whole file (WriteFile).

#include <string>
#include <vector>

class CIniStore {
public:
    CIniStore() = default;
    virtual ~CIniStore() = default;

    void SetPath(const std::string& path) { m_path = path; }
    const std::string& GetPath() const { return m_path; }

    // Parses the file into the store. False when the file does not exist
    // (the last error stays) or cannot be opened.
    bool ReadFile();
    // Writes every pair with the profile writer; returns the key count - 1.
    int WriteProfile() const;
    // Rewrites the file with every key that has pairs.
    bool WriteFile() const;

    int FindKey(const std::string& key) const;
    int FindValue(int keyIndex, const std::string& name) const;
    int GetValueCount(const std::string& key) const;
    int GetKeyCount() const { return static_cast<int>(m_keyNames.size()); }

    std::string GetValue(const std::string& key, const std::string& name);
    int GetValueInt(const std::string& key, const std::string& name);
    // The index-th pair of the key: its name goes to `name`, its value is
    // returned. An index outside the key gives "" and an error.
    std::string GetValueAt(const std::string& key, int index, std::string& name);

    bool SetValue(const std::string& key, const std::string& name, const std::string& value, bool create);
    bool SetValueInt(const std::string& key, const std::string& name, int value, bool create);
    bool DeleteValue(const std::string& key, const std::string& name);

    const std::string& GetLastError() const { return m_lastError; }

    // Longest line the reader takes; the rest of a longer line is dropped.
    static constexpr size_t kMaxLineLength = 2047;
    static constexpr const char* kKeyMissing = "Unable to locate specified key.";
    static constexpr const char* kValueMissing = "Unable to locate specified value.";
    static constexpr const char* kOpenFailed = "Unable to open ini file.";

    // Compares two CP936 texts, folding ASCII letters only.
    static bool EqualNoCase(const std::string& a, const std::string& b);

private:
    struct KeyRecord {
        std::vector<std::string> values;
        std::vector<std::string> names;
    };

    void ParseLine(const std::string& line, std::string& currentKey);

    std::string m_path;
    std::vector<KeyRecord> m_keys;
    std::vector<std::string> m_keyNames;
    std::string m_lastError;
};
