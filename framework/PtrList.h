#pragma once
// CPtrList: a linked list of untyped pointers; the list never owns them.

#include "framework/List.h"

class CPtrList : public CList<void*, void*> {};
