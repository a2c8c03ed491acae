#include "framework/Units.h"

namespace fw {

std::vector<std::string>& UnitTrace() {
    static std::vector<std::string> trace;
    return trace;
}

TUnit::TUnit(std::string name, Work startup, Work shutdown)
    : name_(std::move(name)), startup_(std::move(startup)), shutdown_(std::move(shutdown)) {}

void TUnit::Initialize() {
    if (counter_++ == 0) {
        UnitTrace().push_back("init " + name_);
        if (startup_) startup_();
    }
}

void TUnit::Finalize() {
    if (counter_ <= 0) return;
    if (--counter_ == 0) {
        UnitTrace().push_back("fini " + name_);
        if (shutdown_) shutdown_();
    }
}

void TUnitSequence::InitializeAll() {
    for (; initialized_ < order_.size(); ++initialized_) order_[initialized_]->Initialize();
}

void TUnitSequence::FinalizeAll() {
    while (initialized_ > 0) order_[--initialized_]->Finalize();
}

}  // namespace fw
