// Test double of KqCheck.dll: records its call and answers with the result
// named by KQ_TEST_KQTEST (0 when unset).

#include "standins/common/Trace.h"

#include <cstdlib>

extern "C" int KqTest(const char* path, int mode)
{
    kq::Trace("KqCheck", "KqTest path=%s mode=%d", path ? path : "(null)", mode);
    const char* result = std::getenv("KQ_TEST_KQTEST");
    return result ? std::atoi(result) : 0;
}
