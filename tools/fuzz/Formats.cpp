// Seeds and readers of each format.
#include "Formats.h"
#include "PictureFixtures.h"
#include "framework/Gdi.h"
#include "framework/Prompt.h"
#include "library/ContentPaths.h"
#include "library/Dib.h"
#include "library/KvoraObject.h"
#include "library/PauseCutting.h"
#include "library/PictureLoad.h"
#include "library/WaveFile.h"
#include "library/Wmf.h"
#include "store/FileIO.h"
#include "store/IrCodeTable.h"
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>

namespace fuzz {

namespace {

using fixtures::Bytes;

enum FormatId { Overlay, Register, Content, Wave, Bmp, Dib, Pcx, Gif, Png, Jpeg, Wmf, Emf, IrData, KeyTable };

const std::vector<Format> kFormats = {
    {"overlay", "ini", true}, {"register", "txt", true}, {"content", "txt", true}, {"wave", "wav", false},
    {"bmp", "bmp", false},    {"dib", "dib", false},     {"pcx", "pcx", false},    {"gif", "gif", false},
    {"png", "png", false},    {"jpeg", "jpg", false},    {"wmf", "wmf", false},    {"emf", "emf", false},
    {"irdata", "kvx", true},  {"keytable", "key", true},
};

const char kSample[] = RZ_SAMPLE_FOLDER; // the sample configuration of the source tree
const char kFixtures[] = RZ_PICTURE_FIXTURES;

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes TextBytes(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

std::string TempFolder()
{
    char base[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, base);
    return std::string(base) + "rzfuzz_" + std::to_string(::GetCurrentProcessId());
}

void AddIfThere(std::vector<Bytes>& seeds, const std::string& path)
{
    Bytes bytes = ReadFile(path);
    if (!bytes.empty())
        seeds.push_back(bytes);
}

// ---- pictures ----

std::uint32_t Quadrant(int x, int y, int width, int height)
{
    return fixtures::QuadrantAt(fixtures::kQuadrants, x, y, width, height);
}

std::vector<Bytes> DibSeeds()
{
    std::vector<Bytes> dibs;
    const std::vector<COLORREF> four = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)};
    auto index = [](int x, int y) -> std::uint32_t { return (x >= 4 ? 1 : 0) + (y >= 3 ? 2 : 0); };
    auto colour = [](int x, int y) -> std::uint32_t { return Quadrant(x, y, 8, 6); };
    fixtures::DibForm form;
    for (int bits : {1, 4, 8}) {
        form = fixtures::DibForm();
        form.bitCount = bits;
        form.table = bits == 1 ? std::vector<COLORREF>{RGB(0, 0, 0), RGB(255, 255, 255)} : four;
        form.coloursUsed = static_cast<DWORD>(form.table.size());
        dibs.push_back(fixtures::BuildDib(form, 8, 6, [&](int x, int y) { return bits == 1 ? (x + y) % 2u : index(x, y); }));
    }
    form = fixtures::DibForm();
    form.bitCount = 8;
    form.compression = BI_RLE8;
    form.table = four;
    form.coloursUsed = 4;
    dibs.push_back(fixtures::BuildDib(form, 8, 6, index));
    for (int bits : {24, 32}) {
        form = fixtures::DibForm();
        form.bitCount = bits;
        dibs.push_back(fixtures::BuildDib(form, 8, 6, colour));
    }
    form = fixtures::DibForm();
    form.bitCount = 16;
    form.compression = BI_BITFIELDS;
    form.masks[0] = 0xF800;
    form.masks[1] = 0x07E0;
    form.masks[2] = 0x001F;
    dibs.push_back(fixtures::BuildDib(form, 8, 6, colour));
    form = fixtures::DibForm();
    form.headerSize = 12;
    form.bitCount = 4;
    form.table = four;
    form.table.resize(16, RGB(1, 2, 3)); // the core form always has the whole table
    dibs.push_back(fixtures::BuildDib(form, 8, 6, index));
    form = fixtures::DibForm();
    form.headerSize = 124;
    form.bitCount = 24;
    form.topDown = true;
    dibs.push_back(fixtures::BuildDib(form, 8, 6, colour));
    // Run-length 4 bits, written by hand: two runs a line, then the end of each line and of the picture.
    Bytes rle4 = fixtures::BuildDib([&] {
        fixtures::DibForm f;
        f.bitCount = 4;
        f.table = four;
        f.coloursUsed = 4;
        return f;
    }(), 8, 6, index);
    rle4.resize(40 + 16);
    fixtures::PutDword(rle4, 16, BI_RLE4);
    for (int row = 0; row < 6; ++row) {
        const std::uint8_t pair = static_cast<std::uint8_t>(row < 3 ? 0x23 : 0x01);
        for (std::uint8_t b : {std::uint8_t(8), pair, std::uint8_t(0), std::uint8_t(row == 5 ? 1 : 0)})
            rle4.push_back(b);
    }
    fixtures::PutDword(rle4, 20, 6 * 4);
    dibs.push_back(rle4);
    return dibs;
}

std::vector<Bytes> PcxSeeds()
{
    std::vector<Bytes> files;
    static const std::vector<COLORREF> table256 = [] {
        std::vector<COLORREF> table(256);
        for (int i = 0; i < 256; ++i)
            table[i] = RGB(i, 255 - i, i / 2);
        return table;
    }();
    const std::vector<COLORREF> sixteen(16, RGB(10, 20, 30));
    struct Kind {
        int bits, planes;
        bool table;
    };
    for (const Kind& kind : {Kind{1, 1, false}, Kind{1, 4, false}, Kind{4, 1, false}, Kind{8, 1, true}, Kind{8, 3, false},
                             Kind{8, 4, false}}) {
        fixtures::PcxForm form;
        form.bitsPerPixel = kind.bits;
        form.planes = kind.planes;
        form.headerColours = sixteen;
        form.table256 = kind.table ? &table256 : nullptr;
        form.crossLines = kind.planes == 3;
        files.push_back(fixtures::MakePcx(form, 9, 5, [&](int x, int y, int plane) {
            return kind.bits == 1 ? (x + y + plane) % 2 : kind.bits == 4 ? (x + y) % 16 : (x * 20 + y * 7 + plane * 50) % 256;
        }));
    }
    AddIfThere(files, std::string(kFixtures) + "/quadrants-24bit.pcx");
    AddIfThere(files, std::string(kFixtures) + "/quadrants-8bit.pcx");
    return files;
}

std::vector<Bytes> CodecSeeds(const wchar_t* mimeType, const std::string& folder)
{
    std::vector<Bytes> files;
    for (SIZE size : {SIZE{16, 16}, SIZE{33, 7}, SIZE{3, 40}}) {
        const std::string path = folder + "\\seed.codec";
        if (fixtures::SaveWithCodec(fixtures::QuadrantPicture(size.cx, size.cy), mimeType, path))
            files.push_back(ReadFile(path));
    }
    if (std::wstring(mimeType) == L"image/png") {
        std::vector<std::uint32_t> argb(12 * 12);
        for (size_t i = 0; i < argb.size(); ++i)
            argb[i] = (static_cast<std::uint32_t>(i * 7 % 256) << 24) | 0x336699;
        const std::string path = folder + "\\seed.png";
        if (fixtures::SavePngWithAlpha(path, 12, 12, argb))
            files.push_back(ReadFile(path));
    }
    return files;
}

std::vector<Bytes> GifSeeds()
{
    std::vector<Bytes> files;
    const std::vector<COLORREF> colours = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)};
    files.push_back(fixtures::MakeGif(10, 6, colours, [](int x, int y) { return (x >= 5 ? 1 : 0) + (y >= 3 ? 2 : 0); }));
    files.push_back(fixtures::MakeGif(17, 3, colours, [](int x, int y) { return (x + y) % 4; }));
    return files;
}

