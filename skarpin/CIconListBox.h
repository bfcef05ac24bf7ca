// The main window's list of overlays: owner-drawn lines with an icon, multiple selection, and the drag
// of overlays onto another line or onto a set of the tree, tracked with the mouse capture.
#pragma once
#include "framework/Dialog.h"
#include "skarpin/SetListOwner.h"
#include "skarpin/SetTreeCtrl.h"
#include "store/ListRecords.h"
#include <commctrl.h>
#include <string>
#include <vector>

class CIconListBox : public fw::SubclassedWindow {
public:
    static constexpr int kLineHeight = 16;
    static constexpr int kDragStartMoves = 5; // the drag starts at the move after this many
    static constexpr int kMoveCursorId = 203;
    static constexpr int kCopyCursorId = 204;

    enum ClickState { kIdle, kPressed };

    CIconListBox();
    ~CIconListBox() override;

    // After the window is attached: whom to tell, the owner's list lines (one per line) and its tree.
    void SetOwner(SetListOwner* owner, std::vector<SetItem>* lines, SetTreeCtrl* tree);
    void SetImageList(HIMAGELIST images) { images_ = images; }

    // Both give the line's position, or a negative value when the list box refused the line.
    int AddItem(const std::string& text, int icon = -1);
    int InsertItem(int position, const std::string& text, int icon = -1);

    // The owner forwards the list's WM_MEASUREITEM and WM_DRAWITEM.
    static void MeasureItem(MEASUREITEMSTRUCT& measure);
    void DrawItem(const DRAWITEMSTRUCT& draw) const;

    bool IsPressed() const { return pressed_; }
    bool IsDragging() const { return dragging_; }
    bool IsCopying() const { return copy_; }
    ClickState Click() const { return clickState_; }
    int SourceLine() const { return source_; }
    int TargetLine() const { return target_; }
    int LastFramedLine() const { return lastFramed_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static bool MovesSelection(WPARAM key);
    void SetIcon(int line, int icon);
    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam);
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnLeftButtonUp(WPARAM wParam, LPARAM lParam);
    void ResetDrag();
    // The line under a client point, or -1 when the point lies on no line.
    int LineAt(POINT point) const;
    void RepaintLine(int line) const;
    void FrameLine(int line) const;

    SetListOwner* owner_ = nullptr;
    std::vector<SetItem>* lines_ = nullptr;
    SetTreeCtrl* tree_ = nullptr;
    HIMAGELIST images_ = nullptr;
    bool pressed_ = false;
    bool dragging_ = false;
    bool copy_ = false;
    HBRUSH frameBrush_;
    int moves_ = 0;
    int source_ = -1;
    int target_ = -1;
    int lastFramed_ = -1;
    ClickState clickState_ = kIdle;
    POINT pressPoint_{};
    bool selectionKept_ = false;
    // Inside our own button-up handling, where the capture is given up on purpose.
    bool releasing_ = false;
};
