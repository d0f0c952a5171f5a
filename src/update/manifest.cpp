#include "update/manifest.h"

#include "platform/codepage.h"
#include "update/safe_names.h"

#include <cstdio>
#include <set>

namespace trev {
namespace {

const std::string kHeader = "MANIFESTO TREVALMONTE 1";
const std::string kSequence = "sequencia ";
const std::string kExpiry = "validade ";
constexpr size_t kDigestLength = 64;
constexpr size_t kMaxNumberDigits = 15;

[[noreturn]] void malformed(const std::string& detail) {
    throw VerificationError(utf8ToCp1252("Manifesto do servidor de atualização inválido: ") + detail);
}

bool allDigits(const std::string& text) {
    if (text.empty() || text.size() > kMaxNumberDigits) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

bool isDigest(const std::string& text) {
    if (text.size() != kDigestLength) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

// Every folder and the file itself a safe name: nothing leads out of the tree.
bool isSafeTreePath(const std::string& path) {
    for (size_t start = 0;;) {
        const size_t slash = path.find('/', start);
        if (!isSafeFileName(path.substr(start, slash - start))) return false;
        if (slash == std::string::npos) return true;
        start = slash + 1;
    }
}

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
int64_t daysFromCivil(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

int64_t parseUtc(const std::string& text) {
    int year, month, day, hour, minute, second;
    char tail;
    if (text.size() != 20 ||
        std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2dZ%c", &year, &month, &day, &hour, &minute, &second, &tail) !=
            6 ||
        month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 59)
        malformed("validade " + text);
    const int64_t seconds = daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    if (utcText(seconds) != text) malformed("validade " + text);  // 31/02 and the like
    return seconds;
}

class LineCursor {
public:
    explicit LineCursor(const std::string& bytes) : bytes_(bytes) {}
    bool atEnd() const { return at_ == bytes_.size(); }
    std::string next() {
        const size_t end = bytes_.find("\r\n", at_);
        if (end == std::string::npos) malformed("linha sem CR LF no fim");
        std::string line = bytes_.substr(at_, end - at_);
        at_ = end + 2;
        if (line.find('\n') != std::string::npos || line.find('\r') != std::string::npos)
            malformed("linha sem CR LF no fim");
        return line;
    }

private:
    const std::string& bytes_;
    size_t at_ = 0;
};

std::string valueAfter(const std::string& line, const std::string& key) {
    if (line.compare(0, key.size(), key) != 0) malformed("esperado \"" + key + "...\"");
    return line.substr(key.size());
}

ManifestEntry parseEntry(const std::string& line) {
    const size_t first = line.find(' ');
    const size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
    if (second == std::string::npos) malformed("linha de arquivo incompleta");
    ManifestEntry entry{line.substr(second + 1), 0, line.substr(first + 1, second - first - 1)};
    const std::string size = line.substr(0, first);
    if (!allDigits(size) || !isDigest(entry.sha256) || !isSafeTreePath(entry.path))
        malformed("linha de arquivo " + line.substr(0, 200));
    entry.size = std::stoll(size);
    return entry;
}

}  // namespace

const ManifestEntry* Manifest::find(const std::string& path) const {
    for (const ManifestEntry& entry : entries)
        if (entry.path == path) return &entry;
    return nullptr;
}

std::string formatManifest(const Manifest& manifest) {
    std::string text = kHeader + "\r\n" + kSequence + std::to_string(manifest.sequence) + "\r\n" + kExpiry +
                       utcText(manifest.expiresAt) + "\r\n";
    for (const ManifestEntry& entry : manifest.entries)
        text += std::to_string(entry.size) + " " + entry.sha256 + " " + entry.path + "\r\n";
    return text;
}

Manifest parseManifest(const std::string& bytes) {
    if (bytes.size() > kManifestMaxBytes) malformed("maior que 1 MiB");
    LineCursor lines(bytes);
    if (lines.next() != kHeader) malformed("primeira linha");
    Manifest manifest;
    const std::string sequence = valueAfter(lines.next(), kSequence);
    if (!allDigits(sequence)) malformed("sequencia " + sequence);
    manifest.sequence = std::stoll(sequence);
    manifest.expiresAt = parseUtc(valueAfter(lines.next(), kExpiry));
    std::set<std::string> paths;
    while (!lines.atEnd()) {
        if (manifest.entries.size() == kManifestMaxEntries) malformed("mais de 20000 arquivos");
        manifest.entries.push_back(parseEntry(lines.next()));
        if (!paths.insert(manifest.entries.back().path).second)
            malformed("arquivo repetido " + manifest.entries.back().path);
    }
    return manifest;
}

std::string utcText(int64_t seconds) {
    const int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    const int64_t secondOfDay = seconds - days * 86400;
    // The inverse of daysFromCivil.
    const int64_t z = days + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t dayOfEra = z - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    const int64_t day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    const int64_t month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    const int64_t year = yearOfEra + era * 400 + (month <= 2);
    char text[128];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lldT%02lld:%02lld:%02lldZ", static_cast<long long>(year),
                  static_cast<long long>(month), static_cast<long long>(day),
                  static_cast<long long>(secondOfDay / 3600), static_cast<long long>(secondOfDay / 60 % 60),
                  static_cast<long long>(secondOfDay % 60));
    return text;
}

}  // namespace trev