// ---- metafiles: what the system's own recorder writes for the kinds of drawing symbol pictures hold ----

void DrawEverything(HDC dc)
{
    HFONT font = ::CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, VARIABLE_PITCH | FF_SWISS, "Arial");
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    ::TextOutA(dc, 5, 5, "Hej", 3);
    const INT widths[4] = {6, 6, 6, 6};
    RECT box{2, 2, 40, 20};
    ::ExtTextOutA(dc, 4, 20, ETO_OPAQUE | ETO_CLIPPED, &box, "s\xE5l", 3, widths);
    ::SelectObject(dc, oldFont);
    ::DeleteObject(font);

    HPEN pen = ::CreatePen(PS_DASH, 1, RGB(0, 120, 0));
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    const POINT triangle[3] = {{10, 10}, {40, 10}, {25, 30}};
    ::Polygon(dc, triangle, 3);
    ::Polyline(dc, triangle, 3);
    const POINT two[6] = {{0, 0}, {5, 0}, {5, 5}, {10, 10}, {15, 10}, {15, 15}};
    const INT counts[2] = {3, 3};
    ::PolyPolygon(dc, two, counts, 2);
    ::Ellipse(dc, 50, 10, 80, 30);
    ::RoundRect(dc, 5, 30, 40, 45, 6, 6);
    ::Arc(dc, 60, 30, 90, 45, 60, 30, 90, 45);
    ::Pie(dc, 60, 30, 90, 45, 90, 30, 60, 45);
    ::MoveToEx(dc, 0, 49, nullptr);
    ::LineTo(dc, 99, 0);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(pen);

    HBRUSH hatch = ::CreateHatchBrush(HS_DIAGCROSS, RGB(200, 0, 200));
    HRGN region = ::CreateRectRgn(20, 20, 60, 40);
    HRGN round = ::CreateEllipticRgn(30, 5, 70, 45);
    ::CombineRgn(region, region, round, RGN_XOR);
    ::FillRgn(dc, region, hatch);
    ::FrameRgn(dc, region, hatch, 2, 2);
    ::PaintRgn(dc, region);
    ::InvertRgn(dc, region);
    ::SelectClipRgn(dc, round);
    ::SelectClipRgn(dc, nullptr);
    ::DeleteObject(round);
    ::DeleteObject(region);
    ::DeleteObject(hatch);

    // Bitmaps: stretched, set and as a pattern brush.
    Bytes dib = fixtures::BuildDib([] {
        fixtures::DibForm f;
        f.bitCount = 8;
        f.table = {RGB(255, 0, 0), RGB(0, 0, 255)};
        f.coloursUsed = 2;
        return f;
    }(), 8, 8, [](int x, int y) { return (x + y) % 2u; });
    fixtures::PutDword(dib, 20, 8 * 8); // the recorder copies as many bytes as the header says
    const BITMAPINFO* info = reinterpret_cast<const BITMAPINFO*>(dib.data());
    const void* bits = dib.data() + 40 + 2 * 4;
    ::StretchDIBits(dc, 60, 5, 16, 16, 0, 0, 8, 8, bits, info, DIB_RGB_COLORS, SRCCOPY);
    ::SetDIBitsToDevice(dc, 80, 30, 8, 8, 0, 0, 0, 8, bits, info, DIB_RGB_COLORS);
    HBRUSH pattern = ::CreateDIBPatternBrushPt(dib.data(), DIB_RGB_COLORS);
    HGDIOBJ oldBrush = ::SelectObject(dc, pattern);
    ::PatBlt(dc, 0, 40, 30, 10, PATCOPY);
    ::Rectangle(dc, 30, 40, 50, 50);
    ::SelectObject(dc, oldBrush);
    ::DeleteObject(pattern);

    HDC memory = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(memory, 6, 6);
    HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);
    ::PatBlt(memory, 0, 0, 6, 6, WHITENESS);
    ::BitBlt(dc, 90, 40, 6, 6, memory, 0, 0, SRCCOPY);
    ::StretchBlt(dc, 90, 0, 10, 10, memory, 0, 0, 6, 6, SRCINVERT);
    ::SelectObject(memory, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);

    struct {
        LOGPALETTE header;
        PALETTEENTRY more[3];
    } logical{};
    logical.header.palVersion = 0x300;
    logical.header.palNumEntries = 4;
    logical.more[0] = PALETTEENTRY{255, 0, 0, 0};
    HPALETTE palette = ::CreatePalette(&logical.header);
    HPALETTE oldPalette = ::SelectPalette(dc, palette, FALSE);
    ::RealizePalette(dc);
    ::SelectPalette(dc, oldPalette, FALSE);
    ::DeleteObject(palette);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(1, 2, 3));
    ::SetROP2(dc, R2_XORPEN);
    ::SaveDC(dc);
    ::RestoreDC(dc, -1);
}

