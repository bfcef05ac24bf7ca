// Paths rewritten inside content strings.
#include "library/ContentPaths.h"
#include "library/ContentGrammar.h"

namespace {

// The parser's rule: a part without '.', or shorter than two characters, is a picture code.
bool IsPath(const std::string& part)
{
    return part.find('.') != std::string::npos && part.size() >= 2;
}

// Whether the new path reads back as the one path it replaces: a plain part ends at a '+' or the
// delimiter, a quote begins a label or a speech, and a '!' first in the string marks it crossed.
bool StandsAsPath(const std::string& path, char delimiter, bool first)
{
    return IsPath(path) && path.find_first_of(std::string("+") + delimiter) == std::string::npos &&
           path[0] != '\'' && path[0] != '"' && !(first && path[0] == '!');
}

} // namespace

int RewriteContentPaths(std::string& content, char delimiter, const std::vector<std::string>* videoExtensions,
                        const ContentPathRewrite& rewrite)
{
    content_grammar::Parts parts;
    if (!content_grammar::Scan(content, delimiter, parts))
        return 0;
    std::vector<content_grammar::Span> paths;
    auto offer = [&](const content_grammar::Span& span) {
        if (IsPath(span.Of(content)))
            paths.push_back(span);
    };
    offer(parts.first);
    if (parts.further.size() == 1)
        offer(parts.further.front());

    // From the end, so the earlier spans keep their places.
    int changed = 0;
    for (auto span = paths.rbegin(); span != paths.rend(); ++span) {
        const std::string before = span->Of(content);
        std::string path = before;
        if (!rewrite(path, media::KindOf(before, videoExtensions)) || path == before)
            continue;
        if (!StandsAsPath(path, delimiter, span->begin == parts.first.begin))
            continue;
        content.replace(span->begin, span->end - span->begin, path);
        ++changed;
    }
    return changed;
}
