// One Morvel user: a settings file in the users folder named by the user.
#pragma once
#include <string>

// A plain value record kept in a growable array; its fields are public and set directly by the
// users dialog and the settings sheet.
class User {
public:
    void Clear() { *this = User(); }

    std::string name_;     // the file's title; "<Standard>" for the default user
    std::string path_;     // full path of the user's ini file; empty for the default user
    std::string oldName_;  // the name before an edit in the settings sheet; empty for a new user
    int flag_ = 0;         // always 0
};
