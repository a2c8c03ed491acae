// The unit protocol: each unit of the program (ours, the edit controls', the auxiliary
// components') has start-up and shut-down work guarded by a per-unit counter, so that
// the work runs once at the first initialisation and once at the last finalisation.
// The program initialises units in dependency order and finalises them in reverse.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace fw {

class TUnit {
public:
    using Work = std::function<void()>;
    TUnit(std::string name, Work startup, Work shutdown);

    const std::string& Name() const { return name_; }
    int Counter() const { return counter_; }

    void Initialize();  // counter 0 -> 1 runs the start-up work
    void Finalize();    // counter 1 -> 0 runs the shut-down work; below 0 never

private:
    std::string name_;
    Work startup_, shutdown_;
    int counter_ = 0;
};

// Runs the initialisations of a program in the given order and, later, the finalisations
// of those that ran, in reverse. Units are reached through functions returning a static
// TUnit, so no work happens in static constructors.
class TUnitSequence {
public:
    explicit TUnitSequence(std::vector<TUnit*> order) : order_(std::move(order)) {}
    void InitializeAll();
    void FinalizeAll();
    const std::vector<TUnit*>& Order() const { return order_; }

private:
    std::vector<TUnit*> order_;
    size_t initialized_ = 0;
};

// A trace of unit start-up and shut-down events, for diagnostics and tests.
std::vector<std::string>& UnitTrace();

}  // namespace fw
