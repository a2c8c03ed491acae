// The anti-freeze: while the user-interface thread waits on the network, it lets the
// application handle its queued messages, so windows keep repainting and handlers run.
// It acts for the whole process: waiting code asks for the one in force.
#pragma once
#include "framework/Classes.h"

namespace fw {

class TIdAntiFreeze : public TComponent {
public:
    FW_CLASS(TIdAntiFreeze)
    explicit TIdAntiFreeze(TComponent* owner);
    ~TIdAntiFreeze() override;

    bool Active = true;
    // The application's queued messages are all handled each time; kept for descriptions.
    bool ApplicationHasPriority = true;
    int IdleTimeOut = 250;  // ms: the slice a network wait lasts between two message runs
    bool OnlyWhenIdle = true;

    bool SetProperty(const std::string& name, const TPropValue& value) override;

    // The newest active anti-freeze when the caller is the user-interface thread; null
    // otherwise (then waits simply block).
    static TIdAntiFreeze* ForCurrentThread();

    // Lets the application handle its queued messages now.
    void Process();
    // After a wait slice in which nothing arrived.
    void Idle() { Process(); }
    // After a slice in which data arrived, or after data was sent.
    void Busy() {
        if (!OnlyWhenIdle) Process();
    }
};

}  // namespace fw
