#include "broadcast/MirageApp.h"

#include "broadcast/MirageEngineState.h"

CMirageApp::CMirageApp()
{
    EngineState().modeRunning = 0;
}

CMirageApp theApp;
