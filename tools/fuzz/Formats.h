// The formats the programs read, each with its seed files and the code that reads an input of it.
#pragma once
#include "Mutator.h"
#include <string>
#include <vector>

namespace fuzz {

struct Format {
    const char* name;
    const char* extension;  // of the files kept
    bool text;
};

const std::vector<Format>& Formats();
// -1 when there is no format of that name.
int FindFormat(const std::string& name);

// Everything an input is read with: a throw-away configuration (settings, a set, an image base and a
// key table) in the temporary folder, made once per process.
class Workspace {
public:
    Workspace();
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    // The seed files of a format: files of ours and of other programs, all of them valid.
    std::vector<Bytes> Seeds(int format);
    // Reads the input the way the programs read that format: from a file where they read files. True
    // when the input was taken (a picture made, a file read whole).
    bool Run(int format, const Bytes& input);
    // For pictures and metafiles: whether the input is taken as a picture (the seeds all must be).
    bool Takes(int format, const Bytes& input);

private:
    struct State;
    State* state_;
};

} // namespace fuzz
