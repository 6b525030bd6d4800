// What screen readers see of the widgets Qt has no interface for, or a wrong one: the read-only
// list of lines is a list whose items are its lines, the picture key a push button (a checkable
// one when it is a two-state key), an option a radio button, a window drawn from a model a frame
// or a dialog, and the announcer a status bar holding the notification it speaks through.
#pragma once

namespace tavrol::qt {

// Makes Qt use these interfaces; once is enough, and it must come before the first such widget
// is made, since Qt keeps the interface it gave a widget first.
void installAccessibleInterfaces();

} // namespace tavrol::qt
