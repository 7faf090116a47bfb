#include "envcheck/KqCheckApp.h"

CKqCheckApp theApp;
