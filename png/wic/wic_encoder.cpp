// PNG through Windows Imaging Component: its PNG encoder writes into a memory stream. WIC
// takes blue first, so each row is turned round on the way in.
#include <windows.h>

#include <objidl.h>
#include <wincodec.h>

#include <cstdio>
#include <cstring>

#include "png/png_encoder.h"

namespace {
// COM for this thread while one picture is encoded; the game's thread may have it already.
struct ComUse {
    bool started = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    ~ComUse() {
        if (started) CoUninitialize();
    }
};

template <typename T> void release(T*& object) {
    if (object) object->Release();
    object = nullptr;
}

// Each piece the encoder needs, released at the end whatever happened.
struct WicEncoding {
    IWICImagingFactory* factory  = nullptr;
    IStream* stream              = nullptr;
    IWICBitmapEncoder* encoder   = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    IPropertyBag2* options       = nullptr;
    ~WicEncoding() {
        release(options);
        release(frame);
        release(encoder);
        release(stream);
        release(factory);
    }
};

bool failed(HRESULT result, const char* step, char problem[PNG_PROBLEM_SIZE]) {
    if (SUCCEEDED(result)) return false;
    std::snprintf(problem, PNG_PROBLEM_SIZE, "the system's PNG encoder failed to %s (0x%08lx)",
                  step, static_cast<unsigned long>(result));
    return true;
}

// RGB(A) rows into BGR(A) rows, the same size.
std::vector<uint8_t> blueFirst(const PngPicture& picture) {
    const size_t channels = static_cast<size_t>(picture.channels);
    const size_t size =
        static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) * channels;
    std::vector<uint8_t> bgr(picture.pixels, picture.pixels + size);
    for (size_t at = 0; at < size; at += channels)
        std::swap(bgr[at], bgr[at + 2]);
    return bgr;
}

// The stream's bytes, from its start to where the encoder left it.
bool streamBytes(IStream* stream, std::vector<uint8_t>* bytes, char problem[PNG_PROBLEM_SIZE]) {
    ULARGE_INTEGER end{};
    const LARGE_INTEGER start{};
    if (failed(stream->Seek(start, STREAM_SEEK_CUR, &end), "measure its output", problem))
        return false;
    if (failed(stream->Seek(start, STREAM_SEEK_SET, nullptr), "rewind its output", problem))
        return false;
    bytes->resize(static_cast<size_t>(end.QuadPart));
    ULONG read         = 0;
    const HRESULT done = stream->Read(bytes->data(), static_cast<ULONG>(bytes->size()), &read);
    return !failed(read == bytes->size() ? done : E_FAIL, "hand back its output", problem);
}
} // namespace

bool systemEncodePng(const PngPicture& picture, std::vector<uint8_t>* bytes,
                     char problem[PNG_PROBLEM_SIZE]) {
    const ComUse com;
    WicEncoding e;
    const bool alpha          = picture.channels == PngChannels::RGBA;
    WICPixelFormatGUID format = alpha ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR;
    const WICPixelFormatGUID asked = format;
    std::vector<uint8_t> rows      = blueFirst(picture);
    const UINT stride = static_cast<UINT>(picture.width) * static_cast<UINT>(picture.channels);
    if (failed(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&e.factory)),
               "start", problem) ||
        failed(CreateStreamOnHGlobal(nullptr, TRUE, &e.stream), "get memory", problem) ||
        failed(e.factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &e.encoder), "open",
               problem) ||
        failed(e.encoder->Initialize(e.stream, WICBitmapEncoderNoCache), "begin", problem) ||
        failed(e.encoder->CreateNewFrame(&e.frame, &e.options), "make a frame", problem) ||
        failed(e.frame->Initialize(e.options), "begin the frame", problem) ||
        failed(
            e.frame->SetSize(static_cast<UINT>(picture.width), static_cast<UINT>(picture.height)),
            "size the frame", problem) ||
        failed(e.frame->SetPixelFormat(&format), "take the pixels' format", problem) ||
        failed(IsEqualGUID(format, asked) ? S_OK : E_INVALIDARG, "keep the pixels' format",
               problem) ||
        failed(e.frame->WritePixels(static_cast<UINT>(picture.height), stride,
                                    static_cast<UINT>(rows.size()), rows.data()),
               "take the pixels", problem) ||
        failed(e.frame->Commit(), "finish the frame", problem) ||
        failed(e.encoder->Commit(), "finish the file", problem))
        return false;
    return streamBytes(e.stream, bytes, problem);
}
