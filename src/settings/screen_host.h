#pragma once
// What an embedded screen asks of the window that hosts it.
#include "transfer/update_server.h"

#include <string>

namespace trev {

class ScreenHost {
public:
    // 'H' (HTTP) or 'F' (FTP), as the settings last loaded say.
    virtual char protocolLetter() const = 0;
    virtual UpdateServer updateServer() const = 0;
    // The status bar's hint panel.
    virtual void setHint(const std::string& text) = 0;
    // Reads the settings files again and applies them.
    virtual void LoadSettings() = 0;

protected:
    ~ScreenHost() = default;
};

// A host without a window: a fixed letter and server, hints go nowhere
// (tools and tests that show a screen on its own).
class StandaloneHost : public ScreenHost {
public:
    StandaloneHost(char letter, UpdateServer server) : letter_(letter), server_(std::move(server)) {}
    char protocolLetter() const override { return letter_; }
    UpdateServer updateServer() const override { return server_; }
    void setHint(const std::string& text) override { hint_ = text; }
    void LoadSettings() override {}
    const std::string& hint() const { return hint_; }
    void setSource(char letter, UpdateServer server) {
        letter_ = letter;
        server_ = std::move(server);
    }

private:
    char letter_;
    UpdateServer server_;
    std::string hint_;
};

}  // namespace trev
