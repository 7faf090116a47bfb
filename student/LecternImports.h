#pragma once
// Lectern.dll, the command transport, as the student agent imports it: by
// ordinal, through the import library made from LecternImports.def.

#include "common/StudentInitRecord.h"
#include "common/StudentRequest.h"

// Ordinal 1: nonzero when opened. The record is read during the call only.
extern "C" int LecternOpen(const kq::StudentInitRecord* init);
// Ordinal 2: may be called when nothing is open.
extern "C" void LecternClose();
// Ordinal 4: may be called when nothing is open.
extern "C" void LecternSendRequest(const kq::StudentRequest* request);
