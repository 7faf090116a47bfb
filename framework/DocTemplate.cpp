#include "framework/DocTemplate.h"

#include "framework/CreateContext.h"
#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                           CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass)
{
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CObject* pObject = m_pDocClass != nullptr ? m_pDocClass->CreateObject() : nullptr;
    auto* pDocument = dynamic_cast<CDocument*>(pObject);
    if (pDocument == nullptr) {
        delete pObject;
        return nullptr;
    }
    pDocument->m_pDocTemplate = this;
    return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd*)
{
    CObject* pObject = m_pFrameClass != nullptr ? m_pFrameClass->CreateObject() : nullptr;
    auto* pFrame = dynamic_cast<CFrameWnd*>(pObject);
    if (pFrame == nullptr) {
        delete pObject;
        return nullptr;
    }
    CCreateContext context;
    context.m_pCurrentFrame = pFrame;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    // A frame whose creation failed once its window existed has deleted
    // itself (PostNcDestroy): it is not touched again.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr,
                           &context)) {
        return nullptr;
    }
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                       CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    delete m_pOnlyDoc;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible)
{
    if (m_pOnlyDoc != nullptr) {
        // One document at a time: it is reused.
        const BOOL opened = lpszPathName == nullptr ? m_pOnlyDoc->OnNewDocument()
                                                    : m_pOnlyDoc->OnOpenDocument(lpszPathName);
        return opened ? m_pOnlyDoc : nullptr;
    }
    CDocument* pDocument = CreateNewDocument();
    if (pDocument == nullptr)
        return nullptr;
    CFrameWnd* pFrame = CreateNewFrame(pDocument, nullptr);
    if (pFrame == nullptr) {
        delete pDocument;
        return nullptr;
    }
    const BOOL opened = lpszPathName == nullptr ? pDocument->OnNewDocument()
                                                : pDocument->OnOpenDocument(lpszPathName);
    if (!opened) {
        pFrame->DestroyWindow(); // deletes the frame and its view
        delete pDocument;
        return nullptr;
    }
    m_pOnlyDoc = pDocument;
    if (CWinThread* pThread = AfxGetThread(); pThread != nullptr && pThread->m_pMainWnd == nullptr)
        pThread->m_pMainWnd = pFrame;
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}
