#pragma once
// KqDesk.dll, the student desktop shell, by name.

#include "common/KqDeskInput.h"

// kq::kDeskStartFailed (1) means failure; anything else means started.
extern "C" int KqStartKqDesk(const kq::KQDESKINPUT* input);
extern "C" int KqFreshDesk();
extern "C" int KqCloseKqDesk();
