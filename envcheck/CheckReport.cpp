#include "envcheck/CheckReport.h"

#include "envcheck/CheckIds.h"
#include "envcheck/KqCheck.h"

namespace kq {

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr char kWarning[] = "警告：";

bool Failed(int result)
{
    return result != check::kPassed;
}

} // namespace

CheckResults CountedResults(CheckResults results, int mode)
{
    if (mode > kLastModeWithSound)
        results.sound = check::kPassed;
    return results;
}

std::string BuildResultText(const CheckResults& results, const std::function<std::string(int id)>& messageText)
{
    const struct {
        int result;
        const char* label;
        int lineEnds;
    } blocks[] = {
        {results.os, "操作系统：", 2},
        {results.adapter, "网卡和TCPIP协议：", 2},
        {results.winsock, "检测WINSOCK：", 2},
        {results.directX, "检测DIRECTX：", 2},
        {results.browser, "IE版本", 2},
        {results.display, "显示模式：", 2},
        {results.sound, "检测声卡：", 1},
    };
    std::string text;
    for (const auto& block : blocks) {
        if (!Failed(block.result))
            continue;
        text += block.label;
        text += kLineEnd;
        text += kWarning;
        text += messageText(block.result);
        for (int i = 0; i < block.lineEnds; ++i)
            text += kLineEnd;
    }
    return text;
}

bool WorthShowing(const CheckResults& results)
{
    return Failed(results.os) || Failed(results.adapter) || Failed(results.winsock) || Failed(results.directX) ||
           Failed(results.browser) || Failed(results.display);
}

int CheckVerdict(const CheckResults& results, bool closedByRequest)
{
    if (closedByRequest)
        return kCheckClosed;
    if (Failed(results.os))
        return kCheckNoPath;
    if (Failed(results.adapter) || Failed(results.winsock) || Failed(results.directX) || Failed(results.browser))
        return kCheckFailed;
    if (Failed(results.display) || Failed(results.sound))
        return kCheckDisplayOrSound;
    return kCheckPassed;
}

} // namespace kq
