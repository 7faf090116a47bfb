// Chalkpad.exe opened the way the teacher program opens it.

#include "standins/common/tests/StandinTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace kq::standin;

TEST(Chalkpad, OpensAWhiteboardWindowThatClosesNormally)
{
    const TraceFile trace(UniqueTempPath("chalkpad-trace", ".txt"));
    const std::string program = ProgramFolder() + "Chalkpad.exe";
    ChildProcess run;

    ASSERT_TRUE(run.ShellOpen(program));

    const HWND board = WaitForWindow("ChalkpadBoard", "电子白板");
    ASSERT_NE(board, nullptr);
    EXPECT_TRUE(IsWindowVisible(board));
    PostMessageA(board, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0u);
    EXPECT_EQ(trace.Read(), "Chalkpad start program=" + program + "\n");
}

} // namespace
