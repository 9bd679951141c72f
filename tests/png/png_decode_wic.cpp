// Decoding through the system's own imaging service.
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

DecodedPng decodePng(const std::vector<uint8_t>& bytes, int channels) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Held<IWICImagingFactory> factory;
    Held<IWICBitmapDecoder> decoder;
    Held<IWICBitmapFrameDecode> frame;
    Held<IWICBitmapSource> converted;
    Held<IStream> stream{SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size()))};
    UINT width = 0, height = 0;
    const GUID format = channels == 4 ? GUID_WICPixelFormat32bppRGBA : GUID_WICPixelFormat24bppRGB;
    if (!stream.p ||
        FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&factory.p))) ||
        FAILED(factory.p->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand,
                                                  &decoder.p)) ||
        FAILED(decoder.p->GetFrame(0, &frame.p)) ||
        FAILED(WICConvertBitmapSource(format, frame.p, &converted.p)) ||
        FAILED(converted.p->GetSize(&width, &height)))
        return {};
    std::vector<uint8_t> pixels(size_t(width) * height * channels);
    if (FAILED(converted.p->CopyPixels(nullptr, width * channels, static_cast<UINT>(pixels.size()),
                                       pixels.data())))
        return {};
    return DecodedPng{static_cast<int>(width), static_cast<int>(height), pixels};
}
