#include "joiner/GhostDoc.h"

IMPLEMENT_DYNCREATE(CKqGhostDoc, CDocument)
IMPLEMENT_DYNCREATE(CKqGhostView, CView)
