#pragma once
// CKqDeskContralDoc and CKqDeskContralView: the document and view of the
// editor's single-document template. They hold and draw nothing.

#include "framework/Framework.h"

class CKqDeskContralDoc : public CDocument {
    DECLARE_DYNCREATE(CKqDeskContralDoc)
};

class CKqDeskContralView : public CView {
    DECLARE_DYNCREATE(CKqDeskContralView)
protected:
    void OnDraw(CDC*) override {}
};
