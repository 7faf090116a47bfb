#pragma once
// The teacher program's message boxes as its features use them: one call
// each for a warning (plain or with the help sentence), a notice and a
// question, and one to close an open box from elsewhere.

#include "framework/Framework.h"

namespace kq {

// Warning N: the warning box with string N, whose confirm button opens the
// help page of N when it has one. Returns the box's DoModal result.
INT_PTR ShowWarning(UINT stringId);
// The warning box with a text the caller built; its confirm button opens the
// help page of `helpId` when that has one.
INT_PTR ShowWarningText(const char* text, UINT helpId = 0);
// Warning N with the help sentence: string N, a line break and the sentence
// that sends the user to item `item` of the help pages' common problems; the
// confirm button opens the help page of N.
INT_PTR ShowWarningWithHelp(UINT stringId, int item);
// The same, naming the item of N's own help page (57499 opens "24.htm": 24);
// warning N alone when N has no page.
INT_PTR ShowWarningWithHelp(UINT stringId);
// Notice N: string N on the notice background, no help page.
INT_PTR ShowNotice(UINT stringId);
// The yes/no question string N, or a text built by the caller: true for yes.
bool AskYesNo(UINT stringId);
bool AskYesNo(const CString& question);
// Posts WM_CLOSE to the top-level window titled `title` (a box's fixed
// title), once more when the first post fails. False when there is no such
// window or neither post went through.
bool CloseBoxByTitle(const char* title);

} // namespace kq
