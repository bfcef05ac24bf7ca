// The message dialog: its text and font, picture buttons per template, its picture, and the sound it
// plays and stops.
#include "library/MessageDlg.h"
#include "components/GdiPlusCodec.h"
#include "library/SoundPlay.h"
#include "library/resource.h"
#include "support/DialogDriver.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <mmsystem.h>
#include <vector>

using namespace testsupport;

namespace {

struct PlayCall {
    std::string path; // empty: a stop
    DWORD flags;
};

class MessageDlgTest : public testing::Test {
protected:
    void SetUp() override
    {
        sound::SetPlayHandler([this](const char* path, DWORD flags) {
            calls.push_back({path ? path : "", flags});
            return true;
        });
    }
    void TearDown() override { sound::SetPlayHandler(nullptr); }

    std::vector<PlayCall> calls;
};

// The button shows a picture on its face instead of its caption.
bool ShowsPicture(HWND dialog, int id)
{
    const DrawnButton drawn = DrawOwnerDrawnButton(dialog, id, 0);
    return !drawn.Empty() && drawn.At(5, 5) == ::GetSysColor(COLOR_BTNFACE) &&
           drawn.CountOtherThan(::GetSysColor(COLOR_BTNFACE), 5) > 20;
}

} // namespace

TEST_F(MessageDlgTest, TextOnlyMessageShowsTheTextInLargeType)
{
    MessageDlg message(IDD_MESSAGE_YESNO, "Vill du spara \xF6verl\xE4gget?");
    INT_PTR result = RunModal(message, [](fw::Dialog& d) {
        EXPECT_EQ("Vill du spara \xF6verl\xE4gget?", Text(d, IDC_MESSAGE_TEXT));
        EXPECT_EQ("Ja", Text(d, IDOK));
        EXPECT_EQ("Nej", Text(d, IDCANCEL));
        EXPECT_FALSE(ShowsPicture(d, IDOK)) << "the yes/no template keeps text buttons";
        EXPECT_FALSE(IsVisible(d, IDC_MESSAGE_PICTURE));

        HFONT font = reinterpret_cast<HFONT>(::SendMessageA(::GetDlgItem(d, IDC_MESSAGE_TEXT), WM_GETFONT, 0, 0));
        LOGFONTA logFont{};
        ASSERT_TRUE(::GetObjectA(font, sizeof(logFont), &logFont));
        EXPECT_EQ(22, logFont.lfHeight);
        EXPECT_EQ(FW_NORMAL, logFont.lfWeight);
        EXPECT_STREQ("Arial", logFont.lfFaceName);
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    // Nothing was played; closing still silences whatever sound was playing.
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ("", calls[0].path);
}

TEST_F(MessageDlgTest, PictureTemplatesGetBitmapButtons)
{
    for (UINT templateId : {IDD_MESSAGE_OKCANCEL, IDD_MESSAGE_PICTURE_YESNO}) {
        MessageDlg message(templateId, "Klart!");
        RunModal(message, [](fw::Dialog& d) {
            EXPECT_TRUE(ShowsPicture(d, IDOK));
            EXPECT_TRUE(ShowsPicture(d, IDCANCEL));
            Click(d, IDOK);
        });
    }
    MessageDlg empty(static_cast<HWND>(nullptr));
    EXPECT_EQ(IDD_MESSAGE_OKCANCEL, empty.TemplateId());
    EXPECT_EQ("", empty.Message());
}

TEST_F(MessageDlgTest, SoundPlaysAsynchronouslyAndClosingStopsIt)
{
    MessageDlg message(IDD_MESSAGE_OKCANCEL, "Lyssna", nullptr, "C:\\ljud\\hej.wav");
    RunModal(message, [&](fw::Dialog& d) {
        ASSERT_EQ(1u, calls.size());
        EXPECT_EQ("C:\\ljud\\hej.wav", calls[0].path);
        EXPECT_EQ(static_cast<DWORD>(SND_ASYNC | SND_NODEFAULT | SND_FILENAME), calls[0].flags);
        Click(d, IDOK);
    });
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ("", calls[1].path) << "closing must stop the sound";
}

TEST_F(MessageDlgTest, PictureShowsInThePlaceholdersPlace)
{
    testsupport::TempFolder folder;
    PixelImage red;
    ASSERT_TRUE(red.Reset(60, 40, 0xFF0000));
    ASSERT_TRUE(codec::Encode(red, L"image/png", folder / "sol.png"));

    MessageDlg message(IDD_MESSAGE_OKCANCEL, "Solen skiner", (folder / "sol.png").c_str());
    RunModal(message, [](fw::Dialog& d) {
        const auto& dialog = static_cast<MessageDlg&>(d);
        ASSERT_NE(nullptr, dialog.Picture());
        const auto& control = dialog.Picture()->GetInterface();
        ASSERT_NE(nullptr, control);
        EXPECT_TRUE(control->HasPicture());
        EXPECT_EQ(60, control->Width());

        const HWND view = ::GetDlgItem(d, IDC_MESSAGE_PICTURE_VIEW);
        ASSERT_NE(nullptr, view);
        EXPECT_TRUE(::IsWindowVisible(view));
        EXPECT_EQ(fw::Window(view).RectInParent().left, d.Item(IDC_MESSAGE_PICTURE).RectInParent().left);
        EXPECT_EQ(fw::Window(view).RectInParent().bottom, d.Item(IDC_MESSAGE_PICTURE).RectInParent().bottom);
        // The OK button is still the dialog's item 1, for the Enter key and for clicks.
        char className[32] = "";
        ::GetClassNameA(::GetDlgItem(d, IDOK), className, sizeof(className));
        EXPECT_STREQ("Button", className);
        Click(d, IDOK);
    });
    EXPECT_EQ(nullptr, message.Picture()) << "closing releases the picture control";
}

TEST_F(MessageDlgTest, MissingPictureShowsTheMessageWithAnEmptyPicture)
{
    MessageDlg message(IDD_MESSAGE_PICTURE_YESNO, "Var \xE4r bilden?", "C:\\finns\\inte.png");
    INT_PTR result = RunModal(message, [](fw::Dialog& d) {
        const auto& dialog = static_cast<MessageDlg&>(d);
        ASSERT_NE(nullptr, dialog.Picture());
        EXPECT_FALSE(dialog.Picture()->GetInterface()->HasPicture());
        EXPECT_EQ("Var \xE4r bilden?", Text(d, IDC_MESSAGE_TEXT));
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
}