std::vector<Bytes> WmfSeeds()
{
    std::vector<Bytes> files;
    files.push_back(fixtures::RecordWindowsMetafile(true));
    files.push_back(fixtures::RecordWindowsMetafile(false));
    files.push_back(fixtures::RecordWindowsMetafile(true, DrawEverything));
    files.push_back(fixtures::MakePlaceable(fixtures::RecordWindowsMetafile(true, DrawEverything), 0, 0, 100, 50));
    files.push_back(fixtures::MakePlaceable(fixtures::RecordWindowsMetafile(false), -10, -20, 300, 200, 96));
    return files;
}

std::vector<Bytes> EmfSeeds()
{
    std::vector<Bytes> files;
    files.push_back(fixtures::HalvesEmf());
    files.push_back(fixtures::RecordEnhancedMetafile(RECT{0, 0, 5000, 3000}, DrawEverything));
    files.push_back(fixtures::RecordEnhancedMetafile(RECT{0, 0, 2000, 2000}, [](HDC dc) {
        ::SetMapMode(dc, MM_ANISOTROPIC);
        ::SetWindowExtEx(dc, 100, 100, nullptr);
        ::SetViewportExtEx(dc, 50, 50, nullptr);
        XFORM turn{0.8f, 0.6f, -0.6f, 0.8f, 5, 5};
        ::SetGraphicsMode(dc, GM_ADVANCED);
        ::SetWorldTransform(dc, &turn);
        ::BeginPath(dc);
        ::MoveToEx(dc, 10, 10, nullptr);
        ::LineTo(dc, 60, 20);
        ::CloseFigure(dc);
        ::EndPath(dc);
        ::StrokeAndFillPath(dc);
        const POINT bezier[4] = {{0, 0}, {20, 80}, {60, -20}, {90, 50}};
        ::PolyBezier(dc, bezier, 4);
        TRIVERTEX corners[2] = {{0, 0, 0xFF00, 0, 0, 0}, {50, 50, 0, 0, 0xFF00, 0}};
        GRADIENT_RECT rect{0, 1};
        ::GdiGradientFill(dc, corners, 2, &rect, 1, GRADIENT_FILL_RECT_H);
        ::ExtTextOutW(dc, 3, 3, 0, nullptr, L"\x00E5\x00E4\x00F6", 3, nullptr);
    }));
    return files;
}

