#pragma once
// CStringList: a linked list of strings; Find compares exactly (case counts).

#include "framework/List.h"
#include "framework/String.h"

class CStringList : public CList<CString, const CString&> {};
