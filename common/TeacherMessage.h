#pragma once
// A message from the teacher to the students (student command 5): a title, a
// text of several lines and a signature, shown in the teacher message dialog.

#include <cstddef>
#include <cstdint>

namespace kq {

#pragma pack(push, 1)
struct TeacherMessage {
    char title[40];
    char text[400];
    char signature[40];
};
#pragma pack(pop)

static_assert(sizeof(TeacherMessage) == 480);
static_assert(offsetof(TeacherMessage, title) == 0);
static_assert(offsetof(TeacherMessage, text) == 40);
static_assert(offsetof(TeacherMessage, signature) == 440);

} // namespace kq
