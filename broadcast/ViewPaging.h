#pragma once
// Which stations a monitoring viewer asks for and shows: the watch request
// of the decoder window and the next/previous paging of its views, as pure
// functions over the paging fields of the engine state.
//
// Id-list mode 1 shows one station at a time out of `ids`; mode 2 shows a
// page of up to `maxViews` stations in a grid, optionally zoomed onto one
// of them. A list without ids asks for nothing and does not page.

#include <cstddef>
#include <cstdint>

inline constexpr size_t kPagingMaxIds = 160;
inline constexpr size_t kPagingMaxViews = 16;

struct MiragePaging {
    uint16_t idListMode = 0; // 0 none, 1 one station, 2 multi-view
    uint16_t idCount = 0;
    uint8_t ids[kPagingMaxIds] = {};
    uint16_t maxViews = 4;
    bool zoomed = false;
    int32_t visibleCount = 0;
    uint8_t visibleIds[kPagingMaxViews] = {};
    int32_t pagePos = 0;
    int32_t cyclePos = 0;
    int32_t currentView = 0;
    uint8_t watchedId = 0;
    // Station id of each view of the grid (0: an empty view).
    uint8_t viewStationIds[kPagingMaxViews] = {};
};

// The first page, as a mode starts: visibleCount = min(idCount, maxViews),
// its ids, pagePos = visibleCount - 1, cyclePos 0, currentView 0; in mode 1
// the watched id is the first id.
void StartPaging(MiragePaging& p);

// The watch request (wParam 1: ask again without advancing). True when a
// request for `watchedId` is to be sent.
bool NextWatchRequest(MiragePaging& p, bool advance);

// Next and previous page (or station, or zoomed view). False when there was
// nothing to page.
bool PageNext(MiragePaging& p);
bool PagePrevious(MiragePaging& p);
