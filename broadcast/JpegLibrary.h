#pragma once
// ijl11.dll, loaded on first use from the host's search path and called by
// ordinal, as the JPEG interface is published.

#include "standins/ijl11/JpegProperties.h"

#include "framework/Framework.h"

class CJpegLibrary {
public:
    // False when the library or one of its entries is missing.
    bool Load();
    int32_t Init(JPEG_CORE_PROPERTIES* p) const { return m_init != nullptr ? m_init(p) : IJL_INVALID_ENCODER; }
    int32_t Free(JPEG_CORE_PROPERTIES* p) const { return m_free != nullptr ? m_free(p) : IJL_INVALID_ENCODER; }
    int32_t Write(JPEG_CORE_PROPERTIES* p, int32_t io) const
    {
        return m_write != nullptr ? m_write(p, io) : IJL_INVALID_ENCODER;
    }

    int32_t Read(JPEG_CORE_PROPERTIES* p, int32_t io) const
    {
        return m_read != nullptr ? m_read(p, io) : IJL_INVALID_ENCODER;
    }
    bool CanRead() const { return m_read != nullptr; }

private:
    HMODULE m_module = nullptr;
    IjlReadProc m_read = nullptr;
    IjlInitProc m_init = nullptr;
    IjlFreeProc m_free = nullptr;
    IjlWriteProc m_write = nullptr;
};

CJpegLibrary& JpegLibrary();

// Decodes one JPEG block with the library into 24-bit bottom-up rows (the
// receive path's and the player's decoder). The whole image is read only
// while a mode is on.
bool DecodeJpegWithLibrary(const uint8_t* stream, size_t length, uint8_t* out, size_t capacity, uint32_t width,
                           uint32_t height, uint16_t quality);
