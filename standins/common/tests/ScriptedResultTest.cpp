#include "standins/common/ScriptedResult.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#endif

namespace {

void SetScript(const char* variable, const char* text)
{
#ifdef _WIN32
    ::SetEnvironmentVariableA(variable, text);
#else
    if (text != nullptr)
        setenv(variable, text, 1);
    else
        unsetenv(variable);
#endif
}

// The results of `calls` calls: the scripted value, or 999 for "do the work".
std::vector<int> Calls(int calls)
{
    std::vector<int> results;
    for (int i = 0; i < calls; ++i) {
        int result = 0;
        results.push_back(kq::ScriptedResult("KqTransmit", "InitSender", result) ? result : 999);
    }
    return results;
}

TEST(ScriptedResult, NamesTheVariableAfterTheModuleInCapitals)
{
    EXPECT_EQ(kq::ScriptVariable("Quizhall", "S_StartTest"), "KQ_QUIZHALL_S_StartTest");
    EXPECT_EQ(kq::ScriptVariable("KqTransmit", "InitSender"), "KQ_KQTRANSMIT_InitSender");
}

TEST(ScriptedResult, ValuesInTurnThenTheUsualWorkAndAChangedListStartsAgain)
{
    const char* variable = "KQ_KQTRANSMIT_InitSender";
    SetScript(variable, nullptr);
    EXPECT_EQ(Calls(2), (std::vector<int>{999, 999})) << "nothing scripted";

    SetScript(variable, "-100,-2");
    EXPECT_EQ(Calls(3), (std::vector<int>{-100, -2, 999}));
    EXPECT_EQ(Calls(1), (std::vector<int>{999})) << "the same list is used up";

    SetScript(variable, "-1");
    EXPECT_EQ(Calls(2), (std::vector<int>{-1, 999})) << "a changed list starts from its first value";

    SetScript(variable, nullptr);
    EXPECT_EQ(Calls(1), (std::vector<int>{999}));
}

TEST(ScriptedResult, ListValues)
{
    EXPECT_EQ(kq::ScriptValues(""), std::vector<int>{});
    EXPECT_EQ(kq::ScriptValues("7"), std::vector<int>{7});
    EXPECT_EQ(kq::ScriptValues("-100,0,3"), (std::vector<int>{-100, 0, 3}));
}

} // namespace
