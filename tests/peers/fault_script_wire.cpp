#include "peers/fault_script_wire.h"

#include <stdexcept>

namespace trev::peers {
namespace {

constexpr size_t kStepParts = 6;
constexpr size_t kFtpFixedParts = 9;

size_t number(const std::string& text) { return static_cast<size_t>(std::stoull(text)); }

}  // namespace

void appendFaultScript(PeerMessage& message, const FaultScript& script) {
    for (const FaultStep& step : script) {
        message.insert(message.end(), {step.awaitText, step.reply, std::to_string(step.pieceSize),
                                       std::to_string(step.pieceDelayMs), step.endless,
                                       std::to_string(static_cast<int>(step.then))});
    }
}

FaultScript faultScriptFrom(const PeerMessage& message, size_t from) {
    if (from > message.size() || (message.size() - from) % kStepParts != 0)
        throw std::runtime_error("fault script: malformed");
    FaultScript script;
    for (size_t at = from; at < message.size(); at += kStepParts) {
        FaultStep step;
        step.awaitText = message[at];
        step.reply = message[at + 1];
        step.pieceSize = number(message[at + 2]);
        step.pieceDelayMs = static_cast<int>(number(message[at + 3]));
        step.endless = message[at + 4];
        step.then = static_cast<FaultStep::Then>(number(message[at + 5]));
        script.push_back(step);
    }
    return script;
}

void appendFtpScript(PeerMessage& message, const FtpFaultServer::Script& script) {
    message.insert(message.end(), {script.greeting, script.endlessAfterGreeting,
                                   std::to_string(static_cast<int>(script.data)), script.dataBytes,
                                   script.foreignAddress, script.foreignBytes, script.completion,
                                   std::to_string(script.greetingDripMs), std::to_string(script.dataDripMs)});
    for (const auto& [verb, reply] : script.replies) message.insert(message.end(), {verb, reply});
}

FtpFaultServer::Script ftpScriptFrom(const PeerMessage& message, size_t from) {
    if (from + kFtpFixedParts > message.size() || (message.size() - from - kFtpFixedParts) % 2 != 0)
        throw std::runtime_error("FTP fault script: malformed");
    FtpFaultServer::Script script;
    script.greeting = message[from];
    script.endlessAfterGreeting = message[from + 1];
    script.data = static_cast<FtpFaultServer::Data>(number(message[from + 2]));
    script.dataBytes = message[from + 3];
    script.foreignAddress = message[from + 4];
    script.foreignBytes = message[from + 5];
    script.completion = message[from + 6];
    script.greetingDripMs = static_cast<int>(number(message[from + 7]));
    script.dataDripMs = static_cast<int>(number(message[from + 8]));
    for (size_t at = from + kFtpFixedParts; at < message.size(); at += 2) script.replies[message[at]] = message[at + 1];
    return script;
}

}  // namespace trev::peers
