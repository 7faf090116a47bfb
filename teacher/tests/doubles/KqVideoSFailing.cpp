// Test double of KqVideoS.dll whose video broadcast never starts.

#include "standins/common/Trace.h"

extern "C" int KqVideoSControl(int mode, void*)
{
    kq::Trace("KqVideoS", "KqVideoSControl mode=%d refused by the test double", mode);
    return -1;
}