// ---- sound ----

std::vector<Bytes> WaveSeeds(const std::string& folder)
{
    std::vector<Bytes> files;
    struct Kind {
        DWORD rate;
        WORD bits, channels;
    };
    for (const Kind& kind : {Kind{11025, 8, 1}, Kind{22050, 16, 2}, Kind{8000, 16, 1}}) {
        const wave::WaveFormat format = wave::WaveFormat::Pcm(kind.rate, kind.bits, kind.channels);
        const DWORD frames = 400;
        Bytes data;
        for (DWORD i = 0; i < frames * kind.channels; ++i) {
            const double loud = (i > 100 && i < 300) ? 0.6 * std::sin(i * 0.3) : 0.0;
            if (kind.bits == 8) {
                data.push_back(static_cast<std::uint8_t>(128 + 127 * loud));
            } else {
                const auto sample = static_cast<std::int16_t>(32767 * loud);
                data.push_back(static_cast<std::uint8_t>(sample));
                data.push_back(static_cast<std::uint8_t>(sample >> 8));
            }
        }
        const std::string path = folder + "\\seed.wav";
        if (wave::WriteWaveFile(path, format, data.data(), static_cast<DWORD>(data.size()), frames) == wave::kWaveOk)
            files.push_back(ReadFile(path));
    }
    AddIfThere(files, std::string(kSample) + "/bildbas/ljud/sol.wav");
    return files;
}

// ---- texts ----

