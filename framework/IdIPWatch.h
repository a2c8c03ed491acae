// TIdIPWatch: the IP watcher component. It answers the workstation's first local address
// and its host name, and keeps a history of addresses that it saves to a file when it is
// freed. This program never activates it, so no watch thread is started and the history
// it saves is empty.
#pragma once
#include <string>
#include <vector>

#include "framework/Classes.h"
#include "framework/SocketErrors.h"

namespace fw {

// The addresses the host-name lookup lists for host, dotted, in the order given.
// Raises EIdWinSockError when the lookup fails.
std::vector<std::string> HostAddresses(const std::string& host);

class TIdIPWatch : public TComponent {
public:
    FW_CLASS(TIdIPWatch)
    explicit TIdIPWatch(TComponent* owner) : TComponent(owner) {}
    void BeforeDestruction() override;

    // Stored only: the watch thread is not part of this program.
    bool Active = false;
    bool HistoryEnabled = true;
    std::string HistoryFilename = "iphist.dat";

    // First address of the host-name lookup, asked afresh each time. Raises
    // EIdWinSockError on a failed lookup and "List index out of bounds (0)" when the
    // lookup lists no address.
    std::string LocalIP() const;
    // The host name as the socket library reports it.
    std::string LocalName() const;

    const std::vector<std::string>& History() const { return history_; }
    // Writes the history, one address a line, to HistoryFilename (relative to the current
    // directory). A file that cannot be written is left alone without a report.
    void SaveHistory() const;

    bool SetProperty(const std::string& name, const TPropValue& value) override;

private:
    std::vector<std::string> history_;
};

// Makes TIdIPWatch known to form descriptions; called once at start-up.
void RegisterIPWatchClasses();

}  // namespace fw
