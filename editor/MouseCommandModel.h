// The mouse command dialog's decisions without its window: the command its choices build, the choices
// a stored command gives back, which controls each mode offers, and how a caught point is measured
// and found again.
#pragma once
#include "command/CommandSyntax.h"
#include "store/MouseClickReference.h"
#include <windows.h>
#include <string>
#include <vector>

namespace mouse {

// The order of the mode radios.
enum class Mode { Move = 0, Position = 1, ClickOnly = 2 };

// The lines of the button list and of the action list.
enum ButtonChoice { kNoButton = 0, kLeftButton = 1, kRightButton = 2 };
enum ActionChoice { kNoAction = -1, kSingleClick = 0, kDoubleClick = 1, kHoldDown = 2, kLetUp = 3 };

// Everything the dialog's controls choose, as the dialog opens: move up, slowly, left single click.
struct MouseChoices {
    Mode mode = Mode::Move;
    command::MouseDirection direction = command::MouseDirection::Up;
    bool fast = false;
    int button = kLeftButton;
    int action = kSingleClick;
    std::string positionTag; // the caught "<Mouse Pos ...>" tag; empty until a point is caught
};

// The command the choices make: a move tag; or, for a position and for a click alone, the position
// tag and the click tag, and nothing at all without a button or an action.
std::string BuildMouseCommand(const MouseChoices& choices);

// Sets the choices a stored command names: its move, its position with the click after it, or its
// click. False (the choices untouched) when it holds no mouse tag.
bool ParseMouseCommand(const std::string& command, MouseChoices& choices);

// The caller's command given back with the built mouse command in place of the mouse tags it held (the
// first run of them), or after it when it held none. An empty built command changes nothing.
std::string PlaceMouseCommand(const std::string& command, const std::string& mouseCommand);

// Which controls a mode offers.
struct ControlStates {
    bool directions = false; // the eight direction radios and the two speed radios
    bool catchPoint = false; // "Fånga Klickpunkt"
    bool cancelCatch = false;
    bool advanced = false;
    bool clickLists = false;
    bool tryCommand = false;
};
ControlStates ControlStatesFor(Mode mode);

// A point measured as a position tag holds it: the three reference characters and x and y.
struct Position {
    char reference[3] = {'R', 'W', '1'};
    int x = 0;
    int y = 0;
};

// Measures a caught screen point. A reference with its three characters set measures against the
// screen ('S') or the window the point lies in (any other second character becomes 'W'), from its
// corner, in pixels ('P') or in 1/10000 of the rectangle's width and height. Without one, the point is
// measured relative to the window's top-left corner. A rectangle without width or height gives 0 on
// that axis.
Position MeasurePoint(const MouseClickReference* reference, POINT screenPoint, const RECT& window, SIZE screen);

// The screen point a position stands for: measured back against the window's rectangle (the screen's
// when the position counts from the screen or the window is gone).
POINT PointOfPosition(const Position& position, const RECT* window, SIZE screen);

// A point as absolute input takes it: 0 ... 65535 across the screen, landing on the pixel again.
POINT AbsoluteInputPoint(POINT screenPoint, SIZE screen);

// The click flags of a try (1 one click, 2 two; a hold is tried as one click, so no button is left
// held down; 0 for a release or no button), and the button-down and button-up input flags.
int TryClicks(int action);
DWORD ButtonDownFlag(int button);
DWORD ButtonUpFlag(int button);

// The first named reference that measures as the given one does; -1 when none does.
int MatchingReference(const std::vector<MouseClickReference>& named, const MouseClickReference& reference);

} // namespace mouse
