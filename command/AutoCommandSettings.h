// The rule of the automatic command: what a picture chosen from an image base writes as its block's
// command.
#pragma once
#include <string>

// The command the command editor puts on a block when a picture is chosen: prefix, the picture's text,
// file or code, suffix.
struct AutoCommandSettings {
    enum Mode { kPictureText = 0, kPictureFile = 1, kPictureCode = 2 };

    int enabled_ = 0; // kept in memory only: off at every start
    int mode_ = kPictureText;
    std::string prefix_;
    std::string suffix_;
};
