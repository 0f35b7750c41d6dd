#pragma once

#include <memory>

class TFGlowna;

// Creates every window of the program once, in start-up order, and returns the main window.
// The other windows are its children: they live as long as it does, and its commands find
// them with TFGlowna::programWindow<T>().
std::unique_ptr<TFGlowna> createProgramWindows();
