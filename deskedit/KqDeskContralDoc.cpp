#include "deskedit/KqDeskContralDoc.h"

IMPLEMENT_DYNCREATE(CKqDeskContralDoc, CDocument)
IMPLEMENT_DYNCREATE(CKqDeskContralView, CView)
