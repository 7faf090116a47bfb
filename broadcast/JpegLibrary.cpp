#include "broadcast/JpegLibrary.h"

#include "broadcast/JpegBlockDecoder.h"
#include "broadcast/MirageEngineState.h"

#include <mutex>

namespace {

constexpr char kJpegLibraryName[] = "ijl11.dll";

template <typename Proc>
Proc Entry(HMODULE module, unsigned ordinal)
{
    FARPROC proc = GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(proc));
}

} // namespace

CJpegLibrary& JpegLibrary()
{
    static CJpegLibrary library;
    return library;
}

bool CJpegLibrary::Load()
{
    // The sender and the receive thread may both be first.
    static std::mutex loading;
    const std::lock_guard<std::mutex> lock(loading);
    if (m_module == nullptr) {
        m_module = LoadLibraryA(kJpegLibraryName);
        if (m_module == nullptr)
            return false;
        m_init = Entry<IjlInitProc>(m_module, kIjlInitOrdinal);
        m_free = Entry<IjlFreeProc>(m_module, kIjlFreeOrdinal);
        m_write = Entry<IjlWriteProc>(m_module, kIjlWriteOrdinal);
        m_read = Entry<IjlReadProc>(m_module, kIjlReadOrdinal);
    }
    return m_init != nullptr && m_free != nullptr && m_write != nullptr;
}

bool DecodeJpegWithLibrary(const uint8_t* stream, size_t length, uint8_t* out, size_t capacity, uint32_t width,
                           uint32_t height, uint16_t quality)
{
    CJpegLibrary& library = JpegLibrary();
    if (!library.Load() || !library.CanRead())
        return false;
    IjlEntries ijl;
    ijl.init = [&library](JPEG_CORE_PROPERTIES* p) { return library.Init(p); };
    ijl.free = [&library](JPEG_CORE_PROPERTIES* p) { return library.Free(p); };
    ijl.read = [&library](JPEG_CORE_PROPERTIES* p, int32_t io) {
        return EngineState().engineActive ? library.Read(p, io) : IJL_BAD_PARAMETER;
    };
    return DecodeJpegBlock(ijl, stream, length, out, capacity, width, height, quality);
}
