#pragma once
// The drag-and-drop side of the control framework that the control base needs: the phases of a
// control's own drag and drop, and the wait that decides whether a press becomes a drag.
#include "classlib/Win.h"

// ddpPending after a press that may start a drag and drop, ddpActive while one runs.
enum class TcxDragDropPhase { ddpNone, ddpPending, ddpActive };
using enum TcxDragDropPhase;

// Answers of WaitForDragStart.
constexpr int cxDragStartReleased = 0;
constexpr int cxDragStartMoved = 1;
constexpr int cxDragStartCancelled = 2;

// With the mouse captured to wnd, handles the thread's messages until the mouse leaves the square of
// half-side MouseDragThreshold around p (screen coordinates; left and top edges inside, right and
// bottom outside): cxDragStartMoved; until a mouse button is released first: cxDragStartReleased;
// or until Escape, another window taking the capture or WM_QUIT (posted again for the outer loop):
// cxDragStartCancelled. The capture is released at the end when wnd still has it.
int WaitForDragStart(HWND wnd, POINT p);
