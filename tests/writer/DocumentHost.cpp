// The document window's test host.
#include "DocumentHost.h"
#include "support/HostWindow.h"
#include "writer/PrintableArea.h"

namespace {

const int kMargin = 20;

} // namespace

DocumentHost::DocumentHost(FileIO& fileIO, Settings& settings, int width, int height)
    : fileIO_(fileIO), settings_(settings)
{
    hwnd_ = testsupport::CreateHostWindow("Morvel", width, height);
    ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DocumentHost::WindowProc));
    fw::MessageFilter::Register(hwnd_, this);
    pictures_ = std::make_unique<CImagXpress>(hwnd_, 103, nullptr, 0, 0, 0, 0);
    ::ShowWindow(hwnd_, SW_SHOW);

    document_.Attach(this);
    document_.Create(hwnd_);
    RECT client;
    ::GetClientRect(hwnd_, &client);
    PlaceDocument(RECT{client.left + kMargin, client.top + kMargin, client.right - kMargin, client.bottom - kMargin});
    document_.Clear();
}

DocumentHost::~DocumentHost()
{
    document_.DestroyWindow();
    fw::MessageFilter::Unregister(hwnd_);
    ::DestroyWindow(hwnd_);
}

void DocumentHost::SetPrinter(HDC printer)
{
    printer_ = DocumentPrinter();
    if (printer) {
        printer_.dc = printer;
        printer_.printable = PrintableRectangle(GeometryOf(printer));
        printer_.pixelsPerInchX = ::GetDeviceCaps(printer, LOGPIXELSX);
        printer_.pixelsPerInchY = ::GetDeviceCaps(printer, LOGPIXELSY);
    }
    document_.ComputePrintMetrics();
    document_.Layout();
}

// As the main window's layout: the document window is moved without repainting, then the whole
// window is repainted.
void DocumentHost::PlaceDocument(const RECT& rect)
{
    document_.MoveTo(rect, false);
    ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void DocumentHost::StopAllPlayback()
{
    ++stops_;
    if (playback_)
        playback_->StopAllPlayback();
}

int DocumentHost::SpeakText(const std::string& text)
{
    heard_.push_back("speak " + text);
    return playback_ ? playback_->SpeakText(text) : speakResult_;
}

int DocumentHost::PlayMediaFile(const std::string& path)
{
    heard_.push_back("play " + path);
    return playback_ ? playback_->PlayMediaFile(path) : playResult_;
}

void DocumentHost::ClearPause()
{
    heard_.push_back("clear pause");
    if (playback_)
        playback_->ClearPause();
}

void DocumentHost::UpdatePageScroller(int currentPage, int lastPage)
{
    scrollerCurrent_ = currentPage;
    scrollerLast_ = lastPage;
    ++scrollerUpdates_;
}

// As the main window does: every typed character goes to the document window, whatever has the
// focus; the keys sent to the document window meet its accelerators there.
bool DocumentHost::PreTranslateMessage(MSG& message)
{
    if (message.message == WM_CHAR || message.hwnd == document_.Handle())
        return document_.PreTranslateMessage(message);
    return false;
}

LRESULT CALLBACK DocumentHost::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* host = reinterpret_cast<DocumentHost*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    LRESULT result = 0;
    if (host && host->playback_ && host->playback_->HandleMessage(message, wParam, lParam, result))
        return result;
    if (host && message == WM_COMMAND) {
        host->commands_.push_back(LOWORD(wParam));
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}
