#include "widgets/SkinProgress.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CSkinProgress, CProgressCtrl)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CSkinProgress::~CSkinProgress()
{
    DestroyWindow();
    m_font.DeleteObject();
}

int CSkinProgress::FilledWidth(int width, int lower, int upper, int position)
{
    if (upper <= lower || width <= 0)
        return 0;
    const long long done = static_cast<long long>(width) * (static_cast<long long>(position) - lower) /
                           (static_cast<long long>(upper) - lower);
    return static_cast<int>(std::clamp<long long>(done, 0, width));
}

void CSkinProgress::Paint(CDC& dc)
{
    int lower = 0;
    int upper = 0;
    GetRange(lower, upper);
    const int position = GetPos();

    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, m_background);
    CRect done = client;
    done.right = client.left + FilledWidth(client.Width(), lower, upper, position);
    if (!done.IsRectEmpty())
        dc.FillSolidRect(&done, ::GetSysColor(COLOR_HIGHLIGHT));
}

void CSkinProgress::OnPaint()
{
    CPaintDC dc(this);
    Paint(dc);
}

LRESULT CSkinProgress::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    if (dc != nullptr)
        Paint(*dc);
    return 0;
}
