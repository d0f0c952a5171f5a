#pragma once
// The publisher's signed tree as a check or a run sees it: first manifesto.cfg and
// manifesto.sig are fetched and verified (signature, expiry, a sequence not below the
// one this installation accepted); then every fetch of the source is refused unless
// the manifest lists it, and its file is removed unless its size and SHA-256 match.
#include "transfer/fetch_check.h"
#include "transfer/update_source.h"
#include "update/manifest.h"
#include "update/publisher_crypto.h"
#include "update/update_log.h"
#include "update/update_paths.h"

#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string>

namespace trev {

class SignedTree : public FetchCheck {
public:
    // Sets itself as the source's check until it ends.
    SignedTree(UpdateSource& source, UpdateLog& log, std::string publicKeyBase64,
               std::string acceptedSequencePath = paths::kAcceptedSequence);
    ~SignedTree() override;
    SignedTree(const SignedTree&) = delete;
    SignedTree& operator=(const SignedTree&) = delete;

    // Fetches and verifies the manifest; raises VerificationError when it is refused.
    void accept(int64_t now = static_cast<int64_t>(std::time(nullptr)));
    // After a whole check verified: its sequence becomes the installation's.
    void keepSequence() const;

    void starting(const std::string& remotePath) override;
    void received(const char* data, size_t size) override;
    void finished(const std::string& remotePath, const std::string& localPath) override;

private:
    [[noreturn]] void refuse(const std::string& reason) const;
    std::string publicKey() const;
    int64_t acceptedSequence() const;

    UpdateSource& source_;
    UpdateLog& log_;
    std::string publicKeyBase64_;
    std::string acceptedSequencePath_;
    std::optional<Manifest> manifest_;
    std::optional<Sha256> digest_;
    std::string current_;  // the remote path in transfer
    int64_t received_ = 0;
    int64_t bound_ = 0;  // bytes a file in transfer may have
};

// A signed tree for the source when its server names a publisher key; nothing otherwise.
std::unique_ptr<SignedTree> signedTreeFor(UpdateSource& source, UpdateLog& log);

}  // namespace trev
