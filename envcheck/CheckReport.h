#pragma once
// What the checks of one start add up to: the text of the result window,
// whether the window is worth showing, and the verdict KqTest returns.

#include <functional>
#include <string>

namespace kq {

// Each field holds a check's string number: kq::check::kPassed or its
// failure message.
struct CheckResults {
    int os;
    int adapter; // network adapter and TCP/IP
    int winsock;
    int directX;
    int browser;
    int display;
    int sound;
};

// Modes above this leave the sound card out of the verdict and the text.
inline constexpr int kLastModeWithSound = 9;

// The results with the sound card counted as passed when `mode` leaves it
// out.
CheckResults CountedResults(CheckResults results, int mode);

// One block per failed check, in the order of the fields above: its label,
// "\r\n", "警告：", the message `messageText` gives for its number and two
// "\r\n" (the sound card's block ends with one).
std::string BuildResultText(const CheckResults& results, const std::function<std::string(int id)>& messageText);

// A failure other than the sound card's: only those are worth the window.
bool WorthShowing(const CheckResults& results);

// The result of KqTest, from results already counted for the mode:
// kCheckClosed when the window was closed by request, else the worst
// failure's class (kCheckNoPath, kCheckFailed, kCheckDisplayOrSound) or
// kCheckPassed.
int CheckVerdict(const CheckResults& results, bool closedByRequest);

} // namespace kq
