// The import wizard's unpacking, its progress and its failures.
#include "skarpin/ImportUnpacking.h"
#include "framework/Clock.h"
#include "framework/Dialog.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "skarpin/ImportArchive.h"
#include "skarpin/resource.h"
#include <commctrl.h>
#include <prsht.h>

namespace {

// Often enough that the window answers at once, seldom enough to cost nothing beside the unpacking.
const DWORD kPumpEveryMs = 100;

} // namespace

bool UnpackingState::QueryCancel()
{
    if (!running_)
        return true;
    cancelRequested_ = true;
    return false;
}

UnpackingProgress::UnpackingProgress(HWND page, UnpackingState& state, int labelId, int barId, UINT textId)
    : page_(page), state_(state), labelId_(labelId), barId_(barId), textId_(textId == 0 ? IDS_IMPORT_READING : textId)
{
    state_.running_ = true;
    state_.cancelRequested_ = false;
    ::SendMessageA(::GetParent(page_), PSM_SETWIZBUTTONS, 0, 0);
}

UnpackingProgress::~UnpackingProgress()
{
    state_.running_ = false;
}

bool UnpackingProgress::operator()(const zip::Progress& progress)
{
    const std::string name = progress.file.substr(progress.file.find_last_of('/') + 1);
    ::SetDlgItemTextA(page_, labelId_, fw::FormatResString(textId_, name.c_str()).c_str());
    ::ShowWindow(::GetDlgItem(page_, barId_), SW_SHOW);
    ::SendDlgItemMessageA(page_, barId_, PBM_SETPOS, static_cast<WPARAM>(progress.Percent()), 0);
    const DWORD now = fw::TickCount();
    if (!pumped_ || now - lastPump_ >= kPumpEveryMs) {
        pumped_ = true;
        lastPump_ = now;
        ::UpdateWindow(::GetDlgItem(page_, labelId_));
        ::UpdateWindow(::GetDlgItem(page_, barId_));
        fw::PumpMessages();
    }
    return !state_.cancelRequested_;
}

void UnpackingProgress::CloseIfCancelled()
{
    state_.running_ = false;
    if (state_.cancelRequested_)
        ::PostMessageA(::GetParent(page_), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

void ReportUnpackFailure(HWND owner, zip::Result result, const std::string& zipPath, const std::string& entry,
                         std::uint64_t neededBytes)
{
    const std::string& where = entry.empty() ? zipPath : entry;
    UINT textId = IDS_IMPORT_DAMAGED;
    std::string text;
    switch (result) {
    case zip::Result::CannotOpen:
        textId = IDS_IMPORT_CANNOT_OPEN;
        text = fw::FormatResString(textId, zipPath.c_str());
        break;
    case zip::Result::NotAnArchive:
        textId = IDS_IMPORT_NOT_A_ZIP;
        text = fw::FormatResString(textId, zipPath.c_str());
        break;
    case zip::Result::CrcError:
        textId = IDS_IMPORT_CRC_ERROR;
        break;
    case zip::Result::Unsupported:
        textId = IDS_IMPORT_UNSUPPORTED;
        break;
    case zip::Result::CannotWrite:
        textId = IDS_IMPORT_CANNOT_UNPACK;
        break;
    case zip::Result::NoVolume:
        textId = IDS_IMPORT_VOLUME_MISSING;
        break;
    case zip::Result::TooLarge: {
        textId = neededBytes > importwizard::ImportArchive::kMostUnpacked ? IDS_IMPORT_PAST_CEILING : IDS_IMPORT_NO_ROOM;
        // Megabytes, rounded up: a file of a few bytes still needs room.
        const unsigned long megabytes = static_cast<unsigned long>((neededBytes + (1 << 20) - 1) >> 20);
        text = fw::FormatResString(textId, megabytes);
        break;
    }
    default:
        break;
    }
    if (text.empty())
        text = fw::FormatResString(textId, where.c_str());
    fw::ShowMessage(owner, textId, text, fw::LoadResString(IDS_EXPORT_ERROR_CAPTION), MB_OK | MB_ICONSTOP);
}
