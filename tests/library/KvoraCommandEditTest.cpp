// The content-catching edit control, driven by the characters a keyboard block types, and the
// picture-reference helpers.
#include "ImageBaseFiles.h"
#include "library/KvoraCommandEdit.h"
#include "library/KvoraObject.h"
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

int g_notifications = 0;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KVORA_CONTENT && wParam == CKvoraCommand::kContentCaught)
        ++g_notifications;
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

class KvoraCommandEdit : public testing::Test {
protected:
    void SetUp() override
    {
        std::string base = folder.Write("djur.ini", IniText({"[ProgDir]", "Dir=" + folder.Path(), "[Bilder]", "12=hund"}));
        settings = folder.Write("imgbase.ini", IniText({"[ImageBases]", "A=" + base + ",Djur"}));
        folder.Write("12.bmp", "BM");

        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = OwnerProc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KvoraCommandOwner";
        ::RegisterClassA(&windowClass);
        owner = ::CreateWindowA("KvoraCommandOwner", "", WS_OVERLAPPED, 0, 0, 200, 100, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
        edit = ::CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 180, 20, owner, nullptr,
                               windowClass.hInstance, nullptr);
        g_notifications = 0;
        CKvoraCommand::ResetCapture();
    }
    void TearDown() override { ::DestroyWindow(owner); }

    void Type(const std::string& text)
    {
        for (char c : text)
            ::SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
    }

    WindowsFileGuard sharedSounds{"picwav.ini"};
    TempFolder folder;
    std::string settings;
    HWND owner = nullptr;
    HWND edit = nullptr;
};

} // namespace

TEST_F(KvoraCommandEdit, TypedContentStringNotifiesTheOwnerAndStillReachesTheField)
{
    CKvoraCommand control(owner, settings);
    ASSERT_TRUE(control.Attach(edit));
    Type("Hej @A12@");
    EXPECT_EQ(1, g_notifications);
    EXPECT_EQ("@A12@", control.LastSequence());
    EXPECT_EQ("Hej @A12@", fw::Window(edit).Text());
}

TEST_F(KvoraCommandEdit, EmptyOrUnknownSequencesDoNotNotify)
{
    CKvoraCommand control(owner, settings);
    ASSERT_TRUE(control.Attach(edit));
    Type("@@");
    Type("@c:\\x.doc@");
    EXPECT_EQ(0, g_notifications);
}

TEST_F(KvoraCommandEdit, LongSequenceIsCutAtEightyAndClosedByTheNextAt)
{
    CKvoraCommand control(owner, settings);
    ASSERT_TRUE(control.Attach(edit));
    std::string speech = "\"" + std::string(85, 'a') + "\"";
    Type("@" + speech + "@");
    EXPECT_EQ(1, g_notifications);
    EXPECT_EQ("@" + speech.substr(0, 80) + "@", control.LastSequence());
}

TEST_F(KvoraCommandEdit, PictureReferencesByExtensionOrCode)
{
    EXPECT_EQ(0, IsPictureReference("", settings));
    EXPECT_EQ(1, IsPictureReference("c:\\bilder\\SOL.BMP", settings));
    EXPECT_EQ(1, IsPictureReference("c:\\bilder\\sol.png", settings)); // every picture kind the programs read
    EXPECT_EQ(2, IsPictureReference("A12", settings));
    EXPECT_EQ(0, IsPictureReference("A13", settings));

    std::string path, folderOut;
    Image record;
    ASSERT_EQ(1, LookupPictureCode("A12", settings, path, folderOut, record));
    EXPECT_EQ(folder.Path() + "\\12.bmp", path);
    EXPECT_EQ(folder.Path(), folderOut);
    EXPECT_EQ("hund", record.GetText());
    EXPECT_EQ(1, CKvoraObject::FileExists(path));
    EXPECT_EQ(0, CKvoraObject::FileExists(folder.Path() + "\\saknas.bmp"));
}
