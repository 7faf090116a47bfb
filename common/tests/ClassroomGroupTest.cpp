#include "common/ClassroomGroup.h"
#include "common/tests/TestAddress.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using kqtest::Address;

struct GroupCase {
    uint32_t configured;
    uint8_t classroom;
    uint32_t expected;
};

TEST(ClassroomGroup, AddsTheClassroomToTheThirdOctetModulo256)
{
    const GroupCase cases[] = {
        {Address(227, 1, 1, 7), 0, Address(227, 1, 1, 7)},
        {Address(227, 1, 1, 7), 3, Address(227, 1, 4, 7)},
        {Address(227, 1, 255, 7), 1, Address(227, 1, 0, 7)},
        {Address(230, 9, 200, 1), 255, Address(230, 9, 199, 1)},
    };
    for (const GroupCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "classroom " << int(c.classroom));
        EXPECT_EQ(kq::MakeClassroomGroup(c.configured, c.classroom), c.expected);
    }
}

} // namespace
