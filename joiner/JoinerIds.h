#pragma once
// Resource numbers of the joiner that code outside its own dialogs passes on
// (joiner/KqGhost.tsv holds them all).

#include "widgets/AdapterSelectDlg.h"

namespace kq {

// The network adapter dialog: template 151 (combo 1000, close 1001),
// background 153, hand cursor 154.
inline constexpr AdapterSelectIds kJoinerAdapterIds = {151, 153, 1000, 1001, 154};

} // namespace kq
