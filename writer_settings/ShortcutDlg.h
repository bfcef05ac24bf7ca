// Puts a shell link on the Windows desktop that starts Morvel with one user's settings file.
#pragma once
#include "framework/Dialog.h"
#include "writer_settings/Settings.h"
#include "writer_settings/User.h"
#include <functional>
#include <string>

// What a link is made of.
struct LinkProperties {
    std::string target;        // the program file
    std::string arguments;     // the user's settings file; empty for the default user
    std::string workingFolder; // the program folder
    std::string linkFile;      // "<desktop>\<name>.lnk"
    std::string iconPath;      // empty: the target's own icon
};

// The desktop folder of the current user, as the shell's folder list in the registry names it;
// empty when the key or the value is missing.
std::string DesktopFolder();

// Given the user and the user's settings (neither owned). Run modally.
class ShortcutDlg : public fw::Dialog {
public:
    ShortcutDlg(const User& user, const Settings& settings, HWND parent);

    // Writes the link through the shell's link object; 0 on success, else the failing call's result.
    // Each property that cannot be set is reported; a program or user file that cannot be set fails
    // the link, which is then not saved.
    static HRESULT CreateLink(const LinkProperties& link, HWND owner);
    // The program a link starts: the program file, or the target of the program's own link.
    static std::string LinkTarget(const Settings& settings, HWND window);
    // A free name on the desktop for this proposal: itself, else "%s 2", "%s 3", ...
    static std::string FreeLinkName(const std::string& desktop, const std::string& name);

    // Tests put the desktop elsewhere; empty restores the registry's.
    static void SetDesktopForTests(const std::string& folder);

protected:
    bool OnInitDialog() override;
    bool OnOK() override;

private:
    const User& user_;
    const Settings& settings_;
    std::string desktop_;
};
