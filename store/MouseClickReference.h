// How a caught mouse position is measured: the unit, what it is measured against and the corner it
// counts from; by itself or as a named entry of the program settings.
#pragma once
#include <string>

class MouseClickReference {
public:
    MouseClickReference() = default;
    virtual ~MouseClickReference() = default;
    MouseClickReference(const MouseClickReference&) = default;
    MouseClickReference& operator=(const MouseClickReference&) = default;

    // Relative, window, top left, no name.
    void Reset();
    // The name does not take part: two references measure the same way when their characters agree.
    bool operator==(const MouseClickReference& other) const;
    bool operator!=(const MouseClickReference& other) const { return !(*this == other); }

    char unit_ = 'R';   // 'R' 1/10000 of the reference rectangle, 'P' pixels
    char target_ = 'W'; // 'W' the window under the point, 'S' the screen
    char corner_ = '1'; // '1' top left, '2' top right, '3' bottom right, '4' bottom left, 'C' centre
    std::string name_;
};