std::vector<Bytes> ContentSeeds()
{
    std::vector<Bytes> strings;
    for (const char* text : {"@A101@", "@!A102+'en m\xE5ne'+\"m\xE5nen lyser\"@", "@C:\\bilder\\sol.bmp+C:\\ljud\\sol.wav@",
                             "@'hej'+\"hall\xE5\"@", "@\"bara tal\"@", "@C:\\film\\hav.avi+'havet'@", "@A101+'a'+'b'@",
                             "@'x'+A201@", "@A201+C:\\ljud\\x.wav@", "@'hej'+C:\\a.bmp@", "@!@", "@@"})
        strings.push_back(TextBytes(text));
    return strings;
}

std::vector<Bytes> IrSeeds(const std::string& folder)
{
    IrCodeTable table;
    table.Init();
    for (int slot : {1, 2, 17, 199}) {
        table.SetName(slot, "Knapp " + std::to_string(slot));
        table.SetTypeAndCode(slot, slot % 2 ? 'R' : 'S', slot * 3);
        table.SetValue(slot, slot * 100);
        table.SetText(slot, "Text f\xF6r " + std::to_string(slot));
    }
    const std::string path = folder + "\\seed.kvx";
    std::vector<Bytes> files;
    if (table.Save(path) == 0)
        files.push_back(ReadFile(path));
    return files;
}

} // namespace

const std::vector<Format>& Formats()
{
    return kFormats;
}

int FindFormat(const std::string& name)
{
    for (size_t i = 0; i < kFormats.size(); ++i)
        if (name == kFormats[i].name)
            return static_cast<int>(i);
    return -1;
}

struct Workspace::State {
    std::string folder;
    std::unique_ptr<FileIO> io;
    std::shared_ptr<PictureControl> control = std::make_shared<PictureControl>();
    fw::DibSection canvas{64, 48};
};

Workspace::Workspace() : state_(new State)
{
    State& s = *state_;
    s.folder = TempFolder();
    ImageBaseManager::DeleteTree(s.folder);
    std::string program = s.folder + "\\program";
    ImageBaseManager::CreatePath(program);
    auto write = [](const std::string& path, const std::string& text) { WriteFile(path, TextBytes(text)); };
    write(s.folder + "\\skarpin.ini", "[Directories]\r\nExe=" + program + "\r\n[Defaults]\r\nPrefix=@\r\n");
    // The sample image base, its pictures and sounds where the source tree holds them.
    const std::string sample = kSample;
    write(s.folder + "\\bildbas.ini",
          "[ProgDir]\r\nDir=" + sample + "/bildbas/bilder\r\nSoundDir=" + sample + "/bildbas/ljud\r\nExtension=bmp\r\n"
          "[Grupper]\r\nAntal=2\r\n1=Natur\r\n2=Saker\r\n[Natur]\r\nAntal=4\r\nKod=1\r\n101=sol,sol\r\n102=m\xE5ne,mane\r\n"
          "103=stj\xE4rna,stjarna\r\n104=tr\xE4" "d,trad\r\n[Saker]\r\nAntal=4\r\nKod=2\r\n201=hus,hus\r\n202=bil,bil\r\n"
          "203=b\xE5t,bat\r\n204=boll,boll\r\n");
    write(s.folder + "\\imgbase.skarpin.ini", "[ImageBases]\r\nDefault=A\r\nA=" + s.folder + "\\bildbas.ini,Exempel,1,2,0\r\n");
    WriteFile(program + "\\skarpin.key", ReadFile(sample + "/skarpin/skarpin.key"));

    FileIOEnvironment environment;
    environment.windowsFolder = s.folder;
    environment.applicationName = "Skarpin";
    s.io = std::make_unique<FileIO>(environment);
    std::string set = s.io->SetFolderPath("Prov");
    ImageBaseManager::CreatePath(set);
    // The overlays the sample registers name, so that a register lists what it can.
    for (const char* name : {"Bilder", "Bokst\xE4ver", "Bilspel", "Veckodagar", "Fem rutor", "Ja och nej"})
        write(set + "\\" + name + ".ini", "[Version]\r\nVersion=4.2.0.0\r\n[Data]\r\n");
    // Nothing may wait for a user: every message is answered at once.
    fw::SetMessageHandler([](const fw::MessageRequest&) { return IDOK; });
}

