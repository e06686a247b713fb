// Picture decoding through the Windows Imaging Component.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
#include <wincodec.h>

#include <cstring>

#include "picture/raster.hpp"

namespace velloran::detail {
namespace {

template <class T>
struct Com {
    T* p = nullptr;
    Com() = default;
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com() {
        if (p) p->Release();
    }
    T** out() { return &p; }
    T* operator->() const { return p; }
};

// COM for this thread while decoding, unless the host has started it already.
struct ComScope {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ComScope() {
        if (SUCCEEDED(hr)) CoUninitialize();
    }
};

}  // namespace

bool decodeWithSystem(std::string_view file, RasterSink& sink) {
    if (file.empty() || file.size() > 0xFFFFFFFFu) return false;
    ComScope com;
    Com<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.out()))))
        return false;
    Com<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.out())) ||
        FAILED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(file.data())),
                                            static_cast<DWORD>(file.size()))))
        return false;
    Com<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand, decoder.out())))
        return false;
    Com<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.out()))) return false;
    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || !rasterFits(width, height)) return false;
    Com<IWICBitmapSource> bgra;
    if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.p, bgra.out()))) return false;
    const auto bitmap = sink.bitmap(width, height);
    if (!bitmap) return false;
    std::vector<BYTE> line(static_cast<std::size_t>(width) * 4);
    for (UINT y = 0; y < height; ++y) {
        WICRect rect{0, static_cast<INT>(y), static_cast<INT>(width), 1};
        if (FAILED(bgra->CopyPixels(&rect, width * 4, static_cast<UINT>(line.size()), line.data()))) return false;
        std::uint8_t* dst = bitmap->row(static_cast<std::int32_t>(y));
        for (UINT x = 0; x < width; ++x) {
            const BYTE* p = &line[x * 4];
            blendOnWhite(dst + x * 3, p[2], p[1], p[0], p[3]);
        }
    }
    return true;
}

}  // namespace velloran::detail
