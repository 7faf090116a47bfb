#include "framework/PaintDC.h"

#include "framework/Wnd.h"

IMPLEMENT_DYNAMIC(CPaintDC, CDC)

CPaintDC::CPaintDC(CWnd* window) : m_hWnd(window != nullptr ? window->GetSafeHwnd() : nullptr)
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    // The context belongs to the paint cycle: end it instead of deleting it.
    if (m_hDC != nullptr) {
        ::EndPaint(m_hWnd, &m_ps);
        Detach();
    }
}
