#pragma once
// What an embedded screen asks of the window that hosts it.
#include "transfer/update_server.h"

#include <string>

namespace trev {

class ScreenHost {
public:
    // As the settings last loaded say.
    virtual Protocol protocol() const = 0;
    virtual UpdateServer updateServer() const = 0;
    // The status bar's hint panel.
    virtual void setHint(const std::string& text) = 0;
    // Reads the settings files again and applies them.
    virtual void LoadSettings() = 0;

protected:
    ~ScreenHost() = default;
};

// A host without a window: a fixed protocol and server, hints go nowhere
// (tools and tests that show a screen on its own).
class StandaloneHost : public ScreenHost {
public:
    StandaloneHost(Protocol protocol, UpdateServer server) : protocol_(protocol), server_(std::move(server)) {}
    Protocol protocol() const override { return protocol_; }
    UpdateServer updateServer() const override { return server_; }
    void setHint(const std::string& text) override { hint_ = text; }
    void LoadSettings() override {}
    const std::string& hint() const { return hint_; }
    void setSource(Protocol protocol, UpdateServer server) {
        protocol_ = protocol;
        server_ = std::move(server);
    }

private:
    Protocol protocol_;
    UpdateServer server_;
    std::string hint_;
};

}  // namespace trev
