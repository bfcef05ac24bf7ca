// Sends a full set to the keyboard simulator, which reads no faster than a 19,200-baud line, and
// times it from the first byte to the answer of the final ping, beside the line's own limit (the
// image's bytes x 11 bits at 19,200 baud). The link's waits are the keyboard's real ones. Then sends
// it again the load dialog's way, the port asked on the dialog's transfer timer (each look starts the
// next chunk of the write), and times it until the keyboard has read the whole image.
//
//     tools/keyboard_sim/with_keyboard.sh build/x64/tools/bench_serial/bench_serial.exe [overlays]
//
// The set: the given number of overlays (default 100) of 127 one-cell blocks, each command 12 key
// bytes (a picture code typed as a content string, such as "@A101@"), and the 27 standard overlays
// of 16 such blocks.
#include "device/AccessKvoraLink.h"
#include "library/ImageBaseManager.h"
#include "library/IniFile.h"
#include "tools/bench_common/BenchTiming.h"
#include "tools/keyboard_sim/HandMadeImage.h"
#include "tools/keyboard_sim/KeyboardControl.h"
#include <cstdio>
#include <cstdlib>

namespace {

const int kPort = 1;
const int kBlocks = 127;
const int kCommandBytes = 12;
const int kStandardOverlays = 27;
const int kStandardBlocks = 16;

// The image sent again as the load dialog sends it: the link starts the window's transfer timer, and
// at each tick the port is asked what it still holds until it holds nothing. The time runs until the
// keyboard has read the last byte; -1 when it never did.
double SendTheDialogsWay(AccessKvoraLink& link, KeyboardControl& keyboard)
{
    keyboard.Do("reset");
    keyboard.Do("read-baud 19200");
    HWND window = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    size_t total = 0;
    const double start = bench::Now();
    if (!link.SendSet(window, total)) {
        ::DestroyWindow(window);
        return -1;
    }
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.wParam == AccessKvoraLink::kTransferTimer
            && link.Serial()->OutQueueCount() == 0)
            break;
        ::DispatchMessageA(&message);
    }
    ::KillTimer(window, AccessKvoraLink::kTransferTimer);
    ::DestroyWindow(window);
    // The port has taken every byte; the keyboard may still be reading what the system holds for it.
    auto received = [&] {
        for (const std::string& entry : keyboard.Log())
            if (entry.compare(0, 6, "image-") == 0)
                return true;
        return false;
    };
    while (!received() && bench::Now() - start < 10 * 60 * 1000.0)
        ::Sleep(50);
    link.Drain();
    // The keyboard's clock runs from its first byte, which the port took at once.
    return received() ? keyboard.ImageMilliseconds() : -1;
}

} // namespace

int main(int argc, char** argv)
{
    const int overlays = argc > 1 ? std::max(0, std::min(100, std::atoi(argv[1]))) : 100;
    KeyboardControl keyboard;
    if (!keyboard.Connected()) {
        std::printf("no keyboard simulator: run this through tools/keyboard_sim/with_keyboard.sh\n");
        return 1;
    }
    keyboard.Do("reset");
    keyboard.Do("link " + std::to_string(kPort));
    keyboard.Do("read-baud 19200");

    char tempBase[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, tempBase);
    std::string folder = std::string(tempBase) + "bench_serial";
    ImageBaseManager::DeleteTree(folder);
    ImageBaseManager::CreatePath(folder);
    ::SetCurrentDirectoryA(folder.c_str()); // the trace file lands here
    const std::string ini = folder + "\\skarpin.ini";
    ini::WriteString(ini, "Defaults", "ScanPorts", "0");
    ini::WriteString(ini, "Defaults", "Port", "COM" + std::to_string(kPort));

    AccessKvoraLink link;
    link.Attach(ini, AccessKvoraLink::kPS2);
    if (link.FindKeyboard() != 1) {
        std::printf("the simulator was not found on COM%d\n", kPort);
        return 1;
    }
    SetImage& image = link.Image();
    image.Reset();
    AppendHandMadeOverlays(image, 1, overlays, kBlocks, kCommandBytes);
    AppendHandMadeOverlays(image, 101, kStandardOverlays, kStandardBlocks, kCommandBytes);
    image.AppendTrailer();
    const size_t bytes = image.Size();
    const double limit = bytes * 11.0 * 1000.0 / 19200.0;
    std::printf("Set image: %d overlays of %d blocks and %d standard overlays of %d, %zu bytes\n", overlays, kBlocks,
                kStandardOverlays, kStandardBlocks, bytes);
    std::printf("  line limit at 19,200 baud (11 bits a byte)        %10.1f ms\n", limit);

    // The link's own road: SendSet without a window waits for the transfer, the keyboard's answer
    // (5 s) and its storing (5 s), reads away what it sends; then the final ping.
    size_t total = 0;
    const double start = bench::Now();
    const bool sent = link.SendSet(nullptr, total);
    const double setSent = bench::Now();
    const int ping = link.Ping();
    const double end = bench::Now();
    const double device = keyboard.ImageMilliseconds();

    std::printf("  SendSet returned (%s)                             %10.1f ms\n", sent ? "sent  " : "FAILED", setSent - start);
    std::printf("  the keyboard read the image, first byte to last      %10.1f ms\n", device);
    std::printf("  first byte to the final ping's answer (%s)    %10.1f ms  = %.3f x the limit, %+.1f ms\n",
                ping == AccessKvoraLink::kReady ? "ready" : "NOT READY", end - start, (end - start) / limit,
                end - start - limit);
    const std::vector<BYTE> received = keyboard.LastImage();
    std::printf("  the keyboard received the image %s\n", received == image.Bytes() ? "byte for byte" : "DAMAGED");

    const double dialogRoad = SendTheDialogsWay(link, keyboard);
    std::printf("  the dialog's way: first byte to the keyboard's last   %10.1f ms  = %.3f x the limit\n", dialogRoad,
                dialogRoad / limit);
    const bool dialogReceived = keyboard.LastImage() == image.Bytes();
    std::printf("  the keyboard received the image %s\n", dialogReceived ? "byte for byte" : "DAMAGED");
    keyboard.Do("reset");
    return sent && ping == AccessKvoraLink::kReady && received == image.Bytes() && dialogReceived ? 0 : 1;
}
