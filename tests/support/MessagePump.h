#pragma once
// The tests' message pump: handles what reaches the GUI thread (window messages, and calls that
// worker threads hand to it) while a test waits for something to happen. Tests never sleep and
// then assert that nothing happened: they wait for the event, with a generous limit.
#include <functional>
#include "classlib/Win.h"

enum class TPumpWork {
  Messages,          // window messages and calls handed over by worker threads
  MessagesAndIdle,   // also the application's idle work (mouse enter and leave, hints, OnIdle)
};

// Handles everything waiting now.
void HandleWaitingMessages(TPumpWork work = TPumpWork::Messages);
// Handles messages until done() holds or timeoutMs pass; answers done().
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 2000, TPumpWork work = TPumpWork::Messages);
// Handles messages for ms milliseconds (for things that take a little while and are then checked).
void Pump(int ms = 50, TPumpWork work = TPumpWork::Messages);
// Handles one waiting message (as the application's loop would), or, with none waiting, the calls
// worker threads handed to the GUI thread within 5 ms; answers whether it handled anything. For
// tests that look at the state between two messages.
bool HandleOneMessage();
// Handles one message at a time (HandleOneMessage) until done() holds or timeoutMs pass; answers
// done().
bool StepUntil(const std::function<bool()>& done, int timeoutMs = 2000);
// Waits without handling anything until done() holds (for what another thread or the system does
// while the queue must stay as it is) or timeoutMs pass; answers done().
bool WaitWithoutPumping(const std::function<bool()>& done, int timeoutMs = 2000);
// Moves the cursor to a screen point and handles messages until it stays there. The X server
// reports warps late, and a late report can put Wine's idea of the cursor back where it was: the
// move is repeated, each time waiting longer, until two looks a while apart find the cursor at the
// point. Answers whether it stayed.
bool MoveCursorTo(POINT screen);

// Sends the message to every top-level window of this process, as the system broadcasts a change
// of settings, style or colours to every top-level window; the test processes that run alongside
// are left alone. Answers how many windows it reached.
int BroadcastToOwnWindows(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
