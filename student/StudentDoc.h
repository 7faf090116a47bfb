#pragma once
// CStudentDoc and CStudentView: the document and view of the agent's
// single-document template. They hold and draw nothing.

#include "framework/Framework.h"

class CStudentDoc : public CDocument {
    DECLARE_DYNCREATE(CStudentDoc)
};

class CStudentView : public CView {
    DECLARE_DYNCREATE(CStudentView)
protected:
    void OnDraw(CDC*) override {}
};
