// Paths rewritten inside content strings.
#include "library/ContentPaths.h"
#include "library/ContentGrammar.h"

int RewriteContentPaths(std::string& content, char delimiter, const std::vector<std::string>* videoExtensions,
                        const ContentPathRewrite& rewrite)
{
    content_grammar::Parts parts;
    if (!content_grammar::Scan(content, delimiter, parts))
        return 0;
    std::vector<content_grammar::Span> paths;
    auto offer = [&](const content_grammar::Span& span) {
        const std::string part = span.Of(content);
        // The parser's rule: a part without '.', or shorter than two characters, is a picture code.
        if (part.find('.') != std::string::npos && part.size() >= 2)
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
        content.replace(span->begin, span->end - span->begin, path);
        ++changed;
    }
    return changed;
}
