// GDI+ through its flat interface.
#include "components/GdiPlusCodec.h"
#include "components/PictureHeader.h"
#include <objbase.h>
#include <gdiplus.h>
#include <algorithm>
#include <cstring>
#include <new>
#include <memory>
#include <vector>

namespace codec {

namespace api = Gdiplus::DllExports;

namespace {

// {1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}: the JPEG encoder's quality parameter.
const GUID kEncoderQuality = {0x1d5be4b5, 0xfa4a, 0x452d, {0x9c, 0xdd, 0x5d, 0xb3, 0x51, 0x05, 0xe7, 0xeb}};

struct BitmapDeleter {
    void operator()(Gdiplus::GpBitmap* bitmap) const { api::GdipDisposeImage(bitmap); }
};
using BitmapHolder = std::unique_ptr<Gdiplus::GpBitmap, BitmapDeleter>;

// A read-only stream over a copy of the file's bytes. The system's stream on global memory reads
// past its end after a seek beyond it (Wine), which a damaged TIFF's directory offset asks for;
// this one answers such reads with no bytes.
class MemoryStream final : public IStream {
public:
    MemoryStream(const std::uint8_t* data, size_t size) : bytes_(data, data + size) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_ISequentialStream || iid == IID_IStream) {
            *object = static_cast<IStream*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG wanted, ULONG* read) override
    {
        ULONG count = 0;
        if (position_ < bytes_.size())
            count = static_cast<ULONG>(std::min<std::uint64_t>(wanted, bytes_.size() - position_));
        if (count)
            std::memcpy(buffer, bytes_.data() + position_, count);
        position_ += count;
        if (read)
            *read = count;
        return count == wanted ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return STG_E_ACCESSDENIED; }
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override
    {
        LONGLONG base = 0;
        if (origin == STREAM_SEEK_CUR)
            base = static_cast<LONGLONG>(position_);
        else if (origin == STREAM_SEEK_END)
            base = static_cast<LONGLONG>(bytes_.size());
        else if (origin != STREAM_SEEK_SET)
            return STG_E_INVALIDFUNCTION;
        const LONGLONG target = base + move.QuadPart;
        if (target < 0)
            return STG_E_INVALIDFUNCTION;
        position_ = static_cast<std::uint64_t>(target);
        if (newPosition)
            newPosition->QuadPart = position_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return STG_E_ACCESSDENIED; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Revert() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override
    {
        return STG_E_INVALIDFUNCTION;
    }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override
    {
        return STG_E_INVALIDFUNCTION;
    }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD) override
    {
        if (!stat)
            return STG_E_INVALIDPOINTER;
        *stat = STATSTG{};
        stat->type = STGTY_STREAM;
        stat->cbSize.QuadPart = bytes_.size();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

private:
    ~MemoryStream() = default;

    std::vector<std::uint8_t> bytes_;
    std::uint64_t position_ = 0;
    LONG references_ = 1;
};

struct StreamReleaser {
    void operator()(IStream* stream) const { stream->Release(); }
};

bool FindEncoder(const wchar_t* mimeType, CLSID& encoder)
{
    UINT count = 0, size = 0;
    if (api::GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0)
        return false;
    std::vector<std::uint8_t> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (api::GdipGetImageEncoders(count, size, codecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].MimeType && ::lstrcmpiW(codecs[i].MimeType, mimeType) == 0) {
            encoder = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

inline std::uint32_t Blend(std::uint32_t argb, std::uint32_t background)
{
    const std::uint32_t alpha = argb >> 24;
    if (alpha == 255)
        return argb & 0xFFFFFF;
    std::uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t front = (argb >> shift) & 0xFF, back = (background >> shift) & 0xFF;
        result |= ((front * alpha + back * (255 - alpha) + 127) / 255) << shift;
    }
    return result;
}

} // namespace

bool Start()
{
    // Started once and never shut down: pictures are decoded until the program ends, and shutting
    // GDI+ down from a static destructor races with the system's own clean-up.
    static const bool started = [] {
        Gdiplus::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    return started;
}

std::wstring WidePath(const std::string& path)
{
    if (path.empty())
        return std::wstring();
    int length = ::MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), &wide[0], length);
    return wide;
}

bool Decode(const std::uint8_t* data, size_t size, COLORREF background, PixelImage& out)
{
    out.Clear();
    if (!Start() || !data || size == 0)
        return false;
    // A picture larger than we take on is refused before the system decodes it: GDI+ decodes the
    // whole picture when the bitmap is made, and 64-bit Wine's JPEG decoder writes outside its buffer
    // once a picture's bytes pass 2 GB.
    std::uint32_t claimedWidth = 0, claimedHeight = 0;
    if (picture_header::ClaimedSize(data, size, claimedWidth, claimedHeight) &&
        std::uint64_t(claimedWidth) * claimedHeight > std::uint64_t(PixelImage::kMaxPixels))
        return false;

    // The decoder reads from a stream over a copy it owns, so the file itself is never held open
    // (a picture may be saved over the file it came from).
    std::unique_ptr<IStream, StreamReleaser> stream;
    try {
        stream.reset(new MemoryStream(data, size));
    } catch (const std::bad_alloc&) {
        return false;
    }

    Gdiplus::GpBitmap* rawBitmap = nullptr;
    if (api::GdipCreateBitmapFromStream(stream.get(), &rawBitmap) != Gdiplus::Ok || !rawBitmap)
        return false;
    BitmapHolder bitmap(rawBitmap);

    UINT width = 0, height = 0;
    if (api::GdipGetImageWidth(bitmap.get(), &width) != Gdiplus::Ok ||
        api::GdipGetImageHeight(bitmap.get(), &height) != Gdiplus::Ok || width == 0 || height == 0 ||
        width > 0x7FFFFFFF / 4 || height > 0x7FFFFFFF)
        return false;
    PixelImage image;
    if (!image.Reset(static_cast<int>(width), static_cast<int>(height)))
        return false;

    // Converted straight into our pixels, with the transparency still in the top byte.
    Gdiplus::BitmapData locked{};
    locked.Width = width;
    locked.Height = height;
    locked.Stride = static_cast<INT>(width * 4);
    locked.PixelFormat = PixelFormat32bppARGB;
    locked.Scan0 = image.Row(0);
    Gdiplus::GpRect area(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    if (api::GdipBitmapLockBits(bitmap.get(), &area, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                                PixelFormat32bppARGB, &locked) != Gdiplus::Ok)
        return false;
    api::GdipBitmapUnlockBits(bitmap.get(), &locked);

    const std::uint32_t back = (GetRValue(background) << 16) | (GetGValue(background) << 8) | GetBValue(background);
    for (int y = 0; y < image.Height(); ++y) {
        std::uint32_t* row = image.Row(y);
        for (int x = 0; x < image.Width(); ++x)
            row[x] = Blend(row[x], back);
    }
    out.Swap(image);
    return true;
}

bool Encode(const PixelImage& image, const wchar_t* mimeType, const std::string& path, int quality)
{
    CLSID encoder;
    if (!Start() || image.IsEmpty() || !FindEncoder(mimeType, encoder))
        return false;
    Gdiplus::GpBitmap* rawBitmap = nullptr;
    if (api::GdipCreateBitmapFromScan0(image.Width(), image.Height(), image.Width() * 4, PixelFormat32bppRGB,
                                       reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(image.Row(0))),
                                       &rawBitmap) != Gdiplus::Ok)
        return false;
    BitmapHolder bitmap(rawBitmap);

    ULONG qualityValue = static_cast<ULONG>(quality < 0 ? 0 : quality > 100 ? 100 : quality);
    Gdiplus::EncoderParameters parameters{};
    parameters.Count = 1;
    parameters.Parameter[0].Guid = kEncoderQuality;
    parameters.Parameter[0].NumberOfValues = 1;
    parameters.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
    parameters.Parameter[0].Value = &qualityValue;
    const bool jpeg = ::lstrcmpiW(mimeType, L"image/jpeg") == 0;
    return api::GdipSaveImageToFile(bitmap.get(), WidePath(path).c_str(), &encoder, jpeg ? &parameters : nullptr) ==
           Gdiplus::Ok;
}

} // namespace codec