Workspace::~Workspace()
{
    ImageBaseManager::DeleteTree(state_->folder);
    delete state_;
}

std::vector<Bytes> Workspace::Seeds(int format)
{
    const std::string sample = kSample;
    const std::string& folder = state_->folder;
    std::vector<Bytes> seeds;
    switch (static_cast<FormatId>(format)) {
    case Overlay:
        for (const char* name : {"/sets/Exempel/Bilder.ini", "/sets/Exempel/Bokst\xE4ver.ini", "/sets/Arkiv/Bilspel.ini",
                                 "/sets/Mallar/Fem rutor.ini", "/sets/Standard\xF6verl\xE4gg/Siffror.ini"})
            AddIfThere(seeds, sample + name);
        break;
    case Register:
        for (const char* set : {"Exempel", "Arkiv", "Mallar"})
            AddIfThere(seeds, sample + "/sets/" + set + "/register.txt");
        break;
    case Content: seeds = ContentSeeds(); break;
    case Wave: seeds = WaveSeeds(folder); break;
    case Bmp:
        for (const Bytes& dib : DibSeeds())
            seeds.push_back(fixtures::MakeBmpFile(dib));
        break;
    case Dib: seeds = DibSeeds(); break;
    case Pcx: seeds = PcxSeeds(); break;
    case Gif: seeds = GifSeeds(); break;
    case Png: seeds = CodecSeeds(L"image/png", folder); break;
    case Jpeg: seeds = CodecSeeds(L"image/jpeg", folder); break;
    case Wmf: seeds = WmfSeeds(); break;
    case Emf: seeds = EmfSeeds(); break;
    case IrData: seeds = IrSeeds(folder); break;
    case KeyTable: AddIfThere(seeds, sample + "/skarpin/skarpin.key"); break;
    }
    return seeds;
}

