// Counts the GDI objects and device contexts that the test program makes and gives back,
// by replacing the program's own imports of the creating and freeing functions while an
// object of this class lives (the system's own count is not available under Wine).
#pragma once
#include <windows.h>
#include <vector>

namespace harness {

class GdiCounter {
public:
    GdiCounter();
    ~GdiCounter();
    GdiCounter(const GdiCounter&) = delete;
    GdiCounter& operator=(const GdiCounter&) = delete;

    size_t Created() const;             // GDI objects made since the start
    std::vector<HANDLE> Alive() const;  // those of them not deleted yet
    int DCsHeld() const;                // window and paint DCs taken and not given back
};

}  // namespace harness
