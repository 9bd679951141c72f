// Decoding through the system's own imaging service, every picture converted to RGBA.
#include <windows.h>

#include <shlwapi.h>
#include <wincodec.h>

#include "tests/png/png_decode.h"

namespace {
template <typename T> struct Held {
    T* p = nullptr;
    ~Held() {
        if (p) p->Release();
    }
};
} // namespace

DecodedPng decodePng(const std::vector<uint8_t>& bytes) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    DecodedPng out;
    Held<IWICImagingFactory> factory;
    Held<IStream> stream;
    Held<IWICBitmapDecoder> decoder;
    Held<IWICBitmapFrameDecode> frame;
    Held<IWICBitmapSource> rgba;
    UINT width = 0, height = 0;
    stream.p = SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size()));
    if (!stream.p ||
        FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&factory.p))) ||
        FAILED(factory.p->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand,
                                                  &decoder.p)) ||
        FAILED(decoder.p->GetFrame(0, &frame.p)) ||
        FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppRGBA, frame.p, &rgba.p)) ||
        FAILED(rgba.p->GetSize(&width, &height)))
        return out;
    std::vector<uint8_t> pixels(size_t(width) * height * 4);
    if (FAILED(rgba.p->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size()),
                                  pixels.data())))
        return out;
    out.width  = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.rgba   = pixels;
    return out;
}
