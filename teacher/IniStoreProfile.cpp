// CIniStore's writer through the system's profile functions: only the pairs
// of the store change, every other line of the file stays as it was.

#include "teacher/IniStore.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

int CIniStore::WriteProfile() const
{
    for (size_t k = 0; k < m_keys.size(); ++k)
        for (size_t v = 0; v < m_keys[k].names.size(); ++v)
            ::WritePrivateProfileStringA(m_keyNames[k].c_str(), m_keys[k].names[v].c_str(),
                                         m_keys[k].values[v].c_str(), m_path.c_str());
    return GetKeyCount() - 1;
}
