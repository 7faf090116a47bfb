#pragma once
// Typed double-byte characters for the system's edit fields. A character
// typed into a window of this (ANSI, code page 936) program reaches the
// message loop as two WM_CHAR messages, lead byte first. The edit field of
// the platform this suite is tested on converts each WM_CHAR on its own, so
// the pair would become two "?". The library's loops pass every message
// through here first: the pair goes into the field whole, as the text
// replacing its selection, which is what typing does.

#include "framework/Win32.h"

namespace kq {

// TRUE when the message was taken: a lead byte for a plain edit field kept
// until its trail byte comes, or the pair put into the field. Edit controls
// of classes derived from CEdit (numeric fields, ...) judge their own
// characters and get the bytes as they come; read-only fields take none.
BOOL JoinDoubleByteChar(const MSG& msg);

} // namespace kq
