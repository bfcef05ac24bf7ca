// The block record: copying, merging, hit tests, the automatic font size and loading its picture.
#include "store/Block.h"
#include "framework/Cursor.h"
#include "framework/Files.h"
#include "library/Cp1252.h"
#include "library/Dib.h"
#include "library/ImageBaseManager.h"
#include "library/IniFile.h"
#include "library/MediaFiles.h"
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

Block::Block(const Block& other)
{
    CopyStoredFields(other);
}

Block::Block(Block&& other) noexcept
{
    MoveStoredFields(other);
    TakePicture(other);
}

Block& Block::operator=(const Block& other)
{
    if (this != &other)
        CopyStoredFields(other);
    return *this;
}

Block& Block::operator=(Block&& other) noexcept
{
    if (this != &other) {
        MoveStoredFields(other);
        FreePicture();
        TakePicture(other);
    }
    return *this;
}

Block::~Block()
{
    FreePicture();
}

void Block::CopyStoredFields(const Block& other)
{
    id_ = other.id_;
    selected_ = other.selected_;
    cells_ = other.cells_;
    command_ = other.command_;
    repeat_ = other.repeat_;
    text_ = other.text_;
    picturePath_ = other.picturePath_;
    pictureCode_ = other.pictureCode_;
    textPosition_ = other.textPosition_;
    frameWidth_ = other.frameWidth_;
    centred_ = other.centred_;
    textColor_ = other.textColor_;
    backColor_ = other.backColor_;
    frameColor_ = other.frameColor_;
    cover_ = other.cover_;
    transparent_ = other.transparent_;
    ownFont_ = other.ownFont_;
    fontName_ = other.fontName_;
    fontStyle_ = other.fontStyle_;
    fontSize_ = other.fontSize_;
    roundFrame_ = other.roundFrame_;
    libraryPicture_ = other.libraryPicture_;
}

void Block::MoveStoredFields(Block& other) noexcept
{
    // The texts and the cells change hands; the numbers are copied.
    cells_ = std::move(other.cells_);
    command_ = std::move(other.command_);
    text_ = std::move(other.text_);
    picturePath_ = std::move(other.picturePath_);
    pictureCode_ = std::move(other.pictureCode_);
    fontName_ = std::move(other.fontName_);
    id_ = other.id_;
    selected_ = other.selected_;
    repeat_ = other.repeat_;
    textPosition_ = other.textPosition_;
    frameWidth_ = other.frameWidth_;
    centred_ = other.centred_;
    textColor_ = other.textColor_;
    backColor_ = other.backColor_;
    frameColor_ = other.frameColor_;
    cover_ = other.cover_;
    transparent_ = other.transparent_;
    ownFont_ = other.ownFont_;
    fontStyle_ = other.fontStyle_;
    fontSize_ = other.fontSize_;
    roundFrame_ = other.roundFrame_;
    libraryPicture_ = other.libraryPicture_;
}

// Moving hands the picture over whole, so an array that grows or closes a gap keeps its pictures.
void Block::TakePicture(Block& other)
{
    dib_ = other.dib_;
    other.dib_ = nullptr;
    palette_ = std::move(other.palette_);
    metafile_ = std::move(other.metafile_);
    pictureSize_ = other.pictureSize_;
    other.pictureSize_ = RECT{};
    dimmed_ = other.dimmed_;
}

void Block::FreePicture()
{
    if (dib_) {
        ::GlobalFree(dib_);
        dib_ = nullptr;
    }
    palette_.Reset();
    metafile_.reset();
    pictureSize_ = RECT{};
}

void Block::Reset()
{
    FreePicture();
    CopyStoredFields(Block());
    dimmed_ = 0;
}

void Block::CopyCommand(const Block& source)
{
    command_ = source.command_;
    repeat_ = source.repeat_;
    cells_ = source.cells_;
}

