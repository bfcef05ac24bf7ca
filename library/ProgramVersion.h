// A program file's version and date, as the about boxes show them.
#pragma once
#include <windows.h>
#include <string>

struct ProgramVersion {
    std::string version;     // the FileVersion of the file's version resource; empty without one
    bool dated = false;      // the file was found
    SYSTEMTIME lastWrite{};  // its last change, in local time
};

// Reads the version resource and the last-write time of a program file.
ProgramVersion ReadProgramVersion(const std::string& programFile);
// "%Y-%m-%d", or "%d-%m-%Y" when the year goes last.
std::string FormatProgramDate(const SYSTEMTIME& date, bool yearFirst);
// The file of the running program.
std::string RunningProgramFile();
