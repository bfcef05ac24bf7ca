// Rewriting the file paths inside a content string where they stand (a folder renamed, media copied
// into another set): only the text of a path that changes is replaced, and everything else of the
// string stays as it was, parts that this machine does not understand included.
#pragma once
#include "library/MediaFiles.h"
#include <functional>
#include <string>
#include <vector>

// Gets each path and its kind (Unknown for an extension no list holds); changes the path and returns
// true to have it replaced.
using ContentPathRewrite = std::function<bool(std::string& path, media::Kind kind)>;

// Offers every file path of the content string to the rewrite, picture codes never (a part without
// '.'). A path is a part that the parser reads whole; plain parts that the parser joins into one are
// left alone. Returns how many paths changed; a text that is not a content string is left as it is.
int RewriteContentPaths(std::string& content, char delimiter, const std::vector<std::string>* videoExtensions,
                        const ContentPathRewrite& rewrite);
