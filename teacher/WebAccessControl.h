#pragma once
// The web access control object of the main window: created at start from
// its ProgID, registering its server once when it is not registered yet;
// switched between its modes by buttons 319 and 320 with the state they
// show; stopped and released at exit.

#include "common/HttpService.h"
#include "teacher/WebControlSwitch.h"
#include "teacher/WebStartSettings.h"

#include <string>

namespace kq {

class WebAccessControl {
public:
    WebAccessControl() = default;
    WebAccessControl(const WebAccessControl&) = delete;
    WebAccessControl& operator=(const WebAccessControl&) = delete;
    ~WebAccessControl() { Release(); }

    // Creates the object; when it cannot be had, registers
    // "<installFolder>\Proxyward.dll" (waiting at most kRegisterWaitMs) and
    // tries again. False when there is still no object.
    bool Create(const std::string& installFolder);
    // Stops the service (a failure is ignored) and releases the object.
    void Release();

    IHttpService* Get() const { return m_service; }
    bool Available() const { return m_service != nullptr; }

    // The state of WebControlSwitch; any thread may read it.
    int State() const { return m_switch.State(); }
    // Moves the running service to `mode` or starts it with `settings`
    // (only when `mayStart`); every failed call turns the control off.
    WebSwitchResult SwitchTo(int mode, const WebStartSettings& settings, bool mayStart);
    // Stops the service; the state is 0 afterwards.
    void StopService();

    static constexpr DWORD kRegisterWaitMs = 10000;

private:
    IHttpService* m_service = nullptr;
    WebControlSwitch m_switch;
};

} // namespace kq
