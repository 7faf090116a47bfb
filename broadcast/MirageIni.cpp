#include "broadcast/MirageIni.h"

#include "broadcast/OsKind.h"

#include <cctype>
#include <climits>
#include <fstream>
#include <sstream>

namespace {

// Line by line, in the system's code page (CP936 on the classroom PCs).
const char* const kDefaultLines[kMirageIniLineCount] = {
    "3",
    "正在进行监听网络数据.....",
    "上一屏",
    "下一屏",
    "全屏\\半屏",
    "漂移窗口",
    "转个别指导",
    "转教师讲评",
    "转学生示范",
    "转教师演示",
    "结束",
    "录制",
    "停止",
    "播放",
    "清除",
    "退出",
    "等待执行指令.....",
    "全屏\\多屏",
    "存贮区中无录制内容！请录制好后再启用。",
    "您确定要清除已录制的内容吗?",
    "清除",
    "取消",
    "25",
    "3",
};

constexpr uint32_t kFrameBufferSlack = 131072;
constexpr uint32_t kBytesPerPixel = 3;
constexpr int kSmallClass = 1;
constexpr int kMiddleClass = 2;
constexpr int kLargeClass = 3;
constexpr int kTensDigit = 10;

// Index 0..6 of line 24 to the platform's thread priority values.
constexpr int kPriorities[] = {15, 2, 1, 0, -1, -2, -15};
constexpr int kNormalPriorityIndex = 3;

constexpr char kCaptureSwitchOff[] = "25";

bool EqualsIgnoringCase(const std::string& a, const char* b)
{
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && b[i] == '\0';
}

} // namespace

CMirageIni::CMirageIni()
{
    for (size_t i = 0; i < kMirageIniLineCount; ++i)
        m_lines[i] = kDefaultLines[i];
}

CMirageIni CMirageIni::FromContent(const std::string& content)
{
    CMirageIni ini;
    for (std::string& line : ini.m_lines)
        line.clear();
    std::istringstream stream(content);
    std::string line;
    for (size_t i = 0; i < kMirageIniLineCount && std::getline(stream, line); ++i) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        ini.m_lines[i] = line;
    }
    return ini;
}

CMirageIni CMirageIni::Load(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return CMirageIni();
    std::ostringstream content;
    content << file.rdbuf();
    return FromContent(content.str());
}

int LeadingNumber(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

MirageFrameClass FrameClassGeometry(int number)
{
    MirageFrameClass c;
    c.number = number;
    switch (number) {
    case kSmallClass:
        c.width = 640;
        c.height = 480;
        break;
    case kLargeClass:
        c.width = 1024;
        c.height = 768;
        break;
    default:
        c.width = 800;
        c.height = 600;
        break;
    }
    c.bufferSize = c.width * c.height * kBytesPerPixel + kFrameBufferSlack;
    return c;
}

MirageFrameClass ChooseFrameClass(const std::string& line1, bool hostOnFixedDisk, int openModeArgument)
{
    int number = LeadingNumber(line1);
    if (!hostOnFixedDisk && number >= kLargeClass)
        number = kMiddleClass;
    if (openModeArgument / kTensDigit != 0)
        number = kMiddleClass;
    return FrameClassGeometry(number);
}

int ThreadPriorityFromLine(const std::string& line24)
{
    int index = LeadingNumber(line24);
    if (index < 0 || index >= static_cast<int>(std::size(kPriorities)))
        index = kNormalPriorityIndex;
    return kPriorities[index];
}

int32_t CaptureSwitchFromLine(uint16_t osKind, const std::string& line23)
{
    return OsKindHonoursCaptureLine(osKind) && EqualsIgnoringCase(line23, kCaptureSwitchOff) ? 0 : 1;
}
