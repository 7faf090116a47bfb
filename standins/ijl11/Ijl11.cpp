// ijl11.dll: the JPEG interface the screen broadcast engine calls, whole
// images in memory only, over libjpeg-turbo. Called for every frame, so it
// writes no trace.

#include "standins/ijl11/JpegCodec.h"

extern "C" {

__declspec(dllexport) int32_t ijlInit(JPEG_CORE_PROPERTIES* properties)
{
    return properties == nullptr ? IJL_BAD_PARAMETER : kq::ijl::Init(*properties);
}

__declspec(dllexport) int32_t ijlFree(JPEG_CORE_PROPERTIES* properties)
{
    return properties == nullptr ? IJL_BAD_PARAMETER : kq::ijl::Free(*properties);
}

__declspec(dllexport) int32_t ijlRead(JPEG_CORE_PROPERTIES* properties, int32_t ioType)
{
    return properties == nullptr ? IJL_BAD_PARAMETER : kq::ijl::Read(*properties, ioType);
}

__declspec(dllexport) int32_t ijlWrite(JPEG_CORE_PROPERTIES* properties, int32_t ioType)
{
    return properties == nullptr ? IJL_BAD_PARAMETER : kq::ijl::Write(*properties, ioType);
}

} // extern "C"
