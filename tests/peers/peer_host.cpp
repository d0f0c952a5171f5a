// The peer host: the Linux side of a Windows test run under Wine. It runs the test's
// servers and does for it what a Windows program cannot do on Linux. Each connection
// is served by a process of its own, which ends, and stops all it started, when the
// connection closes: a test that dies leaves nothing running.
//
// peer-host PORTFILE: listens on a free loopback port and writes "127.0.0.1:<port>"
// to PORTFILE once it accepts connections.
#include "peers/child_process.h"
#include "peers/fault_script_wire.h"
#include "peers/fault_server.h"
#include "peers/ftp_fault_server.h"
#include "peers/peer_system.h"
#include "peers/peer_wire.h"
#include "platform/host_names.h"
#include "platform/tcp_socket.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <stdexcept>

namespace trev::peers {
namespace {

// What one connection has started.
class Session {
public:
    PeerMessage handle(const PeerMessage& request) {
        if (request.empty()) throw std::runtime_error("empty request");
        const auto handler = handlers().find(request[0]);
        if (handler == handlers().end()) throw std::runtime_error("unknown request " + request[0]);
        return (this->*handler->second)(PeerMessage(request.begin() + 1, request.end()));
    }

private:
    using Handler = PeerMessage (Session::*)(const PeerMessage&);

    static const std::map<std::string, Handler>& handlers() {
        static const std::map<std::string, Handler> table = {
            {"end", &Session::end},
            {"realpath", &Session::realPath},
            {"run", &Session::run},
            {"running", &Session::running},
            {"stop", &Session::stop},
            {"account", &Session::account},
            {"link", &Session::link},
            {"command", &Session::command},
            {"fault-http", &Session::faultHttp},
            {"fault-http-add", &Session::faultHttpAdd},
            {"fault-http-count", &Session::faultHttpCount},
            {"fault-http-received", &Session::faultHttpReceived},
            {"fault-http-wait", &Session::faultHttpWait},
            {"fault-ftp", &Session::faultFtp},
            {"fault-ftp-script", &Session::faultFtpScript},
            {"fault-ftp-commands", &Session::faultFtpCommands},
            {"fault-ftp-foreign-closed", &Session::faultFtpForeignClosed},
        };
        return table;
    }

    static size_t number(const std::string& text) { return static_cast<size_t>(std::stoull(text)); }
    static void require(const PeerMessage& args, size_t count) {
        if (args.size() < count) throw std::runtime_error("too few arguments");
    }
    template <class T>
    static T& started(const std::unique_ptr<T>& thing) {
        if (!thing) throw std::runtime_error("nothing started on this connection");
        return *thing;
    }

    // Stops what the connection started before the answer, so the client knows it is gone.
    PeerMessage end(const PeerMessage&) {
        process_.reset();
        faultHttp_.reset();
        faultFtp_.reset();
        return {};
    }
    // path: the path without symbolic links (Wine's drive links hold a colon,
    // which a database name would read as a server).
    PeerMessage realPath(const PeerMessage& args) {
        require(args, 1);
        return {std::filesystem::weakly_canonical(args[0]).string()};
    }
    // log, argv...
    PeerMessage run(const PeerMessage& args) {
        require(args, 2);
        process_ = std::make_unique<ChildProcess>(PeerMessage(args.begin() + 1, args.end()), args[0]);
        return {};
    }
    PeerMessage running(const PeerMessage&) { return {started(process_).running() ? "1" : "0"}; }
    PeerMessage stop(const PeerMessage&) {
        started(process_).stop();
        return {};
    }
    PeerMessage account(const PeerMessage&) {
        const PeerAccount who = peerAccount();
        return {who.user, who.group};
    }
    // target, link
    PeerMessage link(const PeerMessage& args) {
        require(args, 2);
        linkPeerFile(args[0], args[1]);
        return {};
    }
    // timeoutMs, input, entry count, entries..., argv...
    PeerMessage command(const PeerMessage& args) {
        require(args, 3);
        const size_t entries = number(args[2]);
        require(args, 4 + entries);
        const PeerMessage environment(args.begin() + 3, args.begin() + 3 + entries);
        const PeerMessage argv(args.begin() + 3 + entries, args.end());
        const CommandResult result = runPeerCommand(argv, args[1], environment, static_cast<int>(number(args[0])));
        return {std::to_string(result.exitCode), result.output};
    }

    PeerMessage faultHttp(const PeerMessage&) {
        faultHttp_ = std::make_unique<FaultServer>();
        return {std::to_string(faultHttp_->port())};
    }
    PeerMessage faultHttpAdd(const PeerMessage& args) {
        started(faultHttp_).addConnection(faultScriptFrom(args, 0));
        return {};
    }
    PeerMessage faultHttpCount(const PeerMessage&) { return {std::to_string(started(faultHttp_).connectionCount())}; }
    // connection
    PeerMessage faultHttpReceived(const PeerMessage& args) {
        require(args, 1);
        return {started(faultHttp_).received(number(args[0]))};
    }
    // connection, steps, timeoutMs
    PeerMessage faultHttpWait(const PeerMessage& args) {
        require(args, 3);
        const bool done = started(faultHttp_).waitForSteps(number(args[0]), number(args[1]),
                                                           static_cast<int>(number(args[2])));
        return {done ? "1" : "0"};
    }

    PeerMessage faultFtp(const PeerMessage&) {
        faultFtp_ = std::make_unique<FtpFaultServer>();
        return {std::to_string(faultFtp_->port())};
    }
    PeerMessage faultFtpScript(const PeerMessage& args) {
        started(faultFtp_).setScript(ftpScriptFrom(args, 0));
        return {};
    }
    PeerMessage faultFtpCommands(const PeerMessage&) { return started(faultFtp_).commands(); }
    PeerMessage faultFtpForeignClosed(const PeerMessage&) {
        return {started(faultFtp_).foreignConnectionClosed() ? "1" : "0"};
    }

    std::unique_ptr<ChildProcess> process_;
    std::unique_ptr<FaultServer> faultHttp_;
    std::unique_ptr<FtpFaultServer> faultFtp_;
};

void serve(TcpSocket connection) {
    Session session;
    PeerMessage request;
    try {
        while (receiveMessage(connection, request, -1)) {
            PeerMessage reply;
            try {
                reply = session.handle(request);
                reply.insert(reply.begin(), "ok");
            } catch (const std::exception& e) {
                reply = {"error", e.what()};
            }
            sendMessage(connection, reply);
        }
    } catch (const std::exception& e) {
        std::cerr << "peer host session: " << e.what() << "\n";
    }
}

void reapEndedSessions() {
    while (::waitpid(-1, nullptr, WNOHANG) > 0) {
    }
}

}  // namespace
}  // namespace trev::peers

int main(int argc, char** argv) {
    using namespace trev;
    if (argc != 2) {
        std::cerr << "usage: peer-host PORTFILE\n";
        return 2;
    }
    TcpSocket listener;
    listener.listen(resolveHost("127.0.0.1"), 0, 64);
    {
        std::ofstream(std::string(argv[1]) + ".part") << "127.0.0.1:" << listener.localPort() << "\n";
        std::rename((std::string(argv[1]) + ".part").c_str(), argv[1]);
    }
    for (;;) {
        TcpSocket connection = listener.accept(1000);
        peers::reapEndedSessions();
        if (!connection.isOpen()) continue;
        const pid_t session = ::fork();
        if (session == 0) {
            listener.close();
            peers::serve(std::move(connection));
            ::_exit(0);
        }
    }
}
