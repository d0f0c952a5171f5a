#pragma once
// A scripted FTP server on a loopback port for the exchanges no real server
// produces: canned replies per command, and a data connection that is sent,
// never opened, opened from a foreign address or left stalled. It records every
// command line it receives.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace trev::peers {

class FtpFaultServer {
public:
    enum class Data {
        Send,              // connect, send dataBytes, close
        Never,             // never connect
        ForeignThenSend,   // first a connection from foreignAddress that sends other bytes, then Send
        ForeignOnly,       // only the connection from foreignAddress
        Stall,             // send dataBytes and keep the connection open until the client closes it
        AbortOpen,         // send dataBytes and completion, and keep the connection open
        ReplyInstead,      // never connect; send completion on the control connection at once
    };

    struct Script {
        std::string greeting = "220 Fault server ready\r\n";
        // After the greeting, these bytes again and again until the client closes.
        std::string endlessAfterGreeting;
        // Reply text by command verb (USER, PASS, TYPE, SYST, PORT, RETR); defaults below.
        std::map<std::string, std::string> replies;
        Data data = Data::Send;
        std::string dataBytes;
        std::string foreignAddress = "127.0.0.2";
        std::string foreignBytes = "INJECTED";
        // Sent after the data connection is done (not with Never or Stall).
        std::string completion = "226 Transfer complete\r\n";
        // Above 0: the greeting, or dataBytes, go one byte at a time, this many ms apart (a drip).
        int greetingDripMs = 0;
        int dataDripMs = 0;
    };

    FtpFaultServer();
    ~FtpFaultServer();
    FtpFaultServer(const FtpFaultServer&) = delete;
    FtpFaultServer& operator=(const FtpFaultServer&) = delete;

    uint16_t port() const;
    // What the next control connection gets; forgets the recorded commands.
    void setScript(Script script);
    // The command lines received so far, without their CR LF.
    std::vector<std::string> commands() const;
    // With a foreign connection: true once the client closed it (seen before the completion reply).
    bool foreignConnectionClosed() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace trev::peers