bool Workspace::Run(int format, const Bytes& input)
{
    State& s = *state_;
    bool taken = false;
    FileIO& io = *s.io;
    const std::string file = s.folder + "\\input." + kFormats[static_cast<size_t>(format)].extension;
    auto paintDib = [&s, &taken](HGLOBAL dib) {
        if (!dib)
            return;
        const RECT whole{0, 0, DibWidth(dib), DibHeight(dib)};
        taken = whole.right > 0;
        PaintDib(s.canvas.DC(), RECT{0, 0, 64, 48}, dib, whole, nullptr);
        PaintDib(s.canvas.DC(), RECT{0, 0, whole.right, whole.bottom}, dib, whole, nullptr);
        fw::Palette palette;
        CreateDibPalette(dib, palette);
        HGLOBAL copy = CopyDibHandle(dib);
        if (copy)
            ::GlobalFree(copy);
    };

    switch (static_cast<FormatId>(format)) {
    case Overlay: {
        const std::string path = io.OverlayPath("Prov", "Fuzz");
        WriteFile(path, input);
        std::vector<Block> keys, background;
        KeyboardSettings settings;
        const int loaded = io.LoadOverlay(path, keys, background, settings);
        taken = loaded == FileIO::kLoaded;
        bool storable = true;
        for (const Block& block : keys)
            storable = storable && FileIO::FindUnstorableField(block) == FileIO::BlockField::None;
        // What was read whole is saved and read again, as the editor does.
        std::string name = "Kopia";
        if (loaded == FileIO::kLoaded && storable &&
            io.SaveOverlay(name, 1, "Prov", keys, background, settings) == FileIO::kSaved)
            io.LoadOverlay(io.OverlayPath("Prov", name), keys, background, settings);
        break;
    }
    case Register: {
        WriteFile(io.SetRegisterPath("Prov"), input);
        std::vector<SetItem> overlays;
        io.ListOverlays("Prov", overlays);
        taken = !overlays.empty();
        KeyboardSettings settings;
        FileIO::ReadKeyboardSettings(io.SetRegisterPath("Prov"), settings);
        break;
    }
    case Content: {
        const std::string text(input.begin(), input.end());
        CKvoraObject object;
        taken = object.ParseContent(text, io.imageBaseSettingsFile_, &io.videoExtensions_) == 1;
        const std::string built = object.BuildContent();
        object.FindUnstorablePart();
        CKvoraObject again;
        again.ParseContent(built, io.imageBaseSettingsFile_, &io.videoExtensions_);
        // Rewriting nothing must change nothing.
        std::string copy = text;
        RewriteContentPaths(copy, '@', &io.videoExtensions_, [](std::string&, media::Kind) { return false; });
        if (copy != text)
            std::abort();
        std::string moved = text;
        RewriteContentPaths(moved, '@', nullptr, [](std::string& path, media::Kind) {
            path = "D:\\ny mapp" + path;
            return true;
        });
        break;
    }
    case Wave: {
        WriteFile(file, input);
        wave::WaveFormat format;
        std::vector<BYTE> data;
        taken = wave::ReadWaveFile(file, format, data) == wave::kWaveOk;
        if (taken) {
            size_t begin = 0, end = 0;
            wave::FindSoundSpan(format, data, 20, begin, end);
        }
        wave::CutPauses(file, 20);
        break;
    }
    case Dib: {
        HGLOBAL dib = ::GlobalAlloc(GMEM_MOVEABLE, input.size() ? input.size() : 1);
        if (void* bytes = ::GlobalLock(dib)) {
            std::copy(input.begin(), input.end(), static_cast<std::uint8_t*>(bytes));
            ::GlobalUnlock(dib);
        }
        DibNumColors(dib);
        DibPaletteSize(dib);
        paintDib(dib);
        ::GlobalFree(dib);
        break;
    }
    case Bmp:
    case Pcx:
    case Gif:
    case Png:
    case Jpeg: {
        WriteFile(file, input);
        HGLOBAL dib = LoadScaledDib(*s.control, file, RGB(255, 255, 255), SIZE{1024, 768});
        paintDib(dib);
        if (dib)
            ::GlobalFree(dib);
        break;
    }
    case Wmf:
    case Emf: {
        WriteFile(file, input);
        WMF metafile;
        taken = metafile.Load(file) == WMF::Loaded;
        if (taken) {
            metafile.GetWidth();
            metafile.GetHeight();
            metafile.Draw(s.canvas.DC(), RECT{0, 0, 64, 48});
            metafile.Draw(s.canvas.DC(), RECT{60, 40, 2, 3});
        }
        break;
    }
    case IrData: {
        WriteFile(file, input);
        IrCodeTable table;
        taken = table.Load(file) == 0;
        for (int slot = 0; slot <= IrCodeTable::kSlots; ++slot) {
            std::string text;
            char type = 0;
            int code = 0, value = 0;
            table.GetName(slot, text);
            table.GetText(slot, text);
            table.GetTypeAndCode(slot, type, code);
            table.GetValue(slot, value);
        }
        table.Save(s.folder + "\\saved.kvx");
        break;
    }
    case KeyTable:
        WriteFile(io.programFolder_ + "\\skarpin.key", input);
        io.ReadKeyCodeTable();
        taken = true;
        break;
    }
    return taken;
}

bool Workspace::Takes(int format, const Bytes& input)
{
    State& s = *state_;
    const std::string file = s.folder + "\\taken." + kFormats[static_cast<size_t>(format)].extension;
    WriteFile(file, input);
    switch (static_cast<FormatId>(format)) {
    case Bmp:
    case Pcx:
    case Gif:
    case Png:
    case Jpeg: {
        HGLOBAL dib = LoadScaledDib(*s.control, file, RGB(255, 255, 255), SIZE{1024, 768});
        if (dib)
            ::GlobalFree(dib);
        return dib != nullptr;
    }
    case Dib: {
        HGLOBAL dib = ::GlobalAlloc(GMEM_MOVEABLE, input.size());
        if (void* bytes = ::GlobalLock(dib)) {
            std::copy(input.begin(), input.end(), static_cast<std::uint8_t*>(bytes));
            ::GlobalUnlock(dib);
        }
        const bool taken = DibWidth(dib) > 0;
        ::GlobalFree(dib);
        return taken;
    }
    case Wmf:
    case Emf: {
        WMF metafile;
        return metafile.Load(file) == WMF::Loaded;
    }
    default:
        return true;
    }
}

} // namespace fuzz
