#pragma once
// A process-wide, thread-safe map from a handle to its permanent object
// (internal). Windows are used across threads (the broadcast engine posts
// and looks windows up from its worker threads), so every access locks.

#include <mutex>
#include <unordered_map>

template <class Handle, class Object>
class CHandleMap {
public:
    Object* Lookup(Handle h) const
    {
        std::lock_guard<std::mutex> lock(m_lock);
        auto it = m_map.find(h);
        return it == m_map.end() ? nullptr : it->second;
    }
    void SetAt(Handle h, Object* object)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_map[h] = object;
    }
    // Removes the entry only while it still names `object`.
    void RemoveIf(Handle h, const Object* object)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        auto it = m_map.find(h);
        if (it != m_map.end() && it->second == object)
            m_map.erase(it);
    }
    template <class Fn>
    Object* FindIf(Fn fn) const
    {
        std::lock_guard<std::mutex> lock(m_lock);
        for (const auto& entry : m_map) {
            if (fn(entry.first, entry.second))
                return entry.second;
        }
        return nullptr;
    }

private:
    mutable std::mutex m_lock;
    std::unordered_map<Handle, Object*> m_map;
};
