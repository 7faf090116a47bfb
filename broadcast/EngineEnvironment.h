#pragma once
// The engine's fixed surroundings: the folder of the host program (where
// Mirage.ini, battery.dll, student.ini and the recording folder lie), its
// drive, the texts and settings of Mirage.ini, and the operating-system kind.

#include "broadcast/MirageIni.h"

#include <cstdint>
#include <string>

class CEngineEnvironment {
public:
    // Finds the folder of the process's executable (ending in a backslash).
    // False when the file name cannot be read.
    bool FindHostFolder();
    // Reads Mirage.ini from the host folder (the defaults when it is missing).
    void ReadIni();
    // The OS kind; on the kinds that need it, battery.dll keeps the screen on.
    uint16_t DetectOsKind() const;

    bool HostOnFixedDisk() const;
    const std::string& HostFolder() const { return m_hostFolder; }
    const std::string& DriveRoot() const { return m_driveRoot; }
    const std::string& RecordFolder() const { return m_recordFolder; }
    const CMirageIni& Ini() const { return m_ini; }

private:
    std::string m_hostFolder;
    std::string m_driveRoot;
    std::string m_recordFolder;
    CMirageIni m_ini;
};

CEngineEnvironment& EngineEnvironment();
