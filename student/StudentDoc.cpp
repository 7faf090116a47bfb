#include "student/StudentDoc.h"

IMPLEMENT_DYNCREATE(CStudentDoc, CDocument)
IMPLEMENT_DYNCREATE(CStudentView, CView)
