#pragma once
// The application object of KqCheck.dll: nothing of its own; it gives the
// library its module state, so its windows load the library's resources.

#include "framework/Framework.h"

class CKqCheckApp : public CWinApp {
};
