// The mouse command dialog's rules.
#include "editor/MouseCommandModel.h"

namespace mouse {

namespace {

const char kMouseTag[] = "<Mouse ";
const char kMove[] = "<Mouse Move";
const char kPosition[] = "<Mouse Pos";
const char kClick[] = "<Mouse Click";

bool Holds(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

// Where the first run of consecutive mouse tags lies in a command: [begin, end); begin is npos
// without one.
struct Run {
    size_t begin = std::string::npos;
    size_t end = std::string::npos;
};

Run FirstMouseRun(const std::string& command)
{
    const std::vector<size_t> starts = command::TokenStarts(command);
    Run run;
    for (size_t i = 0; i + 1 < starts.size(); ++i) {
        const bool mouse = command.compare(starts[i], sizeof(kMouseTag) - 1, kMouseTag) == 0;
        if (mouse && run.begin == std::string::npos)
            run.begin = starts[i];
        if (!mouse && run.begin != std::string::npos)
            return run.end = starts[i], run;
        if (mouse)
            run.end = starts[i + 1];
    }
    return run;
}

// The tag that begins with the head, up to and including its '>' (to the end without one); empty
// when the text holds no such tag.
std::string TagOf(const std::string& text, const char* head)
{
    size_t at = text.find(head);
    if (at == std::string::npos)
        return std::string();
    size_t close = text.find('>', at);
    return text.substr(at, close == std::string::npos ? std::string::npos : close - at + 1);
}

command::MouseDirection DirectionOf(const std::string& tag)
{
    using command::MouseDirection;
    const bool left = Holds(tag, " L");
    const bool right = Holds(tag, " R");
    if (Holds(tag, " U"))
        return left ? MouseDirection::UpLeft : right ? MouseDirection::UpRight : MouseDirection::Up;
    if (Holds(tag, " D"))
        return left ? MouseDirection::DownLeft : right ? MouseDirection::DownRight : MouseDirection::Down;
    return right ? MouseDirection::Right : left ? MouseDirection::Left : MouseDirection::Up;
}

void ReadClick(const std::string& tag, MouseChoices& choices)
{
    choices.button = Holds(tag, " L") ? kLeftButton : kRightButton;
    choices.action = Holds(tag, " 1X") ? kSingleClick : Holds(tag, " 2X") ? kDoubleClick
                                                      : Holds(tag, " D")  ? kHoldDown
                                                                          : kLetUp;
}

// x * 10000 / size, and 0 for a rectangle without that size.
int Relative(int pixels, int size)
{
    return size > 0 ? static_cast<int>(static_cast<long long>(pixels) * 10000 / size) : 0;
}

// The corner transformation; each one is its own inverse except the centre's.
void FromCorner(char corner, int width, int height, int& x, int& y)
{
    switch (corner) {
    case '2': x = width - x; break;
    case '3': x = width - x; y = height - y; break;
    case '4': y = height - y; break;
    case 'C': x -= width / 2; y -= height / 2; break;
    }
}

void ToCorner(char corner, int width, int height, int& x, int& y)
{
    if (corner == 'C') {
        x += width / 2;
        y += height / 2;
    } else {
        FromCorner(corner, width, height, x, y);
    }
}

} // namespace

std::string BuildMouseCommand(const MouseChoices& choices)
{
    if (choices.mode == Mode::Move)
        return command::MouseMoveTag(choices.direction, choices.fast);
    if (choices.button == kNoButton || choices.action < kSingleClick || choices.action > kLetUp)
        return std::string();
    const std::string position = choices.mode == Mode::Position ? choices.positionTag : std::string();
    return position + command::MouseClickTag(choices.button == kLeftButton ? command::MouseButton::Left
                                                                           : command::MouseButton::Right,
                                             static_cast<command::MouseAction>(choices.action));
}

bool ParseMouseCommand(const std::string& command, MouseChoices& choices)
{
    const Run run = FirstMouseRun(command);
    if (run.begin == std::string::npos)
        return false;
    const std::string tags = command.substr(run.begin, run.end - run.begin);
    if (Holds(tags, kMove)) {
        const std::string move = TagOf(tags, kMove);
        choices.mode = Mode::Move;
        choices.direction = DirectionOf(move);
        choices.fast = Holds(move, " F>");
    } else if (Holds(tags, kPosition)) {
        // The position tag alone, and the click that follows it as it was chosen.
        choices.mode = Mode::Position;
        choices.positionTag = TagOf(tags, kPosition);
        const std::string click = TagOf(tags.substr(tags.find(kPosition)), kClick);
        if (!click.empty())
            ReadClick(click, choices);
    } else if (Holds(tags, kClick)) {
        choices.mode = Mode::ClickOnly;
        ReadClick(TagOf(tags, kClick), choices);
    } else {
        return false;
    }
    return true;
}

std::string PlaceMouseCommand(const std::string& command, const std::string& mouseCommand)
{
    if (mouseCommand.empty())
        return command;
    const Run run = FirstMouseRun(command);
    if (run.begin == std::string::npos)
        return command + mouseCommand;
    return command.substr(0, run.begin) + mouseCommand + command.substr(run.end);
}

ControlStates ControlStatesFor(Mode mode)
{
    ControlStates states;
    switch (mode) {
    case Mode::Move:
        states.directions = true;
        break;
    case Mode::Position:
        states.catchPoint = states.advanced = states.clickLists = true;
        break;
    case Mode::ClickOnly:
        states.clickLists = states.tryCommand = true;
        break;
    }
    return states;
}

Position MeasurePoint(const MouseClickReference* reference, POINT screenPoint, const RECT& window, SIZE screen)
{
    Position position;
    const bool complete = reference && reference->unit_ && reference->target_ && reference->corner_;
    RECT area = window;
    if (complete) {
        position.reference[0] = reference->unit_;
        position.reference[1] = reference->target_ == 'S' ? 'S' : 'W';
        position.reference[2] = reference->corner_;
        if (position.reference[1] == 'S')
            area = RECT{0, 0, screen.cx, screen.cy};
    }
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    int x = screenPoint.x - area.left;
    int y = screenPoint.y - area.top;
    FromCorner(position.reference[2], width, height, x, y);
    if (position.reference[0] != 'P') {
        x = Relative(x, width);
        y = Relative(y, height);
    }
    position.x = x;
    position.y = y;
    return position;
}

POINT PointOfPosition(const Position& position, const RECT* window, SIZE screen)
{
    const RECT area = position.reference[1] != 'S' && window ? *window : RECT{0, 0, screen.cx, screen.cy};
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    int x = position.x;
    int y = position.y;
    if (position.reference[0] != 'P') {
        x = static_cast<int>(static_cast<long long>(x) * width / 10000);
        y = static_cast<int>(static_cast<long long>(y) * height / 10000);
    }
    ToCorner(position.reference[2], width, height, x, y);
    return POINT{area.left + x, area.top + y};
}

POINT AbsoluteInputPoint(POINT screenPoint, SIZE screen)
{
    // Rounded up, so the system's own rounding down (value * size / 65536) lands on the pixel.
    auto scale = [](long pixel, long size) {
        if (size <= 0)
            return 0L;
        if (pixel < 0)
            pixel = 0;
        if (pixel >= size)
            pixel = size - 1;
        return static_cast<long>((static_cast<long long>(pixel) * 65536 + size - 1) / size);
    };
    return POINT{scale(screenPoint.x, screen.cx), scale(screenPoint.y, screen.cy)};
}

int TryClicks(int action)
{
    switch (action) {
    case kSingleClick: return 1;
    case kDoubleClick: return 2;
    case kHoldDown: return 1;
    }
    return 0;
}

DWORD ButtonDownFlag(int button)
{
    return button == kRightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
}

DWORD ButtonUpFlag(int button)
{
    return button == kRightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
}

int MatchingReference(const std::vector<MouseClickReference>& named, const MouseClickReference& reference)
{
    for (size_t i = 0; i < named.size(); ++i)
        if (named[i] == reference)
            return static_cast<int>(i);
    return -1;
}

} // namespace mouse
