// Frames and the single-document classes: the frame, view and document a
// template makes, command routing, hidden start and a title left alone.

#include "framework/tests/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr UINT kTemplateId = 128;
constexpr UINT kSharedCommand = 1001; // handled by the view and the frame
constexpr UINT kFrameCommand = 1002;  // handled by the frame only
constexpr char kTitle[] = "KqStudent";

std::string g_handledBy;

class TestDoc : public CDocument {
    DECLARE_DYNCREATE(TestDoc)
public:
    BOOL OnNewDocument() override
    {
        SetTitle("Untitled"); // must not reach any frame
        return CDocument::OnNewDocument();
    }
};
IMPLEMENT_DYNCREATE(TestDoc, CDocument)

class TestView : public CView {
    DECLARE_DYNCREATE(TestView)
public:
    static int alive;
    TestView() { ++alive; }
    ~TestView() override { --alive; }
    void OnDraw(CDC*) override {}

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnShared() { g_handledBy = "view"; }
};
int TestView::alive = 0;
IMPLEMENT_DYNCREATE(TestView, CView)
BEGIN_MESSAGE_MAP(TestView, CView)
    ON_COMMAND(kSharedCommand, OnShared)
END_MESSAGE_MAP()

class TestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(TestFrame)
public:
    static int alive;
    static bool setsTitle;
    TestFrame() { ++alive; }
    ~TestFrame() override { --alive; }

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        if (setsTitle)
            SetWindowText(kTitle);
        return 0;
    }
    afx_msg void OnShared() { g_handledBy = "frame shared"; }
    afx_msg void OnFrameOnly() { g_handledBy = "frame"; }
};
int TestFrame::alive = 0;
bool TestFrame::setsTitle = true;
IMPLEMENT_DYNCREATE(TestFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(kSharedCommand, OnShared)
    ON_COMMAND(kFrameCommand, OnFrameOnly)
END_MESSAGE_MAP()

TEST(SingleDocument, ShellCommandBuildsAHiddenFrameWithViewAndDocumentAndKeepsItsTitle)
{
    CWinApp* app = AfxGetApp();
    const int savedShow = app->m_nCmdShow;
    app->m_nCmdShow = SW_HIDE;
    app->AddDocTemplate(new CSingleDocTemplate(kTemplateId, RUNTIME_CLASS(TestDoc),
                                               RUNTIME_CLASS(TestFrame), RUNTIME_CLASS(TestView)));
    CCommandLineInfo info;
    ASSERT_TRUE(app->ProcessShellCommand(info));

    auto* frame = dynamic_cast<TestFrame*>(app->m_pMainWnd);
    ASSERT_NE(nullptr, frame);
    EXPECT_FALSE(frame->IsWindowVisible());
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ(kTitle, title);
    EXPECT_EQ(frame->m_hWnd, ::FindWindowA(nullptr, kTitle));

    CView* view = frame->GetActiveView();
    ASSERT_NE(nullptr, view);
    EXPECT_TRUE(view->IsKindOf(RUNTIME_CLASS(TestView)));
    EXPECT_EQ(frame, view->GetParent());
    ASSERT_NE(nullptr, view->GetDocument());
    EXPECT_TRUE(view->GetDocument()->IsKindOf(RUNTIME_CLASS(TestDoc)));
    EXPECT_EQ(view->GetDocument(), frame->GetActiveDocument());

    // Commands go to the view first, then the frame.
    frame->SendMessage(WM_COMMAND, kSharedCommand);
    EXPECT_EQ("view", g_handledBy);
    frame->SendMessage(WM_COMMAND, kFrameCommand);
    EXPECT_EQ("frame", g_handledBy);

    // Closing the frame deletes frame and view and ends the message loop.
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(0, TestFrame::alive);
    EXPECT_EQ(0, TestView::alive);
    EXPECT_EQ(nullptr, app->m_pMainWnd);
    EXPECT_TRUE(kqtest::TakeQuit());
    app->m_nCmdShow = savedShow;
}

TEST(SingleDocument, CommandLineArguments)
{
    CCommandLineInfo info;
    EXPECT_EQ(CCommandLineInfo::FileNew, info.m_nShellCommand);
    info.ParseParam("nologo", TRUE, FALSE);
    EXPECT_FALSE(info.m_bShowSplash);
    EXPECT_EQ(CCommandLineInfo::FileNew, info.m_nShellCommand);
    info.ParseParam("C:\\class\\seat.ini", FALSE, TRUE);
    EXPECT_EQ(CCommandLineInfo::FileOpen, info.m_nShellCommand);
    EXPECT_STREQ("C:\\class\\seat.ini", info.m_strFileName);
}

TEST(FrameWnd, CreateKeepsTheGivenTitleAndTheFrameDeletesItselfWhenDestroyed)
{
    TestFrame::setsTitle = false;
    auto* frame = new TestFrame;
    ASSERT_TRUE(frame->Create(nullptr, "given", WS_POPUP, CRect(0, 0, 300, 200)));
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ("given", title);
    frame->DestroyWindow();
    EXPECT_EQ(0, TestFrame::alive);
    TestFrame::setsTitle = true;
}

} // namespace
