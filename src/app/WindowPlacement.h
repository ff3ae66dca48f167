#pragma once

class QMainWindow;

namespace quorvel::app {

// Shows the window where and as it was when the program last ended normally (maximised the first time),
// and keeps its size and state in the program's settings when it closes.
void showInKeptPlacement(QMainWindow& window);

} // namespace quorvel::app
