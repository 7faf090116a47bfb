#pragma once
// The application object of Mirage.dll.

#include "framework/Framework.h"

class CMirageApp : public CWinApp {
public:
    CMirageApp();
};
