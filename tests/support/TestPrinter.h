// A printer for tests: a default printer on Wine's PostScript driver whose port pipes every job
// through ghostscript, so that a program's own print calls end as a PDF file and one picture per
// page that a test can read back pixel by pixel. Needs ghostscript and poppler-utils on the machine.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// One printed page as poppler rendered it from the PDF.
struct PrintedPage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; // top row first, three bytes a pixel

    COLORREF Pixel(int x, int y) const;
};

// Installs the printer and makes it the default for the life of the object; the printer is removed
// and the former default printer restored afterwards. Each job is written to "job.pdf" in the output
// folder and rendered at `dpi` into "page-N.ppm" beside it. The A4 pages come with 300 pixels per
// inch and a margin of 18 points (75 pixels) that the printer cannot print on.
class TestPrinter {
public:
    TestPrinter(const std::string& outputFolder, int dpi = 50, const std::string& name = "Testskrivare");
    ~TestPrinter();
    TestPrinter(const TestPrinter&) = delete;
    TestPrinter& operator=(const TestPrinter&) = delete;

    // Empty when the printer stands; else what failed.
    const std::string& Error() const { return error_; }
    const std::string& Name() const { return name_; }
    // A device context of the printer (the caller deletes it).
    HDC CreateDC() const;

    // Forgets the output of the last job.
    void ClearOutput() const;
    // Waits, pumping messages, until the job sent last has been turned into its pages; false when
    // limitMs pass first (a safety net, never a pause).
    bool WaitForJob(DWORD limitMs = 30000) const;
    std::string PdfPath() const { return folder_ + "\\job.pdf"; }
    std::vector<PrintedPage> Pages() const;
    // True when no job was printed since ClearOutput. A job takes a moment to come out of the
    // spooler, so an empty output folder proves nothing: this sends a one-page job of its own, waits
    // for it, and counts the jobs that came out. Jobs leave the spooler in the order they came, so
    // one sent before would have come out first; and should another job finish first all the same,
    // the one page found is then not the blank page of our own.
    bool NothingPrintedSinceClear() const;
    int Dpi() const { return dpi_; }

private:
    bool Install();

    std::string folder_;
    int dpi_;
    std::string name_;
    std::string previousDefault_;
    std::string error_;
    bool installed_ = false;
};

} // namespace testsupport
