// The test printer: Wine's PostScript driver with our PPD, a port that is a shell pipe to ps2pdf and
// pdftoppm, and the pages read back from the pictures they write.
#include "support/TestPrinter.h"
#include <winspool.h>
#include <algorithm>
#include <fstream>
#include <iterator>

namespace testsupport {

namespace {

const char kDriverName[] = "Rizovuvuri Test PostScript";

// The test printer's PPD in the checkout (scripts/wine), as Wine sees it on its Z: drive.
std::string PpdSource()
{
    std::string path = "Z:" RZ_TEST_PRINTER_PPD;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// Wine's own name of a file on the machine beneath, for the shell command of the port.
std::string UnixPath(const std::string& windowsPath)
{
    using UnixName = char*(CDECL*)(const wchar_t*);
    auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName)
        return std::string();
    std::wstring wide(windowsPath.begin(), windowsPath.end());
    char* name = unixName(wide.c_str());
    if (!name)
        return std::string();
    std::string result = name;
    ::HeapFree(::GetProcessHeap(), 0, name);
    return result;
}

std::string Quoted(const std::string& text)
{
    return "'" + text + "'";
}

std::vector<std::string> PageFiles(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "\\page-*.ppm").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (::FindNextFileA(search, &found));
    ::FindClose(search);
    // pdftoppm pads the page numbers to one width, so the names sort in page order.
    std::sort(names.begin(), names.end());
    return names;
}

bool ReadPpm(const std::string& path, PrintedPage& page)
{
    std::ifstream file(path, std::ios::binary);
    std::string magic;
    int maximum = 0;
    file >> magic >> page.width >> page.height >> maximum;
    file.get();
    if (!file || magic != "P6" || maximum != 255 || page.width <= 0 || page.height <= 0)
        return false;
    page.rgb.resize(static_cast<size_t>(page.width) * page.height * 3);
    file.read(reinterpret_cast<char*>(page.rgb.data()), static_cast<std::streamsize>(page.rgb.size()));
    return static_cast<bool>(file);
}

void DeletePrinterNamed(const std::string& name)
{
    PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (::OpenPrinterA(const_cast<char*>(name.c_str()), &printer, &access)) {
        ::DeletePrinter(printer);
        ::ClosePrinter(printer);
    }
}

} // namespace

COLORREF PrintedPage::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return CLR_INVALID;
    const size_t at = (static_cast<size_t>(y) * width + x) * 3;
    return RGB(rgb[at], rgb[at + 1], rgb[at + 2]);
}

TestPrinter::TestPrinter(const std::string& outputFolder, int dpi, const std::string& name)
    : folder_(outputFolder), dpi_(dpi), name_(name)
{
    char current[256] = "";
    DWORD size = sizeof(current);
    if (::GetDefaultPrinterA(current, &size))
        previousDefault_ = current;
    installed_ = Install();
}

TestPrinter::~TestPrinter()
{
    if (!installed_)
        return;
    DeletePrinterNamed(name_);
    if (!previousDefault_.empty())
        ::SetDefaultPrinterA(previousDefault_.c_str());
}

bool TestPrinter::Install()
{
    char driverFolder[MAX_PATH] = "";
    DWORD needed = 0;
    if (!::GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(driverFolder), sizeof(driverFolder),
                                      &needed)) {
        error_ = "no printer driver folder";
        return false;
    }
    const std::string ppd = std::string(driverFolder) + "\\rz-test-printer.ppd";
    if (!::CopyFileA(PpdSource().c_str(), ppd.c_str(), FALSE)) {
        error_ = "the PPD " + PpdSource() + " could not be copied";
        return false;
    }
    DRIVER_INFO_3A driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(kDriverName);
    driver.pDriverPath = const_cast<char*>("wineps.drv");
    driver.pDataFile = const_cast<char*>(ppd.c_str());
    driver.pConfigFile = const_cast<char*>("wineps.drv");
    if (!::AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver))
        && ::GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED) {
        error_ = "AddPrinterDriver failed: " + std::to_string(::GetLastError());
        return false;
    }

    const std::string folder = UnixPath(folder_);
    if (folder.empty()) {
        error_ = "no Unix name for " + folder_;
        return false;
    }
    const std::string pdf = folder + "/job.pdf";
    const std::string port = "|ps2pdf - " + Quoted(pdf) + " && pdftoppm -r " + std::to_string(dpi_) + " "
                             + Quoted(pdf) + " " + Quoted(folder + "/page") + " && touch " + Quoted(folder + "/done");
    DeletePrinterNamed(name_);
    PRINTER_INFO_2A info{};
    info.pPrinterName = const_cast<char*>(name_.c_str());
    info.pPortName = const_cast<char*>(port.c_str());
    info.pDriverName = const_cast<char*>(kDriverName);
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = const_cast<char*>("RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE printer = ::AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer) {
        error_ = "AddPrinter failed: " + std::to_string(::GetLastError());
        return false;
    }
    ::ClosePrinter(printer);
    if (!::SetDefaultPrinterA(name_.c_str())) {
        error_ = "SetDefaultPrinter failed: " + std::to_string(::GetLastError());
        DeletePrinterNamed(name_);
        return false;
    }
    return true;
}

HDC TestPrinter::CreateDC() const
{
    return ::CreateDCA(nullptr, name_.c_str(), nullptr, nullptr);
}

void TestPrinter::ClearOutput() const
{
    ::DeleteFileA((folder_ + "\\done").c_str());
    ::DeleteFileA(PdfPath().c_str());
    for (const std::string& name : PageFiles(folder_))
        ::DeleteFileA((folder_ + "\\" + name).c_str());
}

bool TestPrinter::WaitForJob(DWORD limitMs) const
{
    const std::string done = folder_ + "\\done";
    const DWORD start = ::GetTickCount();
    while (::GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (::GetTickCount() - start > limitMs)
            return false;
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

std::vector<PrintedPage> TestPrinter::Pages() const
{
    std::vector<PrintedPage> pages;
    for (const std::string& name : PageFiles(folder_)) {
        PrintedPage page;
        if (ReadPpm(folder_ + "\\" + name, page))
            pages.push_back(std::move(page));
    }
    return pages;
}

} // namespace testsupport
