#include "update/publisher_crypto.h"

#include <sodium.h>

#include <stdexcept>

namespace trev {
namespace {

void requireSodium() {
    static const bool ready = sodium_init() >= 0;
    if (!ready) throw std::runtime_error("libsodium could not start");
}

}  // namespace

Sha256::Sha256() : state_(std::make_unique<crypto_hash_sha256_state>()) {
    requireSodium();
    crypto_hash_sha256_init(state_.get());
}

Sha256::~Sha256() = default;
Sha256::Sha256(Sha256&&) noexcept = default;
Sha256& Sha256::operator=(Sha256&&) noexcept = default;

void Sha256::add(const char* data, size_t size) {
    crypto_hash_sha256_update(state_.get(), reinterpret_cast<const unsigned char*>(data), size);
}

std::string Sha256::hexDigest() {
    unsigned char digest[crypto_hash_sha256_BYTES];
    crypto_hash_sha256_final(state_.get(), digest);
    char hex[crypto_hash_sha256_BYTES * 2 + 1];
    sodium_bin2hex(hex, sizeof hex, digest, sizeof digest);
    return hex;
}

std::string sha256Hex(const std::string& bytes) {
    Sha256 digest;
    digest.add(bytes.data(), bytes.size());
    return digest.hexDigest();
}

std::string encodeBase64(const std::string& bytes) {
    requireSodium();
    std::string text(sodium_base64_ENCODED_LEN(bytes.size(), sodium_base64_VARIANT_ORIGINAL), '\0');
    sodium_bin2base64(text.data(), text.size(), reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                      sodium_base64_VARIANT_ORIGINAL);
    text.resize(text.size() - 1);  // the terminating zero
    return text;
}

std::optional<std::string> decodeBase64(const std::string& text, size_t size) {
    requireSodium();
    std::string bytes(size, '\0');
    size_t length = 0;
    const char* end = nullptr;
    if (sodium_base642bin(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size(), text.data(), text.size(),
                          nullptr, &length, &end, sodium_base64_VARIANT_ORIGINAL) != 0 ||
        end != text.data() + text.size() || length != size)
        return std::nullopt;
    return bytes;
}

bool signatureMatches(const std::string& message, const std::string& signature, const std::string& publicKey) {
    requireSodium();
    if (signature.size() != crypto_sign_BYTES || publicKey.size() != crypto_sign_PUBLICKEYBYTES) return false;
    return crypto_sign_verify_detached(reinterpret_cast<const unsigned char*>(signature.data()),
                                       reinterpret_cast<const unsigned char*>(message.data()), message.size(),
                                       reinterpret_cast<const unsigned char*>(publicKey.data())) == 0;
}

}  // namespace trev
