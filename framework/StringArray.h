#pragma once
// CStringArray: a growable array of strings.

#include "framework/Array.h"
#include "framework/String.h"

class CStringArray : public CArray<CString, const CString&> {};
