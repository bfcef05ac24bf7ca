// The picture-choice tests' configuration and host window.
#include "PictureChoiceFixture.h"
#include "morvel/resource.h"
#include "ImageBaseFiles.h"
#include "library/ImageBaseManager.h"
#include "support/BmpFile.h"
#include "support/HostWindow.h"
#include <fstream>

namespace picturetests {

void WriteBitmap(const std::string& path, COLORREF colour, int size)
{
    std::string folder = ImageBaseManager::GetFolderFromPath(path);
    ImageBaseManager::CreatePath(folder);
    // The bottom third of the picture darker.
    std::ofstream out(path, std::ios::binary);
    out << testsupport::BmpFile(size, size, [colour, size](int, int y) {
        return y < size / 3 ? RGB(GetRValue(colour) / 2, GetGValue(colour) / 2, GetBValue(colour) / 2) : colour;
    });
}

namespace {

const COLORREF kColours[] = {RGB(220, 60, 60), RGB(240, 190, 40), RGB(60, 170, 80), RGB(50, 110, 210),
                             RGB(170, 80, 200), RGB(40, 190, 190), RGB(250, 130, 40)};

COLORREF ColourOf(const std::string& name)
{
    size_t sum = 0;
    for (char c : name)
        sum += static_cast<unsigned char>(c);
    return kColours[sum % 7];
}

} // namespace

PictureConfig::PictureConfig()
{
    const std::string base = config_.Temp() / "bas";
    const std::string index = config_.Write(
        "bas\\djur.ini",
        testsupport::IniText({"[ProgDir]", "Dir=" + BasePictureFolder(), "SoundDir=" + BaseSoundFolder(),
                              "Extension=bmp", "[Grupper]", "Antal=2", "1=Djur", "2=Hus", "[Djur]", "Antal=3", "Kod=1",
                              "101=hund", "102=katt", "103=Hund", "[Hus]", "Antal=4", "Kod=2", "201=hus", "202=Hus",
                              "203=husvagn", "204=h\xE4st"}));
    for (const char* code : {"101", "102", "103", "201", "202", "203", "204"})
        WriteBitmap(BasePictureFolder() + "\\" + code + ".bmp", ColourOf(code));
    config_.Write("bas\\ljud\\101.wav", "RIFF");
    imageBaseIni_ = config_.Write("windows\\imgbase.swedish.ini",
                                  testsupport::IniText({"[ImageBases]", "Default=A", "A=" + index + ",Djur,1,4,0"}));
    for (const char* symbol : {"sol.bmp", "m\xE5ne.bmp", "STJ\xC4RNA.BMP", "text.txt"})
        WriteBitmap(SymbolsFolder() + "\\" + symbol, ColourOf(symbol), 48);
    (void)base;

    settings_.programIni_ = config_.ProgramIni();
    settings_.imageBaseIni_ = imageBaseIni_;
    settings_.symbolsDir_ = SymbolsFolder();
    settings_.speechEngine_ = 1;
    config_.Write("Program Files\\Morvel\\swedish.ini", testsupport::IniText({"[Defaults]", "TextImage=text.bmp"}));
}

std::string PictureConfig::WriteFolder(const std::string& name, const std::vector<std::string>& files) const
{
    const std::string folder = config_.Temp() / name;
    ::CreateDirectoryA(folder.c_str(), nullptr);
    for (const std::string& file : files) {
        const std::string path = folder + "\\" + file;
        config_.Write(name + "\\" + file, "");
        WriteBitmap(path, ColourOf(file));
    }
    return folder;
}

void PictureConfig::WriteFolderList(const std::vector<ImageFolder>& folders) const
{
    fw::WriteReplacing(ImageFolderSettings::ListPath("", config_.ProgramIni()), ImageFolderSettings::FormatFolderList(folders));
}

ImageFolder PictureConfig::DiskFolder(const std::string& name, const std::string& path, int display, int listStructure)
{
    ImageFolder folder;
    folder.name_ = name;
    folder.folderPath_ = path;
    folder.displayType_ = display;
    folder.listStructure_ = listStructure;
    folder.folderType_ = ImageFolder::kDiskFolder;
    return folder;
}

ImageFolder PictureConfig::BaseFolder(int display, int listStructure) const
{
    ImageFolder folder;
    folder.name_ = "Djur";
    folder.folderType_ = ImageFolder::kImageBase;
    folder.imageBaseKey_ = "A";
    folder.displayType_ = display;
    folder.listStructure_ = listStructure;
    folder.symbol_ = SymbolsFolder() + "\\sol.bmp";
    return folder;
}

PictureHost::PictureHost(Settings& settings) : settings_(settings)
{
    hwnd_ = testsupport::CreateHostWindow("Morvel", 900, 400);
    fw::MessageFilter::Register(hwnd_, this);
    pictures_ = std::make_unique<CImagXpress>(hwnd_, 103, nullptr, 0, 0, 0, 0);
    document_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 10, 100, 860, 240,
                                  hwnd_, reinterpret_cast<HMENU>(168), ::GetModuleHandleA(nullptr), nullptr);
    ::ShowWindow(hwnd_, SW_SHOW);
}

PictureHost::~PictureHost()
{
    if (bar_.Handle())
        bar_.DestroyWindow();
    fw::MessageFilter::Unregister(hwnd_);
    ::DestroyWindow(hwnd_);
}

WTIDlg& PictureHost::CreateWordBar()
{
    bar_.Create(hwnd_);
    bar_.Attach(this, settings_.imageBaseIni_);
    RECT client;
    ::GetClientRect(hwnd_, &client);
    RECT own = bar_.Self().WindowRect();
    bar_.Place(RECT{0, 0, client.right, own.bottom - own.top});
    bar_.Self().Show();
    return bar_;
}

int PictureHost::SpeakText(const std::string& text)
{
    spoken_.push_back(text);
    playing_ = true;
    return 1;
}

int PictureHost::PlayMediaFile(const std::string& path)
{
    played_.push_back(path);
    playing_ = true;
    return 1;
}

bool PictureHost::EditFolderList(HWND, std::vector<ImageFolder>& folders)
{
    return editFolders_ ? editFolders_(folders) : false;
}

// As the main window: the bar sees its own messages first; the document's Tab is counted as the
// bar's is.
bool PictureHost::PreTranslateMessage(MSG& message)
{
    if (bar_.Handle() && bar_.PreTranslateMessage(message))
        return true;
    if (message.hwnd == document_ && message.message == WM_KEYDOWN && message.wParam == VK_TAB) {
        ++tabs_;
        return true;
    }
    return false;
}

void PressKey(HWND target, UINT key)
{
    ::PostMessageA(target, WM_KEYDOWN, key, 1);
    ::PostMessageA(target, WM_KEYUP, key, 0xC0000001);
    fw::PumpMessages();
}

void TypeText(HWND target, const std::string& text)
{
    for (char c : text) {
        ::PostMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 1);
        fw::PumpMessages();
    }
}

} // namespace picturetests
