#pragma once

#include <future>
#include <thread>

// Reading the system's font configuration is the largest single cost of a
// start, and it needs nothing from the window. A second thread reads it while
// the application object is made, then looks up the design face in Qt's font
// database, so the first control to need a font finds everything ready.
class FontPreload {
public:
    // Starts reading; make this before the QApplication.
    FontPreload();
    // Waits for the thread, which stops early if the application never came.
    ~FontPreload();
    FontPreload(const FontPreload&) = delete;
    FontPreload& operator=(const FontPreload&) = delete;

    // The QApplication exists: installs the face substitutions, then lets the
    // thread look up the design face.
    void applicationReady();
    // Waits until the thread is done.
    void finish();

private:
    std::promise<bool> go_;
    bool told_ = false;
    std::thread thread_;
};
