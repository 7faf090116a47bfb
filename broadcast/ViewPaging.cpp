#include "broadcast/ViewPaging.h"

#include <algorithm>

namespace {

constexpr uint16_t kOneStation = 1;
constexpr uint16_t kMultiView = 2;

int32_t Views(const MiragePaging& p)
{
    return std::clamp<int32_t>(p.maxViews, 1, static_cast<int32_t>(kPagingMaxViews));
}

int32_t Count(const MiragePaging& p)
{
    return std::min<int32_t>(p.idCount, static_cast<int32_t>(kPagingMaxIds));
}

// The first id of the last page.
int32_t LastPageStart(const MiragePaging& p)
{
    const int32_t rest = Count(p) % Views(p);
    return rest != 0 ? Count(p) - rest : std::max(0, Count(p) - Views(p));
}

// Fills the page that starts at cyclePos; the watched view becomes its last.
void FillPage(MiragePaging& p)
{
    const int32_t views = Views(p);
    p.visibleCount = 0;
    for (int32_t i = 0; i < views && p.cyclePos + i < Count(p); ++i) {
        p.visibleIds[i] = p.ids[p.cyclePos + i];
        p.viewStationIds[i] = p.visibleIds[i];
        p.pagePos = i;
        p.visibleCount = i + 1;
    }
    for (int32_t i = p.visibleCount; i < static_cast<int32_t>(kPagingMaxViews); ++i) {
        p.visibleIds[i] = 0;
        p.viewStationIds[i] = 0;
    }
    p.currentView = p.pagePos;
}

void StepPage(MiragePaging& p, bool forward)
{
    if (forward) {
        p.cyclePos += Views(p);
        if (p.cyclePos >= Count(p))
            p.cyclePos = 0;
    } else {
        p.cyclePos -= Views(p);
        if (p.cyclePos < 0)
            p.cyclePos = LastPageStart(p);
    }
    FillPage(p);
}

bool Page(MiragePaging& p, bool forward)
{
    if (Count(p) == 0)
        return false;
    if (p.idListMode == kOneStation) {
        p.cyclePos = std::clamp(p.cyclePos, 0, Count(p) - 1);
        p.cyclePos = forward ? (p.cyclePos + 1) % Count(p) : (p.cyclePos + Count(p) - 1) % Count(p);
        p.watchedId = p.ids[p.cyclePos];
        p.viewStationIds[p.currentView % kPagingMaxViews] = p.watchedId;
        return true;
    }
    if (p.idListMode != kMultiView)
        return false;
    if (!p.zoomed) {
        StepPage(p, forward);
        return true;
    }
    const bool morePages = Count(p) > Views(p);
    if (forward) {
        if (++p.pagePos >= p.visibleCount) {
            if (morePages)
                StepPage(p, true);
            p.pagePos = 0;
        }
    } else if (--p.pagePos < 0) {
        if (morePages)
            StepPage(p, false);
        p.pagePos = p.visibleCount - 1;
    }
    p.currentView = p.pagePos;
    p.watchedId = p.visibleIds[p.pagePos];
    return true;
}

} // namespace

void StartPaging(MiragePaging& p)
{
    p.cyclePos = 0;
    p.currentView = 0;
    p.zoomed = false;
    p.visibleCount = std::min(Count(p), Views(p));
    for (int32_t i = 0; i < static_cast<int32_t>(kPagingMaxViews); ++i) {
        p.visibleIds[i] = i < p.visibleCount ? p.ids[i] : 0;
        p.viewStationIds[i] = p.visibleIds[i];
    }
    p.pagePos = std::max(0, p.visibleCount - 1);
    if (p.idListMode == kOneStation && Count(p) > 0) {
        p.watchedId = p.ids[0];
        p.viewStationIds[0] = p.watchedId;
    }
}

bool NextWatchRequest(MiragePaging& p, bool advance)
{
    if (Count(p) == 0)
        return false;
    if (p.idListMode == kOneStation) {
        p.cyclePos = std::clamp(p.cyclePos, 0, Count(p) - 1);
        p.watchedId = p.ids[p.cyclePos];
        return true;
    }
    if (p.idListMode != kMultiView || p.visibleCount <= 0)
        return false;
    if (!p.zoomed) {
        if (advance)
            ++p.currentView;
        if (p.currentView >= p.visibleCount)
            p.currentView = 0;
        if (++p.pagePos >= p.visibleCount)
            p.pagePos = 0;
    }
    p.pagePos = std::clamp(p.pagePos, 0, p.visibleCount - 1);
    p.watchedId = p.visibleIds[p.pagePos];
    return true;
}

bool PageNext(MiragePaging& p) { return Page(p, true); }
bool PagePrevious(MiragePaging& p) { return Page(p, false); }