void Block::CopyLayout(const Block& source)
{
    text_ = source.text_;
    backColor_ = source.backColor_;
    cover_ = source.cover_;
    textColor_ = source.textColor_;
    frameColor_ = source.frameColor_;
    transparent_ = source.transparent_;
    frameWidth_ = source.frameWidth_;
    centred_ = source.centred_;
    picturePath_ = source.picturePath_;
    pictureCode_ = source.pictureCode_;
    ownFont_ = source.ownFont_;
    fontName_ = source.fontName_;
    fontStyle_ = source.fontStyle_;
    fontSize_ = source.fontSize_;
    textPosition_ = source.textPosition_;
    roundFrame_ = source.roundFrame_;
    libraryPicture_ = source.libraryPicture_;
}

void Block::CopyAppearance(const Block& source)
{
    // A library picture brings its own caption band: its colours and font are not a look to pass on.
    if (!source.libraryPicture_) {
        backColor_ = source.backColor_;
        cover_ = source.cover_;
        textColor_ = source.textColor_;
        frameColor_ = source.frameColor_;
        transparent_ = source.transparent_;
        frameWidth_ = source.frameWidth_;
        ownFont_ = source.ownFont_;
        fontName_ = source.fontName_;
        fontStyle_ = source.fontStyle_;
        fontSize_ = source.fontSize_;
        textPosition_ = source.textPosition_;
    }
    roundFrame_ = source.roundFrame_;
}

int Block::CopyCells(const std::vector<RECT>& cells)
{
    cells_.clear();
    cells_.insert(cells_.end(), cells.begin(), cells.end());
    return static_cast<int>(cells_.size());
}

int Block::HitTest(POINT cell) const
{
    for (const RECT& range : cells_) {
        if (cell.x >= range.left && cell.x <= range.right && cell.y >= range.top && cell.y <= range.bottom)
            return 1;
    }
    return 0;
}

bool Block::IsValidRange(const RECT& range)
{
    return range.left >= 0 && range.left <= range.right && range.right < kColumns && range.top >= 0
           && range.top <= range.bottom && range.bottom < kRows;
}

float Block::Scale(const RECT* cells, int cellHeightMm)
{
    // Pixels per point: the cell's height in millimetres times its height in pixels over 72 x 25.4.
    // Printouts and stored font sizes depend on this exact figure.
    const int pixelHeight = cells[0].bottom - cells[0].top;
    if (cellHeightMm <= 0 || pixelHeight <= 0)
        return 0.0f;
    return static_cast<float>(cellHeightMm * pixelHeight / 1828.8);
}

RECT Block::FullRect(const RECT& range, const RECT* cells)
{
    const RECT& first = cells[range.left + kColumns * range.top];
    const RECT& last = cells[range.right + kColumns * range.bottom];
    return RECT{first.left, first.top, last.right, last.bottom};
}

int Block::HitTestHandle(POINT point, const RECT* cells) const
{
    if (cells_.size() != 1 || !IsValidRange(cells_[0]))
        return fw::kNoHandle;
    const RECT r = FullRect(cells_[0], cells);
    const int x = point.x;
    const int y = point.y;
    const bool left = x >= r.left + 1 && x <= r.left + 6;
    const bool right = x >= r.right - 6 && x <= r.right - 1;
    const bool top = y >= r.top + 1 && y <= r.top + 6;
    const bool bottom = y >= r.bottom - 6 && y <= r.bottom - 1;
    const bool betweenX = x > r.left + 6 && x < r.right - 6;
    const bool betweenY = y > r.top + 6 && y < r.bottom - 6;
    if (left && top)
        return fw::kTopLeft;
    if (right && top)
        return fw::kTopRight;
    if (left && bottom)
        return fw::kBottomLeft;
    if (right && bottom)
        return fw::kBottomRight;
    if (top && betweenX)
        return fw::kTopEdge;
    if (bottom && betweenX)
        return fw::kBottomEdge;
    if (left && betweenY)
        return fw::kLeftEdge;
    if (right && betweenY)
        return fw::kRightEdge;
    return fw::kNoHandle;
}

void Block::FontSize(int& size, const RECT* cells, int cellHeightMm) const
{
    const float scale = Scale(cells, cellHeightMm);
    if (cells_.size() != 1 || !IsValidRange(cells_[0]) || scale <= 0.0f) {
        size = -1;
        return;
    }
    const RECT r = FullRect(cells_[0], cells);
    const int pixels = text_.size() == 1 && picturePath_.empty() ? (r.bottom - r.top) / 2
                                                                  : static_cast<int>(2 * ((r.right - r.left) / 15.0));
    size = static_cast<int>(pixels / scale);
}

