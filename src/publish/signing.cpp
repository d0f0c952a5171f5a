#include "publish/signing.h"

#include "publish/tree_files.h"
#include "update/manifest.h"
#include "update/publisher_crypto.h"

#include <sodium.h>

#include <fstream>
#include <set>

namespace trev::publish {

namespace fs = std::filesystem;

namespace {

const std::string kManifestName = "manifesto.cfg";
const std::string kSignatureName = "manifesto.sig";

std::string secretKeyOf(const fs::path& secretFile) {
    std::string text = readWhole(secretFile);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    std::optional<std::string> key = decodeBase64(text, crypto_sign_SECRETKEYBYTES);
    if (!key) throw PublishError("not a secret key file: " + secretFile.string());
    return *key;
}

std::string signatureOf(const std::string& message, const std::string& secretKey) {
    std::string signature(crypto_sign_BYTES, '\0');
    crypto_sign_detached(reinterpret_cast<unsigned char*>(signature.data()), nullptr,
                         reinterpret_cast<const unsigned char*>(message.data()), message.size(),
                         reinterpret_cast<const unsigned char*>(secretKey.data()));
    return signature;
}

int64_t previousSequence(const fs::path& tree) {
    if (!fs::exists(tree / kManifestName)) return 0;
    try {
        return parseManifest(readWhole(tree / kManifestName)).sequence;
    } catch (const VerificationError& error) {
        throw PublishError(std::string("the tree's manifest cannot be read: ") + error.what());
    }
}

bool isPublished(const std::string& path) {
    return path != kManifestName && path != kSignatureName && !path.ends_with(".publishing");
}

// Both written whole before either replaces the old: a failure while writing leaves the
// old pair. Between the two renames the pair does not match, which the updater refuses
// as it refuses any; a crash there is mended by signing again.
void putPairInPlace(const fs::path& tree, const std::string& manifest, const std::string& signature) {
    const fs::path manifestPartial = writePartial(tree / kManifestName, manifest);
    fs::path signaturePartial;
    try {
        signaturePartial = writePartial(tree / kSignatureName, signature);
    } catch (...) {
        fs::remove(manifestPartial);
        throw;
    }
    fs::rename(manifestPartial, tree / kManifestName);
    fs::rename(signaturePartial, tree / kSignatureName);
}

}  // namespace

std::string generateKeys(const fs::path& secretFile, bool force) {
    if (fs::exists(secretFile) && !force) throw PublishError(secretFile.string() + " exists (--force replaces it)");
    if (sodium_init() < 0) throw PublishError("libsodium could not start");
    std::string publicKey(crypto_sign_PUBLICKEYBYTES, '\0');
    std::string secretKey(crypto_sign_SECRETKEYBYTES, '\0');
    crypto_sign_keypair(reinterpret_cast<unsigned char*>(publicKey.data()),
                        reinterpret_cast<unsigned char*>(secretKey.data()));
    // Owner-only before the key is in it; opening it again keeps the permissions.
    const fs::path partial = partialPath(secretFile);
    std::ofstream(partial, std::ios::binary | std::ios::trunc).close();
    fs::permissions(partial, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace);
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out << encodeBase64(secretKey) << "\n";
    out.close();
    if (!out) throw PublishError("cannot write " + partial.string());
    fs::rename(partial, secretFile);
    sodium_memzero(secretKey.data(), secretKey.size());
    return encodeBase64(publicKey);
}

std::string publicKeyOf(const fs::path& secretFile) {
    return encodeBase64(secretKeyOf(secretFile).substr(crypto_sign_SECRETKEYBYTES - crypto_sign_PUBLICKEYBYTES));
}

int64_t signTree(const fs::path& tree, const fs::path& secretFile, int validDays, int64_t now) {
    const std::string secretKey = secretKeyOf(secretFile);
    Manifest manifest;
    manifest.sequence = previousSequence(tree) + 1;
    manifest.expiresAt = now + static_cast<int64_t>(validDays) * 86400;
    for (const std::string& path : filesBelow(tree)) {
        if (!isPublished(path)) continue;
        const std::string bytes = readWhole(tree / pathFromUtf8(path));
        manifest.entries.push_back({path, static_cast<int64_t>(bytes.size()), sha256Hex(bytes)});
    }
    if (manifest.entries.size() > kManifestMaxEntries) throw PublishError("more than 20000 files in the tree");
    const std::string text = formatManifest(manifest);
    if (text.size() > kManifestMaxBytes) throw PublishError("the manifest would be over 1 MiB");
    putPairInPlace(tree, text, signatureOf(text, secretKey));
    return manifest.sequence;
}

std::vector<std::string> verifyTree(const fs::path& tree, const std::string& publicKeyBase64, int64_t now) {
    std::optional<std::string> key = decodeBase64(publicKeyBase64, kPublicKeyBytes);
    if (!key) return {"not a public key: " + publicKeyBase64};
    if (!fs::exists(tree / kManifestName) || !fs::exists(tree / kSignatureName))
        return {"manifesto.cfg or manifesto.sig missing"};
    const std::string text = readWhole(tree / kManifestName);
    if (!signatureMatches(text, readWhole(tree / kSignatureName), *key)) return {"the signature does not verify"};
    Manifest manifest;
    try {
        manifest = parseManifest(text);
    } catch (const VerificationError& error) {
        return {error.what()};
    }
    std::vector<std::string> mismatches;
    if (manifest.expiresAt < now) mismatches.push_back("expired at " + utcText(manifest.expiresAt));
    std::set<std::string> listed;
    for (const ManifestEntry& entry : manifest.entries) {
        listed.insert(entry.path);
        if (!fs::exists(tree / pathFromUtf8(entry.path))) {
            mismatches.push_back(entry.path + ": missing");
            continue;
        }
        const std::string bytes = readWhole(tree / pathFromUtf8(entry.path));
        if (static_cast<int64_t>(bytes.size()) != entry.size || sha256Hex(bytes) != entry.sha256)
            mismatches.push_back(entry.path + ": expected " + std::to_string(entry.size) + " bytes " + entry.sha256 +
                                 ", found " + std::to_string(bytes.size()) + " bytes " + sha256Hex(bytes));
    }
    for (const std::string& path : filesBelow(tree))
        if (isPublished(path) && !listed.count(path)) mismatches.push_back(path + ": not in the manifest");
    return mismatches;
}

}  // namespace trev::publish
