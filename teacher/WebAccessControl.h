#pragma once
// The web access control object of the main window: created at start from
// its ProgID, registering its server once when it is not registered yet,
// and stopped and released at exit.

#include "common/HttpService.h"

#include <string>

namespace kq {

class WebAccessControl {
public:
    WebAccessControl() = default;
    WebAccessControl(const WebAccessControl&) = delete;
    WebAccessControl& operator=(const WebAccessControl&) = delete;
    ~WebAccessControl() { Stop(); }

    // Creates the object; when it cannot be had, registers
    // "<installFolder>\Proxyward.dll" (waiting at most kRegisterWaitMs) and
    // tries again. False when there is still no object.
    bool Create(const std::string& installFolder);
    // Stops the service (a failure is ignored) and releases the object.
    void Stop();

    IHttpService* Get() const { return m_service; }

    static constexpr DWORD kRegisterWaitMs = 10000;

private:
    IHttpService* m_service = nullptr;
};

} // namespace kq
