// The picture and sound open dialogs: the request they make of the file dialog, how they read its
// answer (multiple selections included), and their panes in the real file dialog, driven by messages.
#include "library/OpenImageDlg.h"
#include "library/OpenSoundDlg.h"
#include "library/resource.h"
#include "framework/FrameworkIds.h"
#include "framework/Prompt.h"
#include "SoundTestSupport.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <cstring>

using namespace soundtest;
using namespace testsupport;

namespace {

// The filter as the file dialog gets it: NUL-separated, ended by two NULs.
std::vector<std::string> FilterParts(const char* filter)
{
    std::vector<std::string> parts;
    for (const char* at = filter; at && *at; at += std::strlen(at) + 1)
        parts.push_back(at);
    return parts;
}

// Answers the open dialog as a user would have: writes the file buffer and reports OK.
class AnsweredFileDialog {
public:
    explicit AnsweredFileDialog(std::string answer, bool ok = true)
    {
        fw::CommonDialogHandlers handlers;
        auto answerWith = [this, answer, ok](OPENFILENAMEA& request) {
            seen = request;
            filter = request.lpstrFilter ? std::string(request.lpstrFilter, FilterLength(request.lpstrFilter)) : "";
            startName = request.lpstrFile;
            if (answer.size() + 1 > request.nMaxFile)
                return false;
            std::memcpy(request.lpstrFile, answer.data(), answer.size());
            request.lpstrFile[answer.size()] = '\0';
            // Where the (first) name starts: after the folder's NUL, or after the last backslash.
            size_t end = answer.find('\0');
            request.nFileOffset = static_cast<WORD>(end != std::string::npos && end + 1 < answer.size()
                                                        ? end + 1
                                                        : answer.rfind('\\') + 1);
            return ok;
        };
        handlers.openFile = answerWith;
        handlers.saveFile = [this, answerWith](OPENFILENAMEA& request) {
            saveDialog = true;
            return answerWith(request);
        };
        fw::SetCommonDialogHandlers(handlers);
    }
    ~AnsweredFileDialog() { fw::SetCommonDialogHandlers({}); }

