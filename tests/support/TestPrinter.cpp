// The test printer: Wine's PostScript driver with our PPD, a port that is a shell pipe to ps2pdf and
// pdftoppm, and the pages read back from the pictures they write.
#include "support/TestPrinter.h"
#include "tools/pdf_printer/PostScriptPrinter.h"
#include <algorithm>
#include <fstream>
#include <iterator>

namespace testsupport {

namespace {

// The test printer's PPD in the checkout (scripts/wine), as Wine sees it on its Z: drive.
std::string PpdSource()
{
    std::string path = "Z:" RZ_TEST_PRINTER_PPD;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
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

bool IsBlank(const PrintedPage& page)
{
    return std::all_of(page.rgb.begin(), page.rgb.end(), [](std::uint8_t value) { return value == 255; });
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
    pdfprinter::Remove(name_);
    if (!previousDefault_.empty())
        ::SetDefaultPrinterA(previousDefault_.c_str());
}

bool TestPrinter::Install()
{
    const std::string folder = pdfprinter::UnixPath(folder_);
    if (folder.empty()) {
        error_ = "no Unix name for " + folder_;
        return false;
    }
    // Every job that comes out adds a line to "jobs", whatever became of its pages. Wine keeps the
    // port in a value of a few hundred characters, so the folder is named once: a deep checkout
    // must not make the printer impossible to install.
    const std::string command = "cd " + Quoted(folder) + " && echo job >> jobs && ps2pdf - job.pdf && pdftoppm -r "
                                + std::to_string(dpi_) + " job.pdf page && touch done";
    error_ = pdfprinter::Install(name_, PpdSource(), command);
    return error_.empty();
}

HDC TestPrinter::CreateDC() const
{
    return ::CreateDCA(nullptr, name_.c_str(), nullptr, nullptr);
}

void TestPrinter::ClearOutput() const
{
    ::DeleteFileA((folder_ + "\\jobs").c_str());
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

bool TestPrinter::NothingPrintedSinceClear() const
{
    // The finish mark of a job printed before must not pass for our own.
    ::DeleteFileA((folder_ + "\\done").c_str());
    HDC dc = CreateDC();
    if (dc == nullptr)
        return false;
    DOCINFOA document{};
    document.cbSize = sizeof(document);
    document.lpszDocName = "marker";
    const bool sent = ::StartDocA(dc, &document) > 0 && ::StartPage(dc) > 0 && ::EndPage(dc) > 0 && ::EndDoc(dc) > 0;
    ::DeleteDC(dc);
    if (!sent || !WaitForJob())
        return false;
    std::ifstream jobs(folder_ + "\\jobs");
    std::string line;
    int count = 0;
    while (std::getline(jobs, line))
        ++count;
    const std::vector<PrintedPage> pages = Pages();
    return count == 1 && pages.size() == 1 && IsBlank(pages.front());
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
