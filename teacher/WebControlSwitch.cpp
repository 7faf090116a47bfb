#include "teacher/WebControlSwitch.h"

namespace kq {

int WebStateForMode(int mode)
{
    switch (mode) {
    case kWebModeFilterAndSites:
        return kWebFilterAndSites;
    case kWebModeSites:
        return kWebSites;
    case kWebModeFilter:
        return kWebFilter;
    default:
        return kWebOff;
    }
}

bool WebFilterOn(int state)
{
    return state == kWebFilter || state == kWebFilterAndSites;
}

bool WebSitesShared(int state)
{
    return state == kWebSites || state == kWebFilterAndSites;
}

WebSwitchResult WebControlSwitch::SwitchTo(WebServicePort& service, int mode, bool mayStart)
{
    int running = 0;
    if (service.IsRunning(running) != kServiceOk) {
        Stop(service);
        running = 0; // nothing runs after the stop: start as for a stopped service
    }
    if (running != 0) {
        if (service.ChangeMode(mode) == kServiceOk) {
            m_state = WebStateForMode(mode);
            return WebSwitchResult::On;
        }
        Stop(service);
        return WebSwitchResult::Off;
    }
    if (!mayStart)
        return WebSwitchResult::NotStarted;
    if (service.Start(mode) == kServiceOk) {
        m_state = WebStateForMode(mode);
        return WebSwitchResult::On;
    }
    m_state = kWebOff;
    return WebSwitchResult::Off;
}

void WebControlSwitch::Stop(WebServicePort& service)
{
    service.Stop(); // its result changes nothing: the control is off either way
    m_state = kWebOff;
}

} // namespace kq
