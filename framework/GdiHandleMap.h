#pragma once
// Handle -> wrapper maps behind CGdiObject::FromHandle and CDC::FromHandle.
//
// Permanent entries are the C++ objects that own a handle (registered by
// Attach, removed by Detach); they are shared by every thread, since GDI
// objects may be used from any thread. Temporary entries are wrappers made on
// demand for handles that no object owns: they belong to the thread that asked
// for them, never own their handle, and live until that thread calls
// DeleteTemporaries (the message loop does when idle), the thread ends, or
// the map sweeps wrappers whose handle has died.

#include "framework/Win32.h"

#include <map>
#include <memory>
#include <mutex>
#include <typeindex>
#include <utility>

namespace kq {

template <class Handle, class Object>
class GdiHandleMap {
public:
    // `isAlive` tells whether a handle still names a live object; `release`
    // empties a temporary wrapper without freeing its handle.
    using AliveFn = bool (*)(Handle);
    using ReleaseFn = void (*)(Object&);

    GdiHandleMap(AliveFn isAlive, ReleaseFn release)
        : m_isAlive(isAlive), m_release(release), m_slot(::FlsAlloc(FreeTemporaries))
    {
    }
    GdiHandleMap(const GdiHandleMap&) = delete;
    GdiHandleMap& operator=(const GdiHandleMap&) = delete;

    void AddPermanent(Handle handle, Object* object)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_permanent[handle] = object;
    }

    // Removes the entry only when it still names `object` (another object
    // may have attached the same handle meanwhile).
    void RemovePermanent(Handle handle, Object* object)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_permanent.find(handle);
        if (it != m_permanent.end() && it->second == object)
            m_permanent.erase(it);
    }

    Object* FindPermanent(Handle handle)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_permanent.find(handle);
        return it == m_permanent.end() ? nullptr : it->second;
    }

    // The wrapper of class T for `handle`: the owning object when it is a T,
    // else this thread's temporary T, made on first use.
    template <class T>
    T* FromHandle(Handle handle)
    {
        if (handle == nullptr)
            return nullptr;
        if (T* owner = dynamic_cast<T*>(FindPermanent(handle)))
            return owner;

        Temporaries* slot = ThreadTemporaries(true);
        if (slot == nullptr)
            return nullptr;
        Temporaries& temps = *slot;
        const Key key{handle, std::type_index(typeid(T))};
        auto it = temps.wrappers.find(key);
        if (it != temps.wrappers.end())
            return static_cast<T*>(it->second.get());

        SweepDeadTemporaries(temps);
        auto wrapper = std::make_unique<T>();
        wrapper->AttachTemporary(handle);
        T* result = wrapper.get();
        temps.wrappers.emplace(key, std::move(wrapper));
        return result;
    }

    // Frees every temporary wrapper of the calling thread.
    void DeleteTemporaries()
    {
        Temporaries* temps = ThreadTemporaries(false);
        if (temps == nullptr)
            return;
        for (auto& entry : temps->wrappers)
            m_release(*entry.second);
        temps->wrappers.clear();
        temps->sweepAt = kFirstSweep;
    }

    // Frees every thread's temporaries and makes no more: called when the
    // module goes (process exit or DLL unload), so that no thread-exit
    // callback is left pointing into a module that is gone. The permanent
    // entries keep working for objects destroyed after that.
    void ReleaseTemporaries()
    {
        const DWORD slot = m_slot;
        m_slot = FLS_OUT_OF_INDEXES;
        if (slot != FLS_OUT_OF_INDEXES)
            ::FlsFree(slot);
    }

    // The map of a module: never destroyed (objects of static storage may
    // still detach from it at exit); its temporaries go with the module.
    static GdiHandleMap& Instance(AliveFn isAlive, ReleaseFn release)
    {
        static GdiHandleMap* map = new GdiHandleMap(isAlive, release);
        static struct Releaser {
            ~Releaser() { map->ReleaseTemporaries(); }
        } releaser;
        return *map;
    }

private:
    using Key = std::pair<Handle, std::type_index>;

    // Below this many temporaries nothing is swept; after a sweep the next
    // one waits until the map has doubled, so sweeping stays cheap.
    static constexpr size_t kFirstSweep = 64;

    struct Temporaries {
        explicit Temporaries(ReleaseFn releaseFn) : release(releaseFn) {}
        ~Temporaries()
        {
            for (auto& entry : wrappers)
                release(*entry.second);
        }
        std::map<Key, std::unique_ptr<Object>> wrappers;
        size_t sweepAt = kFirstSweep;
        ReleaseFn release;
    };

    // The calling thread's set, kept in a fiber-local slot whose callback
    // frees it when the thread ends (whoever made the thread).
    Temporaries* ThreadTemporaries(bool create)
    {
        if (m_slot == FLS_OUT_OF_INDEXES)
            return nullptr;
        auto* temps = static_cast<Temporaries*>(::FlsGetValue(m_slot));
        if (temps == nullptr && create) {
            temps = new Temporaries(m_release);
            ::FlsSetValue(m_slot, temps);
        }
        return temps;
    }

    static void WINAPI FreeTemporaries(void* temps)
    {
        delete static_cast<Temporaries*>(temps);
    }

    void SweepDeadTemporaries(Temporaries& temps)
    {
        if (temps.wrappers.size() < temps.sweepAt)
            return;
        for (auto it = temps.wrappers.begin(); it != temps.wrappers.end();) {
            if (m_isAlive(it->first.first)) {
                ++it;
                continue;
            }
            m_release(*it->second);
            it = temps.wrappers.erase(it);
        }
        temps.sweepAt = temps.wrappers.size() * 2 > kFirstSweep ? temps.wrappers.size() * 2 : kFirstSweep;
    }

    AliveFn m_isAlive;
    ReleaseFn m_release;
    DWORD m_slot;
    std::mutex m_mutex;
    std::map<Handle, Object*> m_permanent;
};

} // namespace kq
