#include "support/update_tree.h"

#include "peers/temp_folder.h"

#include <filesystem>

namespace trev::test {
namespace {

std::string padded(const std::string& text, size_t width) {
    return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

std::string crlfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

}  // namespace

UpdateTree::UpdateTree(std::string servedFolder) : root_(std::move(servedFolder)) {}

std::string UpdateTree::file(const std::string& relative) const { return root_ + "/download/atualiza/" + relative; }

void UpdateTree::write(const std::string& relative, const std::string& bytes) const {
    peers::writeFile(file(relative), bytes);
}

void UpdateTree::remove(const std::string& relative) const { std::filesystem::remove(file(relative)); }

void UpdateTree::clear() const { std::filesystem::remove_all(root_ + "/download"); }

void UpdateTree::publishVersionList(const std::vector<std::string>& ids) const {
    write("versao/versao.cfg", crlfLines(ids));
}

void UpdateTree::publishVersion(const PublishedVersion& version) const {
    const std::string folder = "versao/" + version.id + "/";
    write(folder + "dtversao.cfg", version.date + "\r\n");
    write(folder + "descricao.cfg", padded(version.label, 10) + version.description + "\r\n");
    std::vector<std::string> names;
    for (const auto& [name, text] : version.scripts) {
        names.push_back(name);
        write(folder + name, text);
    }
    write(folder + "lista.txt", crlfLines(names));
}

void UpdateTree::publishAddOnList(const std::vector<std::string>& lines) const {
    write("adicionais/descricao.cfg", crlfLines(lines));
}

void UpdateTree::publishPrograms(const std::vector<std::string>& names) const {
    for (const std::string& name : names) write("exe/" + name, "program " + name);
    write("exe/lista.txt", crlfLines(names));
}

std::string dottedVersion(const std::string& id) {
    return id.substr(0, 1) + "." + id.substr(1, 1) + "." + id.substr(2, 1) + "." + id.substr(3);
}

std::string addOnLine(const std::string& exe, const std::string& name, const std::string& date,
                      const std::string& description) {
    return padded(exe, 30) + padded(name, 30) + padded(date, 10) + description;
}

}  // namespace trev::test
