// The Windows Start menu as the program-menu dialog shows it: the user's and the common "Programs"
// folders walked into one tree, the shortcuts resolved to a program and its arguments, and the
// program's icon as a picture.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

// The two folders the Start menu is read from; either may be empty.
struct StartMenuFolders {
    std::string user;   // "Programs" of the user's shell folders
    std::string common; // "Common Programs" of the machine's

    // The folders the registry names under ...\Explorer\Shell Folders, or those the reader set gives.
    static StartMenuFolders Read();
    // Replaces where Read looks (tests point it at folders of their own); an empty reader restores the
    // registry.
    static void SetReader(std::function<StartMenuFolders()> reader);
};

// One entry of the tree: a folder with its entries, or a file (a shortcut, usually).
struct StartMenuEntry {
    std::string name; // the file name without what follows its last '.'; a folder's whole name
    std::string path; // the first file or folder found under that name
    bool folder = false;
    std::vector<StartMenuEntry> entries;
};

// The folders walked in order into one tree, each level in the order the file system lists it. Names
// that begin with '.' and "desktop" (desktop.ini) are skipped. A name already under the same parent is
// not added again; a folder of a name already there is merged into that branch, so the user's and the
// common Start menu appear as one.
std::vector<StartMenuEntry> ReadStartMenu(const std::vector<std::string>& folders);
// The name an entry is shown under.
std::string EntryName(const std::string& fileName, bool folder);

// What a Start-menu file starts: the target of a shortcut and its arguments. A file that is no
// shortcut, or a shortcut whose target lacks its own file name, starts itself; each step that fails
// leaves what the earlier ones found.
struct StartedProgram {
    std::string program;
    std::string arguments;
};
StartedProgram ResolveShortcut(const std::string& file);

// The program's icon drawn at 32 x 32 on white, as a packed DIB (24 bits a pixel) in moveable global
// memory that the caller frees with GlobalFree; null when the shell gives no icon.
HGLOBAL ProgramIconPicture(const std::string& program);
