#include "teacher/StartupText.h"

#include <cstdio>

namespace kq {

std::string StartupWarningText(const std::string& message, int item)
{
    return message + "\r\n" + "详细资料及解决办法见“常见问题”中的" + std::to_string(item) +
           "，按确定按钮可直接查看帮助文件，否则请直接关闭";
}

std::string VersionText(unsigned versionId)
{
    constexpr float kHundredth = 0.01f;
    char number[32] = {};
    std::snprintf(number, sizeof number, "%2.2f", static_cast<double>(static_cast<float>(versionId) * kHundredth));
    return std::string("数字版v") + number;
}

} // namespace kq
