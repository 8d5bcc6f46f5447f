// Scripts act on the plug-in's windows while they are open, the way message
// boxes are answered: actions are queued, in order, for the window of a
// design name (FormMain, FormProgress, ...) and run once that window is
// shown and enabled. A thread timer runs them while any message loop of the
// plug-in turns (a modal window's, a message box's, a lookup's wait); an
// action gated "at FUNCTION N" runs instead at the Nth call of that host
// function from then on, for windows shown during a busy run (the progress
// window), through the simulator's hook at every host call.
//
//   window NAME [at FUNCTION N] ACTION ARGUMENTS
//
// Actions (controls by design name):
//   click CONTROL            posts BM_CLICK
//   key CONTROL enter|escape|tab    posts the key
//   type CONTROL TEXT        posts WM_CHAR for each character ("\r" is Enter's character)
//   set-text CONTROL TEXT    sets the text ("\r\n" breaks a line)
//   tab CONTROL N            chooses page N (0 first) as a click on its tab does
//   tree CONTROL PATH        selects the node of captions PATH, "\" between levels
//   grid CONTROL FIRST [LAST]  selects rows FIRST to LAST
//   wait-idle                waits until the window's modal loop has gone idle once
//   print CONTROL|NAME       prints text, checked and enabled state, rectangle (and
//                            position, page, selected node and every node, or cells,
//                            by kind)
//   focus                    prints the design name of the control with the keyboard focus
//   close                    the close box
//   screenshot FILE          the window as a BMP file, when a display is there
//   run LINE                 runs the scenario line while the window is up (a
//                            menu command chosen in the middle of the window's work)
#pragma once

#include <functional>
#include <string>

namespace sim {

// Queues the action of one script line (the text after "window"); false
// when the line is not understood.
// `run` carries out the lines of the action "run".
bool QueueWindowAction(const std::string& line,
                       const std::function<void(const std::string&)>& run = nullptr);
// Runs the actions due at this call of a host function (the simulator
// registers it as a listener of its host-call hook).
void RunWindowActionsAt(const char* function);
// Prints the actions that never ran, and forgets them.
void ReportPendingWindowActions();

}  // namespace sim
