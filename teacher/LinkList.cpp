#include "teacher/LinkList.h"

#include "teacher/IniStore.h"

#include <algorithm>

namespace kq {

std::vector<LinkList::Entry>::iterator LinkList::At(Handle entry)
{
    return std::find_if(m_entries.begin(), m_entries.end(), [entry](const Entry& e) { return e.handle == entry; });
}

std::vector<LinkList::Entry>::const_iterator LinkList::At(Handle entry) const
{
    return std::find_if(m_entries.begin(), m_entries.end(), [entry](const Entry& e) { return e.handle == entry; });
}

LinkList::Handle LinkList::Add(const std::string& name)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (++m_lastHandle == kNoEntry)
        ++m_lastHandle; // after a wrap, handles still never read as "none"
    m_entries.push_back(Entry{m_lastHandle, name});
    return m_lastHandle;
}

LinkList::Handle LinkList::Find(const std::string& name) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    for (const Entry& entry : m_entries)
        if (CIniStore::EqualNoCase(entry.name, name))
            return entry.handle;
    return kNoEntry;
}

LinkList::Handle LinkList::FindOrAdd(const std::string& name)
{
    const Handle found = Find(name);
    return found != kNoEntry ? found : Add(name);
}

bool LinkList::Rename(Handle entry, const std::string& name)
{
    std::lock_guard<std::mutex> hold(m_lock);
    const auto at = At(entry);
    if (at == m_entries.end())
        return false;
    at->name = name;
    return true;
}

bool LinkList::Remove(Handle entry)
{
    std::lock_guard<std::mutex> hold(m_lock);
    const auto at = At(entry);
    if (at == m_entries.end())
        return false;
    m_entries.erase(at);
    return true;
}

void LinkList::Clear()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_entries.clear();
}

std::string LinkList::Name(Handle entry) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    const auto at = At(entry);
    return at == m_entries.end() ? std::string() : at->name;
}

std::vector<std::string> LinkList::Names() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    std::vector<std::string> names;
    names.reserve(m_entries.size());
    for (const Entry& entry : m_entries)
        names.push_back(entry.name);
    return names;
}

size_t LinkList::Size() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_entries.size();
}

} // namespace kq
