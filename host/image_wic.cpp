// PNG files through the Windows Imaging Component.
#include "host/image.h"

#include <windows.h>
#include <wincodec.h>

#include <string>

namespace {

// Releases a COM interface when it goes out of scope.
template <typename T>
struct Com {
    T* p = nullptr;
    ~Com()
    {
        if (p)
            p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
};

std::wstring Wide(const std::string& s)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, nullptr, 0);
    std::wstring w(n > 0 ? static_cast<size_t>(n) : 1u, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, w.data(), n);
    return w;
}

bool Factory(Com<IWICImagingFactory>& factory, std::string& error)
{
    const HRESULT init = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (FAILED(init) && init != RPC_E_CHANGED_MODE) {
        error = "COM cannot start";
        return false;
    }
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(&factory)))) {
        error = "no imaging component";
        return false;
    }
    return true;
}

} // namespace

bool ReadPng(const std::string& path, Image& image, std::string& error)
{
    Com<IWICImagingFactory> factory;
    if (!Factory(factory, error))
        return false;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    Com<IWICBitmapSource> converted;
    const std::wstring wpath = Wide(path);
    if (FAILED(factory->CreateDecoderFromFilename(wpath.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) ||
        FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.p, &converted))) {
        error = "not a readable image";
        return false;
    }
    UINT w = 0, h = 0;
    converted->GetSize(&w, &h);
    if (w == 0 || h == 0 || w > 4096 || h > 4096) {
        error = "image size " + std::to_string(w) + "x" + std::to_string(h) + " is outside 1..4096";
        return false;
    }
    image.width = static_cast<int>(w);
    image.height = static_cast<int>(h);
    image.pixels.assign(static_cast<size_t>(w) * h, 0);
    if (FAILED(converted->CopyPixels(nullptr, w * 4, w * h * 4,
                                     reinterpret_cast<BYTE*>(image.pixels.data())))) {
        error = "cannot decode the image";
        return false;
    }
    for (uint32_t& p : image.pixels)
        p &= 0x00ffffffu;
    return true;
}

bool WritePng(const std::string& path, const Image& image, std::string& error)
{
    Com<IWICImagingFactory> factory;
    if (!Factory(factory, error))
        return false;
    Com<IWICStream> stream;
    Com<IWICBitmapEncoder> encoder;
    Com<IWICBitmapFrameEncode> frame;
    Com<IPropertyBag2> properties;
    const std::wstring wpath = Wide(path);
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
    const UINT stride = static_cast<UINT>(image.width) * 4;
    std::vector<uint32_t> pixels(image.pixels);
    if (FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromFilename(wpath.c_str(), GENERIC_WRITE))) {
        error = "cannot open the file for writing";
        return false;
    }
    if (FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) ||
        FAILED(encoder->Initialize(stream.p, WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, &properties)) ||
        FAILED(frame->Initialize(properties.p)) ||
        FAILED(frame->SetSize(static_cast<UINT>(image.width), static_cast<UINT>(image.height))) ||
        FAILED(frame->SetPixelFormat(&format)) ||
        FAILED(frame->WritePixels(static_cast<UINT>(image.height), stride,
                                  stride * static_cast<UINT>(image.height),
                                  reinterpret_cast<BYTE*>(pixels.data()))) ||
        FAILED(frame->Commit()) || FAILED(encoder->Commit())) {
        error = "cannot encode the image";
        return false;
    }
    return true;
}
