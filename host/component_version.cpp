#include "host/component_version.h"

#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace vorn::host {
namespace {

constexpr const char* kSection = ".vorn.version";

template <class T> T readAt(const std::string& file, std::uint64_t offset) {
    if (offset > file.size() || file.size() - offset < sizeof(T))
        throw std::runtime_error("truncated ELF file");
    T value;
    std::memcpy(&value, file.data() + offset, sizeof(T));
    return value;
}

std::string sectionText(const std::string& file) {
    const auto header = readAt<Elf64_Ehdr>(file, 0);
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64)
        throw std::runtime_error("not a 64-bit ELF file");
    const auto sectionAt = [&](unsigned index) {
        return readAt<Elf64_Shdr>(file, header.e_shoff + std::uint64_t{index} * header.e_shentsize);
    };
    const Elf64_Shdr names = sectionAt(header.e_shstrndx);
    for (unsigned i = 0; i < header.e_shnum; ++i) {
        const Elf64_Shdr section = sectionAt(i);
        const std::uint64_t nameAt = names.sh_offset + section.sh_name;
        if (nameAt >= file.size() ||
            std::strncmp(file.data() + nameAt, kSection, file.size() - nameAt) != 0)
            continue;
        if (section.sh_offset > file.size() || file.size() - section.sh_offset < section.sh_size)
            throw std::runtime_error("truncated ELF file");
        std::string text = file.substr(section.sh_offset, section.sh_size);
        return text.substr(0, text.find('\0'));
    }
    throw std::runtime_error(std::string("no section ") + kSection);
}

} // namespace

VersionStrings readVersionStrings(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    const std::string file{std::istreambuf_iterator<char>(in), {}};
    VersionStrings strings;
    std::istringstream lines(sectionText(file));
    for (std::string line; std::getline(lines, line);) {
        const auto equals = line.find('=');
        if (equals != std::string::npos)
            strings.emplace_back(line.substr(0, equals), line.substr(equals + 1));
    }
    return strings;
}

} // namespace vorn::host
