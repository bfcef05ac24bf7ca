// Content object pictures: loading the picture file, and drawing the object into a box.
#include "framework/FrameworkIds.h"
#include "framework/Prompt.h"
#include "library/ContentLayout.h"
#include "library/Cp1252.h"
#include "library/Dib.h"
#include "library/IniFile.h"
#include "library/KvoraObject.h"
#include "library/MediaFiles.h"
#include "library/PictureLoad.h"
#include "library/resource.h"
#include <cstdlib>
#include <vector>

namespace {

std::string WindowsFolder()
{
    std::vector<char> buffer(MAX_PATH);
    UINT length = ::GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = ::GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    }
    return std::string(buffer.data(), length < buffer.size() ? length : 0);
}

// Whether the file lies in the metafile picture library: the folder that [ProgDir] Dir of
// vireda.ini names. Pictures of that library carry their word in a black band of their own.
bool IsInPictureLibrary(const std::string& path)
{
    const std::string folder = ini::ReadString(WindowsFolder() + "\\vireda.ini", "ProgDir", "Dir");
    return !folder.empty() && cp1252::StartsWithNoCase(path, folder);
}

bool IsEmpty(const RECT& rect)
{
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

} // namespace

void CKvoraObject::LoadPicture(const std::shared_ptr<PictureControl>& control, COLORREF background, int testLibrary,
                               SIZE maximum)
{
    FreePicture();
    pictureSize_ = RECT{0, 0, 0, 0};
    if (!control)
        return;
    control->SetBackColor(background);
    if (picturePath_.empty() || !FileExists(picturePath_))
        return;
    if (testLibrary)
        libraryPicture_ = IsInPictureLibrary(picturePath_) ? 1 : 0;

    if (media::IsMetafileExtension(ExtensionOf(picturePath_))) {
        if (metafile_.Load(picturePath_) == WMF::Loaded)
            pictureSize_ = RECT{0, 0, std::abs(metafile_.GetWidth()), std::abs(metafile_.GetHeight())};
        else
            metafile_.Clear();
        return;
    }

    HGLOBAL dib = LoadScaledDib(*control, picturePath_, background, maximum);
    if (!dib) {
        fw::ShowMessage(::GetActiveWindow(), IDS_PICTURE_CANNOT_VIEW, IDS_FW_ERROR_CAPTION,
                        MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    dib_ = dib;
    pictureSize_ = RECT{0, 0, DibWidth(dib_), DibHeight(dib_)};
    // A DIB without a colour table needs no palette; the palette is left empty then.
    CreateDibPalette(dib_, palette_);
}

void CKvoraObject::Draw(HDC dc, const RECT& box, int centreVertically, int showLabel, int fillWhite) const
{
    if (!shown_ || IsEmpty(box))
        return;
    if (fillWhite) {
        fw::Brush white(::CreateSolidBrush(RGB(255, 255, 255)));
        ::FillRect(dc, &box, white);
    }

    content_layout::LayoutInput input;
    input.labelLength = showLabel ? label_.size() : 0;
    input.libraryPicture = libraryPicture_ != 0;
    if (HasPicture() && !::IsRectEmpty(&pictureSize_))
        input.picture = SIZE{pictureSize_.right - pictureSize_.left, pictureSize_.bottom - pictureSize_.top};
    input.centreVertically = centreVertically != 0;
    const content_layout::Layout layout = content_layout::LayOut(box, input);

    if (!IsEmpty(layout.picture)) {
        if (metafile_.IsLoaded())
            metafile_.Draw(dc, layout.picture);
        else
            PaintDib(dc, layout.picture, dib_, RECT{0, 0, DibWidth(dib_), DibHeight(dib_)}, palette_.Get());
    }
    const bool onLibraryBand = !IsEmpty(layout.libraryBand);
    if (onLibraryBand) {
        fw::Brush black(::CreateSolidBrush(RGB(0, 0, 0)));
        ::FillRect(dc, &layout.libraryBand, black);
    }
    if (!IsEmpty(layout.label) && layout.fontHeight >= 1)
        DrawLabel(dc, layout.label, layout.fontHeight, onLibraryBand);

    if (crossed_) {
        const RECT& area = layout.crossArea;
        const int t = (area.bottom - area.top) / 20;
        fw::Pen pen(::CreatePen(PS_SOLID, t, RGB(127, 127, 127)));
        fw::SelectObjectGuard selected(dc, pen);
        ::MoveToEx(dc, area.left + t, area.top + t, nullptr);
        ::LineTo(dc, area.right - t, area.bottom - t);
        ::MoveToEx(dc, area.left + t, area.bottom - t, nullptr);
        ::LineTo(dc, area.right - t, area.top + t);
    }
}

// The label in Arial, as large as its band allows and shrunk until it fits across, written
// centred at the band's top and clipped to the band.
void CKvoraObject::DrawLabel(HDC dc, RECT label, int height, bool onLibraryBand) const
{
    auto makeFont = [](int fontHeight) {
        return fw::Font(::CreateFontA(fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      VARIABLE_PITCH | FF_SWISS, "Arial"));
    };
    const int length = static_cast<int>(label_.size());
    height = content_layout::ShrinkLabelFont(height, label.right - label.left, [&](int fontHeight) {
        fw::Font font = makeFont(fontHeight);
        fw::SelectObjectGuard selected(dc, font);
        RECT area = label;
        ::DrawTextA(dc, label_.c_str(), length, &area,
                    DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        return static_cast<int>(area.right - area.left);
    });

    fw::Font font = makeFont(height);
    HGDIOBJ previousFont = ::SelectObject(dc, font);
    const bool white = onLibraryBand && (!code_.empty() || !picturePath_.empty());
    const COLORREF previousColour = ::SetTextColor(dc, white ? RGB(255, 255, 255) : RGB(0, 0, 0));
    const int previousMode = ::SetBkMode(dc, TRANSPARENT);
    const UINT previousAlign = ::SetTextAlign(dc, TA_CENTER | TA_TOP);
    ::ExtTextOutA(dc, label.left + (label.right - label.left) / 2, label.top, ETO_CLIPPED, &label, label_.c_str(),
                  static_cast<UINT>(length), nullptr);
    ::SetTextAlign(dc, previousAlign);
    ::SetBkMode(dc, previousMode);
    ::SetTextColor(dc, previousColour);
    ::SelectObject(dc, previousFont);
}
