#pragma once
// The teacher's web link list: the site names that the students' link lists
// show, in the order the web site list dialog gave them. The dialog changes
// it on the user-interface thread while the link-list sender walks a copy on
// its own thread, so every access takes the list's lock. Rows of the dialog
// keep a handle to their entry: it stays valid through renames and until the
// entry is removed or the list cleared. Portable.

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace kq {

class LinkList {
public:
    using Handle = uint32_t;
    static constexpr Handle kNoEntry = 0;

    // Appends `name` and returns its entry's handle.
    Handle Add(const std::string& name);
    // The first entry whose name equals `name` without regard to the case of
    // ASCII letters (CP936 characters compare exactly), or kNoEntry.
    Handle Find(const std::string& name) const;
    // Find, or Add when nothing is found.
    Handle FindOrAdd(const std::string& name);
    // False when the entry is gone.
    bool Rename(Handle entry, const std::string& name);
    bool Remove(Handle entry);
    void Clear();

    // The entry's name; empty when it is gone.
    std::string Name(Handle entry) const;
    // Every name in list order, copied under the lock.
    std::vector<std::string> Names() const;
    size_t Size() const;

private:
    struct Entry {
        Handle handle;
        std::string name;
    };
    // Callers hold m_lock.
    std::vector<Entry>::iterator At(Handle entry);
    std::vector<Entry>::const_iterator At(Handle entry) const;

    mutable std::mutex m_lock;
    std::vector<Entry> m_entries;
    Handle m_lastHandle = kNoEntry;
};

} // namespace kq