    OPENFILENAMEA seen{};
    std::string filter;
    std::string startName;
    bool saveDialog = false;

private:
    static size_t FilterLength(const char* filter)
    {
        size_t length = 0;
        while (filter[length] || filter[length + 1])
            ++length;
        return length + 2;
    }
};

// --- The real file dialog --------------------------------------------------------------------

struct DescendantSearch {
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchClass(HWND hwnd, LPARAM data)
{
    auto* search = reinterpret_cast<DescendantSearch*>(data);
    char name[64] = "";
    ::GetClassNameA(hwnd, name, sizeof(name));
    if (std::strcmp(name, search->className) != 0)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND FindDescendant(HWND parent, const char* className)
{
    DescendantSearch search{className, nullptr};
    ::EnumChildWindows(parent, MatchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FileList(HWND fileDialog)
{
    HWND view = FindDescendant(fileDialog, "SHELLDLL_DefView");
    return view ? FindDescendant(view, "SysListView32") : nullptr;
}

// Selects one file of the dialog's list by its name, as a click would.
bool SelectFile(HWND fileDialog, const std::string& name)
{
    HWND list = FileList(fileDialog);
    int count = list ? ListView_GetItemCount(list) : 0;
    std::string stem = name.substr(0, name.rfind('.'));
    for (int i = 0; i < count; ++i) {
        char text[MAX_PATH] = "";
        ListView_GetItemText(list, i, 0, text, sizeof(text));
        if (_stricmp(text, name.c_str()) == 0 || _stricmp(text, stem.c_str()) == 0) {
            ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
            ListView_SetItemState(list, i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            return true;
        }
    }
    ADD_FAILURE() << "no " << name << " among " << count << " files";
    return false;
}

struct RealDialogRun {
    PreviewFileDlg* dialog;
    std::function<void(HWND fileDialog, HWND pane)> script;
    size_t files;
    DWORD start;
    bool ran;
};
RealDialogRun* g_run = nullptr;

// Runs the script once the dialog shows its pane and its list holds the folder's files; gives up
// (cancelling the dialog) after a while, so that a failure never hangs the tests.
void CALLBACK RealDialogTick(HWND, UINT, UINT_PTR timer, DWORD)
{
    RealDialogRun& run = *g_run;
    HWND pane = run.dialog->Pane();
    HWND fileDialog = pane ? ::GetParent(pane) : nullptr;
    HWND list = fileDialog ? FileList(fileDialog) : nullptr;
    bool ready = list && ::IsWindowVisible(fileDialog) && static_cast<size_t>(ListView_GetItemCount(list)) >= run.files;
    if (ready && !run.ran) {
        run.ran = true;
        ::KillTimer(nullptr, timer);
        run.script(fileDialog, pane);
    } else if (::GetTickCount() - run.start > 20000) {
        ::KillTimer(nullptr, timer);
        ADD_FAILURE() << "the file dialog did not come up with its pane and files";
        if (fileDialog)
            ::PostMessageA(fileDialog, WM_COMMAND, IDCANCEL, 0);
    }
}

INT_PTR RunRealFileDialog(PreviewFileDlg& dialog, size_t files, std::function<void(HWND, HWND)> script)
{
    fw::SetCommonDialogHandlers({});
    RealDialogRun run{&dialog, std::move(script), files, ::GetTickCount(), false};
    g_run = &run;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, RealDialogTick);
    INT_PTR result = dialog.DoModal();
    ::KillTimer(nullptr, timer);
    g_run = nullptr;
    EXPECT_TRUE(run.ran);
    return result;
}

// The name in the dialog's file name field. The dialog fills it from a new selection just before it
// tells the pane of the change, in the same call.
std::string FileNameField(HWND fileDialog)
{
    char name[MAX_PATH] = "";
    ::SendMessageA(fileDialog, CDM_GETSPEC, sizeof(name), reinterpret_cast<LPARAM>(name));
    return name;
}

void PressButton(HWND fileDialog, int id)
{
    ::PostMessageA(fileDialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(fileDialog, id)));
}

RECT ChildRect(HWND parent, int id)
{
    RECT rect{};
    ::GetWindowRect(::GetDlgItem(parent, id), &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// A BMP file of one colour, 24 bits a pixel.
std::string SolidBmp(int width, int height, COLORREF colour)
{
    int row = (width * 3 + 3) & ~3;
    std::string pixels;
    for (int y = 0; y < height; ++y) {
        std::string line;
        for (int x = 0; x < width; ++x) {
            line += static_cast<char>(GetBValue(colour));
            line += static_cast<char>(GetGValue(colour));
            line += static_cast<char>(GetRValue(colour));
        }
        line.resize(static_cast<size_t>(row), '\0');
        pixels += line;
    }
    return "BM" + Le32(54 + pixels.size()) + Le32(0) + Le32(54) + Le32(40) + Le32(static_cast<unsigned long>(width)) +
           Le32(static_cast<unsigned long>(height)) + Le16(1) + Le16(24) + Le32(0) + Le32(pixels.size()) + Le32(2835) +
           Le32(2835) + Le32(0) + Le32(0) + pixels;
}

// The colour in the middle of a window as it stands on the screen.
COLORREF MiddlePixel(HWND window)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT client{};
    ::GetClientRect(window, &client);
    HDC dc = ::GetDC(window);
    COLORREF colour = ::GetPixel(dc, client.right / 2, client.bottom / 2);
    ::ReleaseDC(window, dc);
    return colour;
}

} // namespace

TEST(OpenFileDlg, ReadsSelectionsWithTheirFolder)
{
    struct Reported {
        const char* reported;
        const char* first;
    };
    for (const Reported& c : {Reported{"C:\\Ljud\\hej.wav", "C:\\Ljud\\hej.wav"},
                              Reported{"C:\\Mina ljud\\\"a b.wav\" \"c.wav\"", "C:\\Mina ljud\\a b.wav"},
                              Reported{"C:\\\"a.wav\" \"b.wav\"", "C:\\a.wav"},
                              Reported{"C:\\Ljud\"a.wav\" \"b.wav\"", "C:\\Ljud\\a.wav"},
                              Reported{"", ""}}) {
        EXPECT_EQ(c.first, PreviewFileDlg::FirstSelectedFile(c.reported)) << c.reported;
    }

    struct Buffer {
        std::string buffer;
        std::vector<std::string> paths;
    };
    const Buffer buffers[] = {
        {std::string("C:\\Ljud\\hej.wav\0", 16), {"C:\\Ljud\\hej.wav"}},
        {std::string("C:\\Mina ljud\0a.wav\0b c.wav\0\0", 28), {"C:\\Mina ljud\\a.wav", "C:\\Mina ljud\\b c.wav"}},
        {std::string("C:\\\0a.wav\0b.wav\0\0", 17), {"C:\\a.wav", "C:\\b.wav"}},
        {std::string("\0", 1), {}},
    };
    for (const Buffer& c : buffers) {
        std::vector<char> file(c.buffer.begin(), c.buffer.end());
        file.resize(100, '\0');
        EXPECT_EQ(c.paths, PreviewFileDlg::SplitFileBuffer(file.data(), file.size())) << c.buffer;
    }
    // A buffer filled to its very end is not read past it.
    std::vector<char> full(8, 'x');
    EXPECT_EQ(std::vector<std::string>{"xxxxxxxx"}, PreviewFileDlg::SplitFileBuffer(full.data(), full.size()));
}

TEST(OpenFileDlg, AsksForTheFileDialogWithItsPane)
{
    AnsweredFileDialog answer(std::string("C:\\Bilder\0sol.bmp\0m\xE5ne.png\0\0", 27));
    OpenImageDlg dialog(true, "bmp", "", OFN_PATHMUSTEXIST | OFN_ALLOWMULTISELECT, nullptr, nullptr);
    dialog.SetUpPictureFilter("Bl\xE4" "ddra bild", "C:\\Bilder");
    ASSERT_EQ(IDOK, dialog.DoModal());

    const OPENFILENAMEA& request = answer.seen;
    EXPECT_FALSE(answer.saveDialog);
    DWORD wanted = OFN_EXPLORER | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK | OFN_PATHMUSTEXIST | OFN_ALLOWMULTISELECT;
    EXPECT_EQ(wanted, request.Flags);
    EXPECT_EQ(MAKEINTRESOURCEA(IDD_OPEN_IMAGE_PANE), request.lpTemplateName);
    EXPECT_EQ(::GetModuleHandleA(nullptr), request.hInstance);
    EXPECT_NE(nullptr, request.lpfnHook);
    EXPECT_EQ(6000u, request.nMaxFile);
    EXPECT_STREQ("Bl\xE4" "ddra bild", request.lpstrTitle);
    EXPECT_STREQ("C:\\Bilder", request.lpstrInitialDir);
    EXPECT_STREQ("bmp", request.lpstrDefExt);
    std::vector<std::string> filter = FilterParts(answer.filter.c_str());
    ASSERT_EQ(20u, filter.size());
    EXPECT_EQ("EMF,BMP,GIF,ICO,JPG,PCX,PNG,TIFF,WMF", filter[0]);
    EXPECT_EQ("*.bmp;*.emf;*.gif;*.ico;*.jpg;*.jpe;*.jpeg;*.pcx;*.png;*.tif;*.wmf", filter[1]);
    EXPECT_EQ("JPG", filter[8]);
    EXPECT_EQ("*.JPG;*.JPE;*.JPEG", filter[9]);
    EXPECT_EQ("*.EMF", filter[19]);

    EXPECT_EQ("C:\\Bilder\\sol.bmp", dialog.PathName());
    EXPECT_EQ((std::vector<std::string>{"C:\\Bilder\\sol.bmp", "C:\\Bilder\\m\xE5ne.png"}), dialog.SelectedPaths());
}

TEST(OpenFileDlg, SoundFilterAndTheStartNameOrFolder)
{
    FakeMediaPlayer player(MediaPlayerKind::Classic);
    {
        AnsweredFileDialog answer("C:\\Ljud\\hej.mp3");
        OpenSoundDlg dialog(&player, true, nullptr, "C:\\Ljud\\gammal.mp3", OFN_HIDEREADONLY, nullptr, nullptr);
        dialog.SetUpSoundFilter("Bl\xE4" "ddra ljud", "C:\\Ljud", true);
        EXPECT_EQ("C:\\Ljud\\gammal.mp3", dialog.PreviewFile()) << "the classic player previews the start name";
        ASSERT_EQ(IDOK, dialog.DoModal());
        EXPECT_EQ(MAKEINTRESOURCEA(IDD_OPEN_SOUND_PANE), answer.seen.lpTemplateName);
        EXPECT_EQ(nullptr, answer.seen.lpstrInitialDir) << "a start name wins over the folder";
        EXPECT_EQ("C:\\Ljud\\gammal.mp3", answer.startName);
        EXPECT_EQ((std::vector<std::string>{"MP3,M4A,WMA", "*.mp3;*.m4a;*.wma", "MP3", "*.mp3", "M4A", "*.m4A", "WMA", "*.wma"}),
                  FilterParts(answer.filter.c_str()));
        EXPECT_EQ("C:\\Ljud\\hej.mp3", dialog.PathName());
    }
    {
        AnsweredFileDialog answer("", false);
        FakeMediaPlayer modern(MediaPlayerKind::Modern);
        OpenSoundDlg dialog(&modern, false, "wav", "C:\\Ljud\\gammal.mp3", 0, "WAV|*.wav|", nullptr);
        EXPECT_EQ("", dialog.PreviewFile()) << "the newer player starts with nothing to preview";
        dialog.SetUpSoundFilter("Spara", "C:\\Ljud", false);
        EXPECT_EQ(IDCANCEL, dialog.DoModal());
        EXPECT_TRUE(answer.saveDialog);
        EXPECT_EQ((std::vector<std::string>{"MP3,M4A", "*.mp3;*.m4a"}), FilterParts(answer.filter.c_str()));
        EXPECT_EQ("", dialog.PathName());
    }
    {
        // The caller's own filter, in its "description|pattern|" form.
        AnsweredFileDialog answer("C:\\a.cda");
        OpenSoundDlg dialog(nullptr, true, nullptr, "", 0, "CDA,MID|*.cda;*.mid|CDA|*.CDA|", nullptr);
        dialog.SetInitialFolder("C:\\Ljud");
        ASSERT_EQ(IDOK, dialog.DoModal());
        EXPECT_STREQ("C:\\Ljud", answer.seen.lpstrInitialDir);
        EXPECT_EQ((std::vector<std::string>{"CDA,MID", "*.cda;*.mid", "CDA", "*.CDA"}), FilterParts(answer.filter.c_str()));
    }
}

TEST(OpenFileDlg, PicturePanePreviewsTheSelectionInTheRealDialog)
{
    TempFolder folder;
    folder.Write("sol.bmp", "BM");
    folder.Write("regn.bmp", "BM");
    PreviewLog log;
    OpenImageDlg dialog(true, nullptr, "", OFN_HIDEREADONLY, nullptr, nullptr, FakePreviewFactory(log));
    dialog.SetUpPictureFilter("Bl\xE4" "ddra bild", folder.Path());
    INT_PTR result = RunRealFileDialog(dialog, 2, [&](HWND fileDialog, HWND pane) {
        EXPECT_EQ("Information:", Text(pane, IDC_OPENIMAGE_INFO));
        EXPECT_EQ("Visa bild", Text(pane, IDC_OPENIMAGE_SHOW));
        EXPECT_TRUE(::IsDlgButtonChecked(pane, IDC_OPENIMAGE_SHOW));
        // The picture lies inside the placeholder, where the dialog has placed it.
        EXPECT_EQ(1, log.made);
        EXPECT_EQ(pane, log.parent);
        EXPECT_EQ(IDC_OPENIMAGE_PICTURE, log.id);
        RECT placeholder = ChildRect(pane, IDC_OPENIMAGE_PLACEHOLDER);
        RECT inside{};
        EXPECT_TRUE(::IntersectRect(&inside, &placeholder, &log.rect) && ::EqualRect(&inside, &log.rect));
        RECT list{};
        ::GetWindowRect(::GetParent(FileList(fileDialog)), &list);
        ::MapWindowPoints(nullptr, pane, reinterpret_cast<POINT*>(&list), 2);
        EXPECT_GE(log.rect.left, list.right) << "the picture stands beside the file list";
        EXPECT_LT(log.rect.top, list.bottom) << "the picture stands beside the file list, not below it";

        log.calls.clear();
        SelectFile(fileDialog, "sol.bmp");
        EXPECT_TRUE(PumpUntil([&] { return !log.calls.empty(); }));
        EXPECT_EQ(std::vector<std::string>{"load " + (folder / "sol.bmp")}, log.calls);

        // Unchecked: the pane empties at once and shows nothing of the next selection.
        log.calls.clear();
        Check(pane, IDC_OPENIMAGE_SHOW, false);
        SelectFile(fileDialog, "regn.bmp");
        EXPECT_TRUE(PumpUntil([&] { return FileNameField(fileDialog) == "regn.bmp"; }));
        EXPECT_EQ(std::vector<std::string>{"clear"}, log.calls);
        Check(pane, IDC_OPENIMAGE_SHOW, true);
        EXPECT_EQ((std::vector<std::string>{"clear", "load " + (folder / "regn.bmp")}), log.calls);

        PressButton(fileDialog, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(folder / "regn.bmp", dialog.PathName());
    EXPECT_EQ(1, log.destroyed) << "the picture goes with the pane";
}

TEST(OpenFileDlg, SoundPanePlaysTheSelectionInTheRealDialog)
{
    TempFolder folder;
    folder.Write("hej.wav", "RIFF");
    folder.Write("tack.wav", "RIFF");
    FakeMediaPlayer player(MediaPlayerKind::Modern);
    OpenSoundDlg dialog(&player, true, nullptr, "", OFN_HIDEREADONLY, "WAV|*.wav|", nullptr);
    dialog.SetInitialFolder(folder.Path());
    INT_PTR result = RunRealFileDialog(dialog, 2, [&](HWND fileDialog, HWND pane) {
        EXPECT_EQ("Spela musik:", Text(pane, IDC_OPENSOUND_FRAME));
        EXPECT_FALSE(IsVisible(pane, IDC_OPENSOUND_PLAY));
        EXPECT_FALSE(IsVisible(pane, IDC_OPENSOUND_STOP));
        const DrawnButton play = DrawOwnerDrawnButton(pane, IDC_OPENSOUND_PLAY, 0);
        ASSERT_FALSE(play.Empty()) << "a picture button";
        EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), play.At(4, 4));

        SelectFile(fileDialog, "hej.wav");
        EXPECT_TRUE(PumpUntil([&] { return IsVisible(pane, IDC_OPENSOUND_PLAY); }));
        EXPECT_EQ(folder / "hej.wav", dialog.PreviewFile());
        Click(pane, IDC_OPENSOUND_PLAY);
        EXPECT_EQ("open " + (folder / "hej.wav"), player.calls.back());
        EXPECT_TRUE(IsVisible(pane, IDC_OPENSOUND_STOP));
        Click(pane, IDC_OPENSOUND_STOP);
        EXPECT_EQ("stop", player.calls.back());
        EXPECT_FALSE(IsVisible(pane, IDC_OPENSOUND_STOP));

        // Another selection stops what plays; the caller's player telling the end does the same.
        Click(pane, IDC_OPENSOUND_PLAY);
        player.calls.clear();
        SelectFile(fileDialog, "tack.wav");
        EXPECT_TRUE(PumpUntil([&] { return dialog.PreviewFile() == folder / "tack.wav"; }));
        EXPECT_EQ("stop", player.calls.front());
        EXPECT_FALSE(IsVisible(pane, IDC_OPENSOUND_STOP));
        Click(pane, IDC_OPENSOUND_PLAY);
        dialog.StopPreview();
        EXPECT_FALSE(IsVisible(pane, IDC_OPENSOUND_STOP));

        // A sound that cannot be played says so.
        player.failOpen = true;
        {
            ScriptedMessages messages;
            messages.Expect(IDS_SOUND_CANNOT_PLAY);
            Click(pane, IDC_OPENSOUND_PLAY);
        }
        EXPECT_FALSE(IsVisible(pane, IDC_OPENSOUND_STOP));
        player.calls.clear();
        PressButton(fileDialog, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(std::vector<std::string>{"stop"}, player.calls) << "closing stops the preview";
}

TEST(OpenFileDlg, WithoutAPlayerPlayStaysHidden)
{
    TempFolder folder;
    folder.Write("hej.wav", "RIFF");
    OpenSoundDlg dialog(nullptr, true, nullptr, "", OFN_HIDEREADONLY, "WAV|*.wav|", nullptr);
    dialog.SetInitialFolder(folder.Path());
    INT_PTR result = RunRealFileDialog(dialog, 1, [&](HWND fileDialog, HWND pane) {
        SelectFile(fileDialog, "hej.wav");
        EXPECT_TRUE(PumpUntil([&] { return dialog.PreviewFile() == folder / "hej.wav"; }));
        EXPECT_FALSE(IsVisible(pane, IDC_OPENSOUND_PLAY));
        PressButton(fileDialog, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(folder / "hej.wav", dialog.PathName());
}

TEST(OpenFileDlg, PicturePaneShowsThePictureInThePictureControl)
{
    TempFolder folder;
    folder.Write("röd.bmp", SolidBmp(40, 40, RGB(255, 0, 0)));
    folder.Write("trasig.bmp", "BM inte en bild");
    OpenImageDlg dialog(true, nullptr, "", OFN_HIDEREADONLY, nullptr, nullptr);
    dialog.SetUpPictureFilter("Bl\xE4" "ddra bild", folder.Path());
    RunRealFileDialog(dialog, 2, [&](HWND fileDialog, HWND pane) {
        HWND view = ::GetDlgItem(pane, IDC_OPENIMAGE_PICTURE);
        ASSERT_NE(nullptr, view) << "the picture control's window";
        EXPECT_TRUE(::IsWindowVisible(view));
        EXPECT_EQ(RGB(255, 255, 255), MiddlePixel(view)) << "white and empty at first";
        SelectFile(fileDialog, "r\xF6" "d.bmp");
        EXPECT_TRUE(PumpUntil([&] { return MiddlePixel(view) == RGB(255, 0, 0); }, 5000));
        Check(pane, IDC_OPENIMAGE_SHOW, false);
        EXPECT_EQ(RGB(255, 255, 255), MiddlePixel(view));
        Check(pane, IDC_OPENIMAGE_SHOW, true);
        EXPECT_EQ(RGB(255, 0, 0), MiddlePixel(view));
        // A file that is no picture leaves the pane empty, without a message.
        SelectFile(fileDialog, "trasig.bmp");
        EXPECT_TRUE(PumpUntil([&] { return MiddlePixel(view) == RGB(255, 255, 255); }, 5000));
        PressButton(fileDialog, IDCANCEL);
    });
}
