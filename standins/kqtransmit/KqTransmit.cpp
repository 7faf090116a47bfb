// The exported functions of KqTransmit.dll: each traces its call and hands
// it to the object that does the work.

#include "standins/kqtransmit/KqTransmit.h"

#include "standins/common/ScriptedResult.h"
#include "standins/common/Trace.h"
#include "standins/kqtransmit/FolderClient.h"
#include "standins/kqtransmit/FolderServer.h"
#include "standins/kqtransmit/HomeworkClient.h"
#include "standins/kqtransmit/HomeworkServer.h"
#include "standins/kqtransmit/TransferReceiver.h"
#include "standins/kqtransmit/TransferSender.h"

#include <cstdio>
#include <mutex>
#include <string>

volatile DWORD g_dwTotalToBeSend = 0;
volatile DWORD g_dwSended = 0;
volatile DWORD g_dwTotalToBeRecv = 0;
volatile DWORD g_dwReceived = 0;

namespace {

using namespace kq::transmit;

constexpr char kModule[] = "KqTransmit";

// One lock for the calls: callers may come from several threads.
std::mutex g_calls;

// Made on first use, never destroyed: their threads must not be joined while
// the process is ending and the loader lock is held.
template <typename T>
T& Instance()
{
    static T* object = new T();
    return *object;
}

std::string Dotted(DWORD address)
{
    const auto* b = reinterpret_cast<const unsigned char*>(&address);
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
    return text;
}

unsigned WindowValue(HWND window)
{
    return static_cast<unsigned>(reinterpret_cast<uintptr_t>(window));
}

const char* Text(const char* text)
{
    return text ? text : "(null)";
}

int Send(const char* function, const char* source, const char* folder, int reserved, WORD targets, bool isFolder)
{
    std::lock_guard<std::mutex> hold(g_calls);
    kq::Trace(kModule, "%s source=%s folder=%s reserved=%d targets=%u", function, Text(source), Text(folder),
              reserved, targets);
    int scripted = 0;
    if (kq::ScriptedResult(kModule, function, scripted))
        return scripted;
    if (source == nullptr || folder == nullptr)
        return kTransmitFailed;
    return Instance<TransferSender>().Send(source, folder, isFolder, targets);
}

int Receive(const char* function, char* location, int size)
{
    std::lock_guard<std::mutex> hold(g_calls);
    kq::Trace(kModule, "%s size=%d", function, size);
    return Instance<TransferReceiver>().Receive(location, size);
}

} // namespace

int InitSender(DWORD firstGroup, DWORD secondGroup, WORD portNetwork, HWND window)
{
    std::lock_guard<std::mutex> hold(g_calls);
    kq::Trace(kModule, "InitSender first=%s second=%s port=%u window=%08X", Dotted(firstGroup).c_str(),
              Dotted(secondGroup).c_str(), ntohs(portNetwork), WindowValue(window));
    int scripted = 0;
    if (kq::ScriptedResult(kModule, "InitSender", scripted))
        return scripted;
    return Instance<TransferSender>().Open(firstGroup, secondGroup, ntohs(portNetwork), window);
}

int SendFile(const char* source, const char* receivingFolder, int reserved, WORD targets)
{
    return Send("SendFile", source, receivingFolder, reserved, targets, false);
}

int SendDirectory(const char* source, const char* receivingFolder, int reserved, WORD targets)
{
    return Send("SendDirectory", source, receivingFolder, reserved, targets, true);
}

int CancelSendFile()
{
    std::lock_guard<std::mutex> hold(g_calls);
    kq::Trace(kModule, "CancelSendFile");
    int scripted = 0;
    if (kq::ScriptedResult(kModule, "CancelSendFile", scripted))
        return scripted;
    return Instance<TransferSender>().Cancel();
}

int UnInitSender()
{
    std::lock_guard<std::mutex> hold(g_calls);
    kq::Trace(kModule, "UnInitSender");
    Instance<TransferSender>().Close();
    return kTransmitDone;
}

int InitReceiver(DWORD sendGroup, DWORD receiveGroup, WORD portNetwork, HWND window)
{
    std::lock_guard<std::mutex> hold(g_calls);
    kq::Trace(kModule, "InitReceiver send=%s receive=%s port=%u window=%08X", Dotted(sendGroup).c_str(),
              Dotted(receiveGroup).c_str(), ntohs(portNetwork), WindowValue(window));
    return Instance<TransferReceiver>().Open(sendGroup, receiveGroup, ntohs(portNetwork), window);
}

int RecvFile(char* location, int size)
{
    return Receive("RecvFile", location, size);
}

int RecvDir(char* location, int size)
{
    return Receive("RecvDir", location, size);
}

int UnInitReceiver()
{
    std::lock_guard<std::mutex> hold(g_calls);
    kq::Trace(kModule, "UnInitReceiver");
    Instance<TransferReceiver>().Close();
    return kTransmitDone;
}

int StartFileServer(const char* folder, HWND window)
{
    std::lock_guard<std::mutex> hold(g_calls);
    kq::Trace(kModule, "StartFileServer folder=%s window=%08X", Text(folder), WindowValue(window));
    return folder ? Instance<HomeworkServer>().Start(folder) : kTransmitFailed;
}

int QuitFileServer()
{
    std::lock_guard<std::mutex> hold(g_calls);
    kq::Trace(kModule, "QuitFileServer");
    Instance<HomeworkServer>().Stop();
    return kTransmitDone;
}

int StartFileClient(DWORD address, WORD port, int kind, const char* path, const char* seat, HWND window)
{
    std::lock_guard<std::mutex> hold(g_calls);
    kq::Trace(kModule, "StartFileClient address=%s port=%u kind=%d path=%s seat=%s window=%08X",
              Dotted(address).c_str(), port, kind, Text(path), Text(seat), WindowValue(window));
    Instance<HomeworkClient>().Start(address, port, kind, path ? path : "", seat ? seat : "", window);
    return kTransmitDone;
}

int QuitFileClient()
{
    std::lock_guard<std::mutex> hold(g_calls);
    kq::Trace(kModule, "QuitFileClient");
    Instance<HomeworkClient>().Stop();
    return kTransmitDone;
}

int StartServerToSendDir(const char* folder, HWND window, WORD port)
{
    std::lock_guard<std::mutex> hold(g_calls);
    kq::Trace(kModule, "StartServerToSendDir folder=%s window=%08X port=%u", Text(folder), WindowValue(window),
              port);
    return folder ? Instance<FolderServer>().Start(folder, port) : kTransmitFailed;
}

int EndServerToSendDir()
{
    std::lock_guard<std::mutex> hold(g_calls);
    kq::Trace(kModule, "EndServerToSendDir");
    Instance<FolderServer>().Stop();
    return kTransmitDone;
}

int StartClientToRecvDir(const char* folder, HWND window, DWORD address, WORD port)
{
    std::lock_guard<std::mutex> hold(g_calls);
    kq::Trace(kModule, "StartClientToRecvDir folder=%s window=%08X address=%s port=%u", Text(folder),
              WindowValue(window), Dotted(address).c_str(), port);
    Instance<FolderClient>().Start(folder ? folder : "", address, port, window);
    return kTransmitDone;
}

int EndClientToRecvDir()
{
    std::lock_guard<std::mutex> hold(g_calls);
    kq::Trace(kModule, "EndClientToRecvDir");
    Instance<FolderClient>().Stop();
    return kTransmitDone;
}
