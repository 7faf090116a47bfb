#pragma once
// The teacher side of the command transport: the five calls of Lectern.dll
// in the teacher's install folder (ordinals 1, 2, 3, 5, 6 in Teacher.def).
// The records are the caller's and are lent for one call; the configuration
// stays alive for the whole run, so the library may keep its pointer.

#include "common/BroadcastOptions.h"
#include "common/CommandBlock.h"
#include "common/TeacherConfig.h"

// Nonzero when the transport is open.
extern "C" int LecternOpen(const kq::TeacherConfig* config);
extern "C" void LecternClose();
extern "C" void LecternSendCommand(const kq::CommandBlockWithTail* block);
extern "C" void LecternSetConfig(const kq::TeacherConfig* config);
extern "C" void LecternSetOptions(const kq::BroadcastOptions* options);
