// The serial link's rules that need no keyboard: port names, version answers and the firmware gate,
// the [Defaults] keys, and a link without a port object.
#include "device/AccessKvoraLink.h"
#include "ImageBaseFiles.h"
#include "library/IniFile.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<BYTE>;

TEST(LinkRulesTest, PortNumbersAreReadWhole)
{
    const struct {
        const char* name;
        int port;
    } cases[] = {
        {"COM1", 1}, {"COM9", 9}, {"com3", 3}, {"COM10", 10}, {"COM255", 255},
        {"COM", 0}, {"", 0}, {"COMx", 0}, {"COM0", 0}, {"COM256", 0}, {"COM1x", 0}, {"COM 3", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.port, AccessKvoraLink::ParsePortNumber(c.name)) << c.name;
}

TEST(LinkRulesTest, VersionAnswers)
{
    const struct {
        Bytes answer;
        int result;
        int version;
        char model;
    } cases[] = {
        {{'V', '1', '.', '2', 'P', 0x03}, AccessKvoraLink::kVersionRead, 12, 'P'},
        {{0x41, '8', '.', '0', 'A', 0x03}, AccessKvoraLink::kVersionRead, 80, 'A'},
        {{'V', '1', '.', '2', 'P' | 0x80, 0x03}, AccessKvoraLink::kVersionRead, 12, 'P'},
        {{'V', '1', '.', '2', '#', 0x03}, AccessKvoraLink::kVersionRead, 12, ' '},
        {{'V', '1', '.', '2'}, AccessKvoraLink::kVersionRead, 12, ' '},   // the 0x03 never came
        {{'V', '1', '2', '.', '3', 0x03}, AccessKvoraLink::kVersionRead, 120, ' '},  // the minor digit stands at the fourth byte
        {{'V', 'x', '.', '2', 'P', 0x03}, AccessKvoraLink::kVersionFailed, 0, ' '},
        {{'V', 0x03}, AccessKvoraLink::kVersionFailed, 0, ' '},
        {{'V', '1', '.', '2', 'P', '0', '1', '2', '3', '4', '5', 0x03}, AccessKvoraLink::kVersionFailed, 0, ' '},
    };
    for (const auto& c : cases) {
        int version = -1;
        char model = '?';
        EXPECT_EQ(c.result, AccessKvoraLink::ParseVersion(c.answer, version, model)) << c.answer.size();
        EXPECT_EQ(c.version, version);
        EXPECT_EQ(c.model, model);
    }
}

TEST(LinkRulesTest, TheFirmwareMustSuitTheModel)
{
    const int ps2 = AccessKvoraLink::kPS2;
    const int access = AccessKvoraLink::kAccessKvora;
    const struct {
        int kind;
        int result;
        int version;
        bool suits;
    } cases[] = {
        {ps2, AccessKvoraLink::kVersionRead, 12, true},
        {ps2, AccessKvoraLink::kVersionRead, 79, true},
        {ps2, AccessKvoraLink::kVersionRead, 80, false},
        {ps2, AccessKvoraLink::kVersionSilent, 0, true},  // firmware older than the version request
        {ps2, AccessKvoraLink::kVersionFailed, 0, false},
        {access, AccessKvoraLink::kVersionRead, 80, true},
        {access, AccessKvoraLink::kVersionRead, 79, false},
        {access, AccessKvoraLink::kVersionSilent, 0, false},
        {access, AccessKvoraLink::kVersionFailed, 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.suits, AccessKvoraLink::FirmwareSuits(c.kind, c.result, c.version)) << c.kind << " " << c.version;
}

// A link writes its trace into the current folder: a folder of the test's own.
class LinkWithoutKeyboardTest : public testing::Test {
protected:
    testsupport::TempFolder folder_;
    testsupport::CurrentFolderGuard current_{folder_.Path()};
    TraceLog trace_;
};

TEST_F(LinkWithoutKeyboardTest, DefaultsKeys)
{
    const std::string ini = folder_ / "skarpin.ini";
    AccessKvoraLink link(trace_);
    link.Attach(ini, AccessKvoraLink::kPS2);
    EXPECT_EQ("COM1", link.GetPortName());
    EXPECT_TRUE(link.ScanPortsEnabled());
    ini::WriteString(ini, "Defaults", "ScanPorts", "0");
    EXPECT_FALSE(link.ScanPortsEnabled());
    link.SavePortName(4);
    EXPECT_EQ("COM4", ini::ReadString(ini, "Defaults", "Port"));
}

// Without a port object nothing answers, and nothing counts as ready or found.
TEST_F(LinkWithoutKeyboardTest, ALinkThatIsNotAttachedFindsAndSendsNothing)
{
    AccessKvoraLink link(trace_);
    EXPECT_EQ(nullptr, link.Serial());
    EXPECT_EQ(AccessKvoraLink::kNoAnswer, link.Ping());
    int version = -1;
    char model = '?';
    EXPECT_EQ(AccessKvoraLink::kVersionFailed, link.ReadVersion(version, model));
    EXPECT_EQ(0, version);
    EXPECT_EQ(' ', model);
    EXPECT_EQ(0, link.FindKeyboard());
    size_t total = 99;
    EXPECT_FALSE(link.SendSet(nullptr, total));
    EXPECT_EQ(0u, total); // an image never begun is no set
    link.Image().Reset();
    EXPECT_FALSE(link.SendSet(nullptr, total));
    EXPECT_EQ(6u, total);
    EXPECT_FALSE(link.Drain());
}

// The keyboard's line replaces what the port had, parity included; what the keyboard does not care
// about stays as it was.
TEST(CSerialLineTest, TheKeyboardsLineReplacesThePortsOwn)
{
    DCB dcb{};
    dcb.DCBlength = sizeof(dcb);
    dcb.BaudRate = 9600;
    dcb.ByteSize = 7;
    dcb.Parity = EVENPARITY;
    dcb.fParity = TRUE;
    dcb.StopBits = ONESTOPBIT;
    dcb.fOutxCtsFlow = TRUE;
    dcb.fOutxDsrFlow = TRUE;
    dcb.fDsrSensitivity = TRUE;
    dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
    dcb.fDtrControl = DTR_CONTROL_HANDSHAKE;
    dcb.XonLim = 123;
    dcb.EofChar = 0x1A;
    CSerial::SetKeyboardLine(dcb, 19200);
    EXPECT_EQ(19200u, dcb.BaudRate);
    EXPECT_EQ(8, dcb.ByteSize);
    EXPECT_EQ(NOPARITY, dcb.Parity);
    EXPECT_FALSE(dcb.fParity);
    EXPECT_EQ(TWOSTOPBITS, dcb.StopBits);
    EXPECT_TRUE(dcb.fOutX && dcb.fInX);
    EXPECT_EQ(0x11, dcb.XonChar);
    EXPECT_EQ(0x13, dcb.XoffChar);
    EXPECT_EQ(unsigned(RTS_CONTROL_DISABLE), dcb.fRtsControl);
    EXPECT_EQ(unsigned(DTR_CONTROL_DISABLE), dcb.fDtrControl);
    EXPECT_FALSE(dcb.fOutxCtsFlow || dcb.fOutxDsrFlow || dcb.fDsrSensitivity);
    EXPECT_EQ(123, dcb.XonLim);
    EXPECT_EQ(0x1A, dcb.EofChar);
}

} // namespace
