#pragma once
// A bar between two controls stacked one above the other; dragging it moves the boundary,
// resizing both, and neither gets smaller than MinSize pixels.

#include "Controls.h"

#include <windows.h>

class TSplitter : public TWinControl {
public:
    explicit TSplitter(TComponent* owner);

    // The window class ("KdSplitter") a dialog template names for the bar; registered by
    // RegisterWindowClass, which must run before such a template is made into a window.
    static const char* ClassName();
    static void RegisterWindowClass();

    // Makes the bar in `parent`; one from a dialog template is taken over with Attach.
    void Create(HWND parent, const RECT& bounds, int id = 0);

    // The controls above and below the bar. Without them (or when one is gone) the bar uses
    // the sibling windows that end just above it and begin just below it.
    void SetNeighbours(HWND above, HWND below);
    // Puts the bar's top edge at `top` (parent coordinates) as a drag there would, within the
    // limits; returns where it went.
    int MoveTo(int top);

    // Neither neighbour gets smaller than this.
    int MinSize = 10;
    // The bar was moved (by a drag or by MoveTo).
    TNotifyEvent OnMoved;

protected:
    void CreateWnd() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FindNeighbours();
    POINT PointInParent(LPARAM lParam) const;
    void PaintBackground(HDC dc);

    HWND Above = nullptr;
    HWND Below = nullptr;
    bool Dragging = false;
    int GrabOffset = 0; // where in the bar the mouse took hold of it
};
