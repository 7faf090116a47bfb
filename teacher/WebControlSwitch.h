#pragma once
// The web control state of the main window and the switching of the proxy
// service between its modes, over the service's call results. Buttons 319
// (filter) and 320 (site sharing) each turn their half on and off; the
// state tells which halves are on:
//
//   state 0 off | 1 filter (mode 2) | 2 sites (mode 1) | 3 both (mode 0)
//
// Every call result but kServiceOk counts as a failure, and every failure
// leaves the state at 0. Portable.

#include <atomic>

namespace kq {

inline constexpr int kWebOff = 0;
inline constexpr int kWebFilter = 1;
inline constexpr int kWebSites = 2;
inline constexpr int kWebFilterAndSites = 3;

inline constexpr int kWebModeFilterAndSites = 0;
inline constexpr int kWebModeSites = 1;
inline constexpr int kWebModeFilter = 2;

// The one result that counts as success (S_OK).
inline constexpr long kServiceOk = 0;

int WebStateForMode(int mode);
// Button 319's half: states 1 and 3.
bool WebFilterOn(int state);
// Button 320's half, the students' link list: states 2 and 3.
bool WebSitesShared(int state);

// The proxy service's calls as the switch makes them; each returns the
// service's result.
class WebServicePort {
public:
    virtual ~WebServicePort() = default;
    virtual long IsRunning(int& running) = 0;
    virtual long Start(int mode) = 0;
    virtual long ChangeMode(int mode) = 0;
    virtual long Stop() = 0;
};

enum class WebSwitchResult {
    On,         // the service runs in the mode
    Off,        // a call failed: the service is stopped, the state is 0
    NotStarted, // the service did not run and might not be started
};

class WebControlSwitch {
public:
    // Read by the link-list sender's thread too.
    int State() const { return m_state.load(); }

    // Moves a running service to `mode`, or starts a stopped one in it when
    // `mayStart` (otherwise the state stays as it was). A failed query
    // stops the service and goes on as for a stopped one; a failed mode
    // change stops it and does not start it again.
    WebSwitchResult SwitchTo(WebServicePort& service, int mode, bool mayStart);
    // Stops the service; the state becomes 0 whatever the stop returns.
    void Stop(WebServicePort& service);

private:
    std::atomic<int> m_state{kWebOff};
};

} // namespace kq
