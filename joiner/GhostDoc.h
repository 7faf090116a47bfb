#pragma once
// CKqGhostDoc and CKqGhostView: the document and view of the joiner's
// single-document template. They hold and draw nothing.

#include "framework/Framework.h"

class CKqGhostDoc : public CDocument {
    DECLARE_DYNCREATE(CKqGhostDoc)
};

class CKqGhostView : public CView {
    DECLARE_DYNCREATE(CKqGhostView)
protected:
    void OnDraw(CDC*) override {}
};
