#pragma once
// The update tree a test server serves (download/atualiza/ below the served folder),
// laid out as the vendor's publisher lays it out. Tests, tools and benches share it.
#include <string>
#include <utility>
#include <vector>

namespace trev::test {

struct PublishedVersion {
    std::string id;     // the folder's name, "6002"
    std::string label;  // the shown version, "6.0.0.2"; ten characters at most
    std::string date;   // as dtversao.cfg holds it
    std::string description;
    std::vector<std::pair<std::string, std::string>> scripts;  // name, text
};

class UpdateTree {
public:
    // servedFolder: the native folder the server serves as its root.
    explicit UpdateTree(std::string servedFolder);

    // A file of the tree, relative to download/atualiza/, with "/".
    std::string file(const std::string& relative) const;
    void write(const std::string& relative, const std::string& bytes) const;
    void remove(const std::string& relative) const;
    // Removes download/ and everything in it.
    void clear() const;

    // versao.cfg: the versions offered, in order.
    void publishVersionList(const std::vector<std::string>& ids) const;
    // versao/<id>/: the date, the label padded to ten and the description, the script list and the scripts.
    void publishVersion(const PublishedVersion& version) const;
    // adicionais/descricao.cfg: one addOnLine per add-on.
    void publishAddOnList(const std::vector<std::string>& lines) const;
    // exe/: each program (its bytes "program <name>") and their list.
    void publishPrograms(const std::vector<std::string>& names) const;

private:
    std::string root_;
};

// "6002" → "6.0.0.2": the dotted form of a four-digit version id.
std::string dottedVersion(const std::string& id);
// A line of adicionais/descricao.cfg, without its line end: the file, name and date
// padded to 30, 30 and 10, then the description.
std::string addOnLine(const std::string& exe, const std::string& name, const std::string& date,
                      const std::string& description);

}  // namespace trev::test
