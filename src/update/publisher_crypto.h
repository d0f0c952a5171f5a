#pragma once
// The cryptography of the signed update tree, all of it from libsodium: SHA-256 of
// files, Ed25519 signatures of the manifest, and the base64 form of keys.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

struct crypto_hash_sha256_state;

namespace trev {

constexpr size_t kPublicKeyBytes = 32;
constexpr size_t kSignatureBytes = 64;

// SHA-256 fed piece by piece, as the bytes arrive.
class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(Sha256&&) noexcept;
    Sha256& operator=(Sha256&&) noexcept;
    void add(const char* data, size_t size);
    // Lowercase hex of the digest of everything added; ends the digest.
    std::string hexDigest();

private:
    std::unique_ptr<crypto_hash_sha256_state> state_;
};

std::string sha256Hex(const std::string& bytes);

// Standard base64 with padding.
std::string encodeBase64(const std::string& bytes);
// Nothing when the text is not base64 of exactly size bytes.
std::optional<std::string> decodeBase64(const std::string& text, size_t size);

// Whether signature is the publisher's Ed25519 signature of message exactly.
bool signatureMatches(const std::string& message, const std::string& signature, const std::string& publicKey);

}  // namespace trev
