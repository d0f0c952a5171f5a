#pragma once
// What a test does on the system its servers run on. On Linux that system is the
// test's own; a Windows test under Wine reaches the Linux side through the peer host
// (peer_host.cpp), at the address in TREV_PEER_HOST.
#include <cstdint>
#include <string>
#include <vector>

namespace trev::peers {

// A path of this side as the servers see it: a Windows path (of the Wine prefix)
// becomes its Unix path; any other text stays as it is.
std::string peerPath(const std::string& nativePath);

// Whether this is a Windows test under Wine, for the few places where Wine's
// behaviour differs from that of Windows.
bool underWine();

// The account the servers run as, for a server that would otherwise drop to another.
struct PeerAccount {
    std::string user;
    std::string group;
};
PeerAccount peerAccount();

// A symbolic link at nativeLink to a file of the servers' system.
void linkPeerFile(const std::string& peerTarget, const std::string& nativeLink);

struct CommandResult {
    int exitCode = -1;
    std::string output;  // stdout and stderr
};

// Runs a program of the servers' system (found on its PATH) with the input on stdin and
// extra "NAME=value" environment entries, until it ends; raises when timeoutMs runs out.
CommandResult runPeerCommand(const std::vector<std::string>& argv, const std::string& input,
                             const std::vector<std::string>& environment, int timeoutMs);

// Makes closing the socket (a TcpSocket's handle) reset the connection instead of ending it.
void resetWhenClosed(std::intptr_t socketHandle);

// Whether this process holds the file of that native path open.
bool heldOpen(const std::string& nativePath);

// The largest this process's resident memory has been so far.
int64_t peakResidentBytes();

// Sets a variable of this process's environment.
void setEnvironment(const std::string& name, const std::string& value);

}  // namespace trev::peers