void Block::LoadPicture(const std::shared_ptr<PictureControl>& control, int dimmed, int testLibrary,
                        const std::string& windowsFolder)
{
    FreePicture();
    if (picturePath_.empty())
        return;
    dimmed_ = dimmed;
    // A name relative to the current folder is completed here, and the block keeps the full path.
    if (ImageBaseManager::LocateFile(picturePath_) != 1)
        return;

    if (testLibrary) {
        if (text_.empty()) {
            libraryPicture_ = 0;
        } else {
            std::string folder = windowsFolder;
            if (folder.empty()) {
                char buffer[MAX_PATH] = "";
                ::GetWindowsDirectoryA(buffer, MAX_PATH);
                folder = buffer;
            }
            const std::string index = folder + "\\vireda.ini";
            const std::string dir = ini::ReadString(index, "ProgDir", "Dir");
            const std::string longDir = ini::ReadString(index, "ProgDir", "LongImageDir");
            libraryPicture_ = (!dir.empty() && cp1252::StartsWithNoCase(picturePath_, dir))
                                      || (!longDir.empty() && cp1252::StartsWithNoCase(picturePath_, longDir))
                                  ? 1
                                  : 0;
        }
    }

    const bool metafile = media::IsMetafileExtension(fw::FileExtension(picturePath_));
    if (metafile && !dimmed_) {
        metafile_ = std::make_unique<WMF>();
        if (metafile_->Load(picturePath_) == WMF::Loaded)
            pictureSize_ = RECT{0, 0, metafile_->GetWidth(), metafile_->GetHeight()};
        else
            metafile_.reset();
        return;
    }

    // Raster pictures, and a dimmed metafile, come faded or not from the picture control, laid on
    // the colour the block shows behind them.
    if (control) {
        control->SetBackColor(cover_ && !transparent_ ? backColor_ : RGB(255, 255, 255));
        if (control->SetFileName(picturePath_)) {
            control->SetDimming(dimmed_ ? 100 : 0);
            dib_ = control->CopyDib();
        }
    }
    if (!dib_ && metafile && !LoadDimmedMetafile(picturePath_))
        return;
    if (!dib_)
        return;
    pictureSize_ = RECT{0, 0, DibWidth(dib_), DibHeight(dib_)};
    if (!CreateDibPalette(dib_, palette_))
        palette_.Reset();
}

// The picture control decodes raster formats only: a dimmed metafile is played into a bitmap here
// and faded the way the control fades its pictures.
bool Block::LoadDimmedMetafile(const std::string& path)
{
    WMF metafile;
    if (metafile.Load(path) != WMF::Loaded)
        return false;
    // The metafile's own units can be twips or hundredths of a millimetre: draw it at most 512
    // pixels on its longer side, which is finer than a printed cell needs.
    const int width = std::abs(metafile.GetWidth());
    const int height = std::abs(metafile.GetHeight());
    if (width <= 0 || height <= 0)
        return false;
    const double shrink = std::min(1.0, 512.0 / std::max(width, height));
    const int w = std::max(1, static_cast<int>(width * shrink));
    const int h = std::max(1, static_cast<int>(height * shrink));
    fw::DibSection canvas(w, h);
    if (!canvas.IsValid())
        return false;
    canvas.Fill(cover_ && !transparent_ ? backColor_ : RGB(255, 255, 255));
    const RECT all{0, 0, w, h};
    metafile.Draw(canvas.DC(), all);
    PixelImage picture;
    if (!picture.Reset(w, h))
        return false;
    for (int y = 0; y < h; ++y) {
        std::uint32_t* row = picture.Row(y);
        for (int x = 0; x < w; ++x) {
            const COLORREF c = canvas.Pixel(x, y);
            row[x] = (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (static_cast<std::uint32_t>(GetGValue(c)) << 8)
                     | GetBValue(c);
        }
    }
    dib_ = picture.ToPackedDib(100);
    return dib_ != nullptr;
}
