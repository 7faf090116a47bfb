#pragma once
// CPaintedLabel: the painter the kit's labels share. The label fills its
// client area with its background colour and draws its window text over it,
// transparently, word-wrapped, in the kit's font ("宋体", 9 points).
//
// Two things differ between the labels: the alignment and the line
// breaking, both constructor arguments (a program's look names them); the
// breaking is one step, BreakLines, that a label may also replace.

#include "framework/Framework.h"
#include "widgets/SkinLook.h"

class CPaintedLabel : public CStatic {
public:
    CPaintedLabel(COLORREF background, kq::LabelAlign align,
                  kq::LineBreaking breaking = kq::LineBreaking::Words);
    // Destroys the window and deletes the font.
    ~CPaintedLabel() override;

    // Takes effect at the next paint.
    void SetBackColor(COLORREF background) { m_background = background; }
    COLORREF GetBackColor() const { return m_background; }

    static constexpr int kFontPoints = 90; // tenths of a point

protected:
    // The text as it is drawn. The default follows the label's line
    // breaking: as it is (the drawing breaks it at word boundaries), or
    // broken by CP936 byte cells first.
    virtual CString BreakLines(CDC& dc, const CString& text, const CRect& client);

    DECLARE_MESSAGE_MAP()
    afx_msg int OnCreate(LPCREATESTRUCT createStruct);
    afx_msg void OnPaint();
    // Paints into a given context as well, so the label can be printed.
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);

    CFont m_font;
    COLORREF m_background;

private:
    void Paint(CDC& dc);
    UINT AlignmentFormat() const;

    kq::LabelAlign m_align;
    kq::LineBreaking m_breaking;
};
