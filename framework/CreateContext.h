#pragma once
// What a document template passes to the frame it creates: the document and
// the class of the view the frame makes in its client area.

#include "framework/Object.h"

class CDocument;
class CDocTemplate;
class CFrameWnd;
class CView;

struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};
