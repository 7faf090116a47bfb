#pragma once
// CPlayerHandOff: hands one channel to the player Vidspool. The channel is
// written into the shared block "DoChannel", the player is started from the
// receiver's own folder, and the block stays open until the player has
// signalled "KqMemFileToVodPlug" (or the wait ends). Everything it opened is
// closed with it.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "channels/ChannelInfo.h"

#include <string>

class CPlayerHandOff {
public:
    CPlayerHandOff() = default;
    ~CPlayerHandOff();
    CPlayerHandOff(const CPlayerHandOff&) = delete;
    CPlayerHandOff& operator=(const CPlayerHandOff&) = delete;

    // True when the player's window exists: a player runs already.
    static bool PlayerRuns();
    // The player's path and the command line it is started with.
    static std::string PlayerPath(const std::string& programFolder);
    static std::string PlayerCommandLine(const std::string& playerPath);

    // Writes the block, makes the event and starts the player found in
    // `programFolder` (with its trailing backslash). False when the player
    // could not be started: the block and the event are closed again.
    bool Start(const kq::ChannelInfo& channel, const std::string& programFolder);
    // Waits until the player has taken the block over (at most 20 s; 10 s
    // of sleep when the event could not be made), then closes the event and
    // the block.
    void WaitUntilTaken();
    // Waits until the player's process ends.
    void WaitUntilEnded();

private:
    void CloseShared();

    HANDLE m_mapping = nullptr;
    HANDLE m_taken = nullptr;
    HANDLE m_process = nullptr;
};
