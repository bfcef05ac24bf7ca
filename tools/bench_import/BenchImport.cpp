// Times the import of an archive of 30,000 entries (make_bench_archive.py): the listing alone (the
// archive read and its entries sorted), then the import wizard itself, modeless on a throw-away
// configuration, page by page: the first page's Next (the archive read and unpacked), the second's
// (the overlays chosen, the media they use collected into the third page's tree) and Finish (the
// new set, the overlays and the files placed). Prints the times in milliseconds.
//   bench_import.exe <archive> [rounds of the listing]
#include "bench_common/BenchTiming.h"
#include "framework/Dialog.h"
#include "framework/Prompt.h"
#include "sample_common/SampleConfiguration.h"
#include "skarpin/ImportArchive.h"
#include "skarpin/ImportSheet.h"
#include "skarpin/resource.h"
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Pumps the wizard's messages until the condition holds; false after ten minutes.
template <class Condition>
bool PumpUntil(Condition condition)
{
    const double start = bench::Now();
    while (!condition()) {
        if (bench::Now() - start > 600000.0)
            return false;
        fw::PumpMessages();
        ::Sleep(0);
    }
    return true;
}

// Presses the button and times until the wizard has moved on (or ended, for Finish).
double Press(ImportSheet& sheet, int button, int nextPage)
{
    const double start = bench::Now();
    sheet.PressButton(button);
    const bool moved = PumpUntil([&] { return nextPage < 0 ? !sheet.IsRunning() : sheet.ActiveIndex() == nextPage; });
    return moved ? bench::Now() - start : -1.0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_import.exe <archive> [rounds]\n");
        return 2;
    }
    const std::string archive = argv[1];
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::CoInitialize(nullptr);

    size_t entries = 0;
    zip::Result listed = zip::Result::Ok;
    const bench::Figures listing = bench::Time(rounds, [&] {
        importwizard::ImportArchive reader;
        listed = reader.Open(archive);
        entries = reader.Listing().overlays.size() + reader.Listing().media.size() + 1;
    });
    if (listed != zip::Result::Ok) {
        std::fprintf(stderr, "the archive could not be read (%d)\n", static_cast<int>(listed));
        return 1;
    }
    std::printf("entries %u\n", static_cast<unsigned>(entries));
    std::printf("listing ms least %.0f median %.0f\n", listing.least, listing.median);
    std::fflush(stdout);

    // Every message the wizard shows is answered at once; the last one ends it.
    std::string lastMessage;
    fw::SetMessageHandler([&](const fw::MessageRequest& request) {
        lastMessage = request.text;
        return IDOK;
    });
    FileIO io(sample::TemporaryConfiguration("bench_import"));
    std::string newSetName;
    ImportSheet sheet(newSetName, &io);
    if (!sheet.Create(nullptr)) {
        std::fprintf(stderr, "the wizard did not open\n");
        return 1;
    }
    fw::PumpMessages();
    ::SetDlgItemTextA(sheet.Page1().Handle(), IDC_IMPORT_PATH, archive.c_str());
    const double page1 = Press(sheet, PSBTN_NEXT, 1);
    std::printf("wizard page 1 Next ms %.0f\n", page1);
    std::fflush(stdout);
    const double page2 = page1 < 0 ? -1 : Press(sheet, PSBTN_NEXT, 2);
    std::printf("wizard page 2 Next ms %.0f\n", page2);
    std::fflush(stdout);
    const double finish = page2 < 0 ? -1 : Press(sheet, PSBTN_FINISH, -1);
    std::printf("wizard Finish ms %.0f (%s)\n", finish, lastMessage.c_str());
    std::printf("wizard in all ms %.0f\n", page1 + page2 + finish);
    ::CoUninitialize();
    return finish < 0 ? 1 : 0;
}
